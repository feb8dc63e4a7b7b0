#include "store/newstart.h"

#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/measurementline.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zz {

QString NewStartBackupName(const QString &name, const QDateTime &now)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    return stem + QStringLiteral("_新規スタート前_") + now.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           extension;
}

namespace {

const QString JournalName = QStringLiteral(".zumazuma-newstart");

// The journal of a New start in progress: the names of the two copies, then
// the new personal data and measurements, each line base64.
QByteArray journalBytes(const QStringList &backups, const QByteArray &personal,
                        const QByteArray &measurements)
{
    QByteArray bytes;
    for (const QString &backup : backups)
        bytes += backup.toUtf8().toBase64() + '\n';
    return bytes + personal.toBase64() + '\n' + measurements.toBase64() + '\n';
}

} // namespace

StoreStatus StartNewDiary(const QString &dir, const PersonalData &personal,
                          const MeasurementRecord &startRecord, const QDateTime &now)
{
    QByteArray personalBytes;
    if (StoreStatus status = PersonalDataBytes(dir, personal, personalBytes); !status)
        return status;
    QByteArray measurementBytes;
    QString fault;
    if (!FormatMeasurementLine(startRecord, measurementBytes, &fault))
        return StoreStatus::failure(FileNames::Measurements, fault);

    struct Kept
    {
        QString path;
        QByteArray bytes;
    };
    QList<Kept> kept;
    QStringList backups;
    for (const QString &name : {FileNames::Measurements, FileNames::PersonalData}) {
        Kept file{ResolveDiaryFile(dir, name), {}};
        if (StoreStatus status = ReadWholeFile(file.path, file.bytes); !status)
            return status;
        const QString backup = NewStartBackupName(name, now);
        const QString backupPath = QDir(dir).filePath(backup);
        if (StoreStatus status = ReplaceFile(backupPath, backupPath + QStringLiteral(".tmp"), file.bytes);
            !status)
            return status;
        kept.append(file);
        backups.append(backup);
    }

    // Until the journal is gone, the next start finishes or undoes this step.
    const QString journal = QDir(dir).filePath(JournalName);
    StoreStatus status = ReplaceFile(journal, journal + QStringLiteral(".tmp"),
                                     journalBytes(backups, personalBytes, measurementBytes));
    if (!status)
        return status;
    status = WriteDiaryFile(dir, FileNames::PersonalData, personalBytes);
    if (status) {
        const QString data = ResolveDiaryFile(dir, FileNames::Measurements);
        status =
            ReplaceFile(data, ResolveDiaryFile(dir, FileNames::MeasurementsInsertTemp), measurementBytes);
    }
    if (!status) {
        // Put both files back; the copies stay in any case.
        for (const Kept &file : std::as_const(kept))
            ReplaceFile(file.path, file.path + QStringLiteral(".restore"), file.bytes);
    }
    QFile::remove(journal);
    return status;
}

StoreStatus FinishInterruptedNewStart(const QString &dir, QString &notice)
{
    notice.clear();
    const QString journal = QDir(dir).filePath(JournalName);
    if (!QFileInfo::exists(journal))
        return StoreStatus::success();
    QByteArray bytes;
    if (StoreStatus status = ReadWholeFile(journal, bytes); !status)
        return status;
    const QList<QByteArray> parts = bytes.split('\n');
    if (parts.size() < 4) {
        QFile::remove(journal); // never written whole: the step had not begun
        return StoreStatus::success();
    }
    const QStringList backups{QString::fromUtf8(QByteArray::fromBase64(parts[0])),
                              QString::fromUtf8(QByteArray::fromBase64(parts[1]))};
    const QByteArray personal = QByteArray::fromBase64(parts[2]);
    const QByteArray measurements = QByteArray::fromBase64(parts[3]);

    const QString personalPath = ResolveDiaryFile(dir, FileNames::PersonalData);
    const QString dataPath = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray current;
    StoreStatus status;
    if (ReadWholeFile(personalPath, current) && current == personal) {
        // The new personal data are in place: the start record follows them.
        status =
            ReplaceFile(dataPath, ResolveDiaryFile(dir, FileNames::MeasurementsInsertTemp), measurements);
        notice =
            QStringLiteral("前回の新規スタートは途中で終わっていました。新規スタートを最後まで行いました。");
    } else {
        // Nothing new was written yet; the old diary is put back from its copies.
        const QString paths[2] = {dataPath, personalPath};
        for (int i = 0; i < 2 && status; ++i) {
            QByteArray old;
            status = ReadWholeFile(QDir(dir).filePath(backups[i]), old);
            if (status)
                status = ReplaceFile(paths[i], paths[i] + QStringLiteral(".restore"), old);
        }
        notice =
            QStringLiteral("前回の新規スタートは途中で終わっていました。新規スタート前の日記に戻しました。");
    }
    if (!status) {
        notice.clear();
        return status;
    }
    QFile::remove(journal);
    return StoreStatus::success();
}

} // namespace zz
