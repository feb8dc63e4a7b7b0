#include "store/textfiles.h"

#include "store/cp932.h"
#include "store/diaryfiles.h"
#include "store/safefile.h"

#include <QFileInfo>
#include <cstring>

namespace zz {

QString CopyPathFor(const QString &dir, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString copyName = dot < 0 ? QString(name + QStringLiteral("コピー"))
                                     : QString(name.left(dot) + QStringLiteral("コピー") + name.mid(dot));
    return ResolveDiaryFile(dir, copyName);
}

QList<QByteArrayView> SplitLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const char *start = bytes.data() + pos;
        const void *found = std::memchr(start, '\n', size_t(bytes.size() - pos));
        qsizetype length = found ? static_cast<const char *>(found) - start : bytes.size() - pos;
        pos += found ? length + 1 : length;
        if (length > 0 && start[length - 1] == '\r')
            --length;
        lines.append(QByteArrayView(start, length));
    }
    return lines;
}

StoreStatus DecodeLine(QByteArrayView line, const QString &fileName, qint64 lineNumber, QString &text)
{
    if (DecodeCp932(line, text))
        return StoreStatus::success();
    return StoreStatus::failure(fileName,
                                QStringLiteral("コードページ 932 (Shift_JIS) として読めないバイトがあります"),
                                lineNumber);
}

StoreStatus EncodeField(const QString &text, const QString &fileName, const QString &what,
                        QByteArray &bytes)
{
    const QString bad = FirstUnstorableCharacter(text);
    if (!bad.isEmpty())
        return StoreStatus::failure(fileName,
                                    QStringLiteral("%1に保存できない文字「%2」があります").arg(what, bad));
    if (!EncodeCp932(text, bytes))
        return StoreStatus::failure(fileName, QStringLiteral("%1を保存できません").arg(what));
    return StoreStatus::success();
}

StoreStatus WriteDiaryFile(const QString &dir, const QString &name, const QByteArray &bytes,
                           const QString &tempName)
{
    const QString path = ResolveDiaryFile(dir, name);
    const QString temp = tempName.isEmpty() ? CopyPathFor(dir, name) : ResolveDiaryFile(dir, tempName);
    return ReplaceFile(path, temp, bytes);
}

StoreStatus ReadDiaryFile(const QString &dir, const QString &name, QByteArray &bytes, QString *path)
{
    const QString resolved = ResolveDiaryFile(dir, name);
    if (path)
        *path = resolved;
    return ReadWholeFile(resolved, bytes);
}

} // namespace zz
