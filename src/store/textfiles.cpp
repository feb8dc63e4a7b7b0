#include "store/textfiles.h"

#include "base/cp932.h"
#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/safefile.h"

#include <QFileInfo>
#include <cstring>
#include <optional>

namespace zz {

namespace {

// The temporary file beside `name` for a whole-file rewrite when the file has
// no temporary name of its own: "設定.txt" -> "設定コピー.txt".
QString copyPathFor(const QString &dir, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString copyName = dot < 0 ? QString(name + QStringLiteral("コピー"))
                                     : QString(name.left(dot) + QStringLiteral("コピー") + name.mid(dot));
    return ResolveDiaryFile(dir, copyName);
}

} // namespace

QString ShownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString ShownNameIn(const QString &dir, const QString &name)
{
    return ShownName(ResolveDiaryFile(dir, name));
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

StoreStatus ReadTextFile(const QString &dir, const QString &name, TextFile &file)
{
    const QString path = ResolveDiaryFile(dir, name);
    TextFile result;
    if (StoreStatus status = ReadWholeFile(path, result.bytes); !status)
        return status;
    result.shownName = ShownName(path);
    result.lines = SplitLines(result.bytes);
    file = std::move(result);
    return StoreStatus::success();
}

QString QuotedInMessage(QStringView text, qsizetype limit)
{
    QString shown;
    const bool cut = text.size() > limit;
    shown.reserve(qMin(text.size(), limit) + 1);
    for (QChar c : text.first(qMin(text.size(), limit)))
        shown.append(c.category() == QChar::Other_Control || c.unicode() == 0 ? QChar(u'?') : c);
    if (cut)
        shown.append(u'…');
    return shown;
}

StoreStatus DecodeLine(QByteArrayView line, const QString &fileName, qint64 lineNumber, QString &text)
{
    if (DecodeCp932(line, text))
        return StoreStatus::success();
    return StoreStatus::failure(
        fileName, QStringLiteral("コードページ 932 (Shift_JIS) として読めないバイトがあります"), lineNumber);
}

StoreStatus DecodeLines(const TextFile &file, qsizetype count, QStringList &texts)
{
    QStringList result;
    for (qsizetype i = 0; i < count; ++i) {
        if (StoreStatus status = DecodeLine(file.lines.at(i), file.shownName, i + 1, result.emplace_back());
            !status)
            return status;
    }
    texts = result;
    return StoreStatus::success();
}

StoreStatus ReadFields(QByteArrayView line, const QString &fileName, qint64 lineNumber,
                       QList<QByteArrayView> &fields, qsizetype limit)
{
    fields.clear();
    FieldReader reader(line);
    QByteArrayView field;
    while ((limit < 0 || fields.size() < limit) && reader.next(field))
        fields.append(field);
    if (!reader.fault().isEmpty())
        return StoreStatus::failure(fileName, reader.fault(), lineNumber);
    return StoreStatus::success();
}

StoreStatus ReadFirstLineFields(const QString &dir, const QString &name, const QString &what, TextFile &file,
                                QList<QByteArrayView> &fields, qsizetype limit)
{
    if (StoreStatus status = ReadTextFile(dir, name, file); !status)
        return status;
    if (file.lines.isEmpty())
        return StoreStatus::failure(file.shownName, QStringLiteral("%1の設定がありません").arg(what));
    return ReadFields(file.lines.first().first(qMin(file.lines.first().size(), SettingLineLimit)),
                      file.shownName, 1, fields, limit);
}

StoreStatus ReadSettingNumber(const QString &text, const QString &fileName, const QString &what, int &value)
{
    const std::optional<double> number = WholeNumber(text);
    const std::optional<qint16> whole = number ? RoundToInt16(*number) : std::nullopt;
    if (!whole)
        return StoreStatus::failure(
            fileName, QStringLiteral("%1の設定「%2」が整数ではありません").arg(what, QuotedInMessage(text)),
            1);
    value = *whole;
    return StoreStatus::success();
}

StoreStatus EncodeText(const QString &text, TextPlace place, const QString &fileName, const QString &what,
                       QByteArray &bytes)
{
    auto refuse = [&](const QString &character) {
        return StoreStatus::failure(
            fileName, QStringLiteral("%1に保存できない文字「%2」があります").arg(what, character));
    };
    for (QChar c : text) {
        if ((c == u'\r' || c == u'\n') && place != TextPlace::FreeText)
            return refuse(QStringLiteral("改行"));
        if (c == u'"' && place == TextPlace::QuotedField)
            return refuse(QStringLiteral("\""));
    }
    QString bad;
    if (EncodeCp932(text, bytes, &bad))
        return StoreStatus::success();
    if (bad.isEmpty())
        return StoreStatus::failure(fileName, QStringLiteral("%1を保存できません").arg(what));
    return refuse(bad);
}

QByteArray LabelledLine(const QString &label, const QByteArray &value)
{
    QByteArray bytes;
    EncodeCp932(label, bytes);
    return '"' + bytes + "\"," + value + "\r\n";
}

StoreStatus WriteDiaryFile(const QString &dir, const QString &name, const QByteArray &bytes,
                           const QString &tempName)
{
    const QString path = ResolveDiaryFile(dir, name);
    const QString temp = tempName.isEmpty() ? copyPathFor(dir, name) : ResolveDiaryFile(dir, tempName);
    return ReplaceFile(path, temp, bytes);
}

} // namespace zz
