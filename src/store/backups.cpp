#include "store/backups.h"

#include "store/diaryfiles.h"
#include "store/safefile.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace zz {

namespace {

const QString *const BackedUpFiles[] = {&FileNames::Measurements, &FileNames::PersonalData,
                                        &FileNames::StatusList, &FileNames::NoticeMemo};

const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmss");

QDir backupRoot(const QString &dir)
{
    return QDir(QDir(dir).filePath(BackupFolderName));
}

// Backup folders, newest first (their names sort by time).
QStringList backupNames(const QString &dir)
{
    QStringList names;
    const QDir root = backupRoot(dir);
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed))
        if (QDateTime::fromString(name, StampFormat).isValid())
            names.append(name);
    return names;
}

bool sameBytes(const QString &a, const QString &b)
{
    QByteArray x, y;
    return ReadWholeFile(a, x) && ReadWholeFile(b, y) && x == y;
}

qint64 lineCount(const QByteArray &bytes)
{
    qint64 lines = 0;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const void *nl = std::memchr(p, '\n', size_t(end - p));
        ++lines;
        if (!nl)
            break;
        p = static_cast<const char *>(nl) + 1;
    }
    return lines;
}

} // namespace

QList<BackupInfo> ListBackups(const QString &dir)
{
    QList<BackupInfo> list;
    for (const QString &name : backupNames(dir)) {
        BackupInfo info{name, QDateTime::fromString(name, StampFormat), 0};
        QByteArray bytes;
        if (ReadWholeFile(backupRoot(dir).filePath(name + u'/' + FileNames::Measurements), bytes))
            info.records = lineCount(bytes);
        list.append(info);
    }
    return list;
}

StoreStatus BackUpDiary(const QString &dir, const QDateTime &now, bool force, bool *made)
{
    if (made)
        *made = false;
    QDir root = backupRoot(dir);
    const QStringList names = backupNames(dir);
    if (!force && !names.isEmpty()) {
        const QString newest = root.filePath(names.first());
        const bool same = sameBytes(ResolveDiaryFile(dir, FileNames::Measurements),
                                    newest + u'/' + FileNames::Measurements) &&
                          sameBytes(ResolveDiaryFile(dir, FileNames::PersonalData),
                                    newest + u'/' + FileNames::PersonalData);
        if (same)
            return StoreStatus::success();
    }
    if (!root.exists() && !QDir(dir).mkdir(BackupFolderName))
        return StoreStatus::failure(BackupFolderName, QStringLiteral("フォルダを作れません"));
    // Pieces of a backup a kill interrupted.
    for (const QString &name : root.entryList({QStringLiteral("*.tmp")}, QDir::Dirs | QDir::NoDotAndDotDot))
        QDir(root.filePath(name)).removeRecursively();

    QString name = now.toString(StampFormat);
    for (int n = 1; root.exists(name); ++n) // two backups within a second
        name = now.addSecs(n).toString(StampFormat);
    const QString staging = name + QStringLiteral(".tmp");
    if (!root.mkdir(staging))
        return StoreStatus::failure(BackupFolderName,
                                    QStringLiteral("フォルダ %1 を作れません").arg(staging));
    const QDir target(root.filePath(staging));
    for (const QString *file : BackedUpFiles) {
        const QString from = ResolveDiaryFile(dir, *file);
        if (!QFileInfo(from).isFile())
            continue;
        QByteArray bytes;
        StoreStatus status = ReadWholeFile(from, bytes);
        if (status)
            status =
                ReplaceFile(target.filePath(*file), target.filePath(*file + QStringLiteral(".part")), bytes);
        if (!status) {
            QDir(target).removeRecursively();
            return status;
        }
    }
    if (!root.rename(staging, name)) {
        QDir(target).removeRecursively();
        return StoreStatus::failure(BackupFolderName,
                                    QStringLiteral("フォルダ %1 の名前を変えられません").arg(staging));
    }
    if (made)
        *made = true;
    const QStringList all = backupNames(dir);
    for (qsizetype i = BackupsKept; i < all.size(); ++i)
        QDir(root.filePath(all.at(i))).removeRecursively();
    return StoreStatus::success();
}

StoreStatus RestoreBackup(const QString &dir, const QString &name, const QDateTime &now)
{
    const QDir source(backupRoot(dir).filePath(name));
    if (!source.exists(FileNames::Measurements))
        return StoreStatus::failure(BackupFolderName + u'/' + name,
                                    QStringLiteral("バックアップがありません"));
    // Read everything first: the backup below may remove the oldest folder.
    QList<QPair<const QString *, QByteArray>> files;
    for (const QString *file : BackedUpFiles) {
        if (!source.exists(*file))
            continue;
        QByteArray bytes;
        if (StoreStatus status = ReadWholeFile(source.filePath(*file), bytes); !status)
            return status;
        files.append({file, bytes});
    }
    if (StoreStatus status = BackUpDiary(dir, now, true); !status)
        return status;
    for (const auto &[file, bytes] : files) {
        const QString path = ResolveDiaryFile(dir, *file);
        if (StoreStatus status = ReplaceFile(path, path + QStringLiteral(".tmp"), bytes); !status)
            return status;
    }
    return StoreStatus::success();
}

} // namespace zz
