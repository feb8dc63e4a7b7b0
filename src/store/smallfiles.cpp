#include "store/smallfiles.h"

#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <cmath>

namespace zz {

namespace {

// The labels of the personal data's three lines, in file order.
const QString PersonalLabels[3] = {QStringLiteral("氏名"), QStringLiteral("身長"),
                                   QStringLiteral("目標体重")};

StoreStatus readReal(QByteArrayView field, const QString &fileName, qint64 lineNumber, const QString &what,
                     float &value)
{
    QString text;
    if (StoreStatus status = DecodeLine(field, fileName, lineNumber, text); !status)
        return status;
    const std::optional<float> number = WholeNumberAsFloat(text);
    if (!number)
        return StoreStatus::failure(
            fileName, QStringLiteral("%1「%2」が数値ではありません").arg(what, QuotedInMessage(text)),
            lineNumber);
    value = *number;
    return StoreStatus::success();
}

QByteArray quoted(const QByteArray &bytes)
{
    return '"' + bytes + '"';
}

QByteArray realText(float value)
{
    return NumberText(value).toLatin1();
}

enum class Quoting { Plain, Quoted };

// The status list's lines for `statuses`, CR LF after each.
StoreStatus statusLines(const QString &dir, const QStringList &statuses, Quoting quoting, QByteArray &content)
{
    const QString name = ShownNameIn(dir, FileNames::StatusList);
    for (const QString &status : statuses) {
        QByteArray bytes;
        if (StoreStatus result =
                EncodeText(status, TextPlace::QuotedField, name, QStringLiteral("状況"), bytes);
            !result)
            return result;
        content += (quoting == Quoting::Quoted ? quoted(bytes) : bytes) + "\r\n";
    }
    return StoreStatus::success();
}

StoreStatus appendStatus(const QString &dir, const QString &status, Quoting quoting)
{
    QByteArray line;
    if (StoreStatus result = statusLines(dir, {status}, quoting, line); !result)
        return result;
    return AppendToFile(ResolveDiaryFile(dir, FileNames::StatusList), line, AppendMode::OnNewLine);
}

} // namespace

// --- personal data -------------------------------------------------------

StoreStatus ReadPersonalData(const QString &dir, PersonalData &data)
{
    TextFile file;
    if (StoreStatus status = ReadTextFile(dir, FileNames::PersonalData, file); !status)
        return status;
    const QString &name = file.shownName;
    QByteArrayView values[3];
    QList<QByteArrayView> fields;
    for (int i = 0; i < 3; ++i) {
        if (i >= file.lines.size())
            return StoreStatus::failure(
                name, QStringLiteral("%1 行目 (%2) がありません").arg(i + 1).arg(PersonalLabels[i]));
        if (StoreStatus status = ReadFields(file.lines.at(i), name, i + 1, fields); !status)
            return status;
        // The label is written but never checked: values are taken by position.
        if (fields.size() != 2)
            return StoreStatus::failure(name,
                                        QStringLiteral("%1の行は見出しと値の 2 項目のはずが %2 項目です")
                                            .arg(PersonalLabels[i])
                                            .arg(fields.size()),
                                        i + 1);
        values[i] = fields.at(1);
    }
    PersonalData result;
    if (StoreStatus status = DecodeLine(values[0], name, 1, result.userName); !status)
        return status;
    if (StoreStatus status = readReal(values[1], name, 2, PersonalLabels[1], result.heightCm); !status)
        return status;
    if (StoreStatus status = readReal(values[2], name, 3, PersonalLabels[2], result.targetWeight); !status)
        return status;
    data = result;
    return StoreStatus::success();
}

StoreStatus WritePersonalData(const QString &dir, const PersonalData &data)
{
    QByteArray bytes;
    if (StoreStatus status = PersonalDataBytes(dir, data, bytes); !status)
        return status;
    return WriteDiaryFile(dir, FileNames::PersonalData, bytes);
}

StoreStatus PersonalDataBytes(const QString &dir, const PersonalData &data, QByteArray &bytes)
{
    const QString name = ShownNameIn(dir, FileNames::PersonalData);
    QByteArray userName;
    if (StoreStatus status =
            EncodeText(data.userName, TextPlace::QuotedField, name, PersonalLabels[0], userName);
        !status)
        return status;
    if (!std::isfinite(data.heightCm) || !std::isfinite(data.targetWeight))
        return StoreStatus::failure(name, QStringLiteral("身長または目標体重が数値ではありません"));
    bytes = LabelledLine(PersonalLabels[0], quoted(userName)) +
            LabelledLine(PersonalLabels[1], realText(data.heightCm)) +
            LabelledLine(PersonalLabels[2], realText(data.targetWeight));
    return StoreStatus::success();
}

// --- status list ---------------------------------------------------------

StoreStatus ReadStatusList(const QString &dir, QStringList &statuses)
{
    TextFile file;
    if (StoreStatus status = ReadTextFile(dir, FileNames::StatusList, file); !status)
        return status;
    QStringList result;
    QList<QByteArrayView> fields;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        // A quoted line is one status even with commas in it; a plain line
        // with a comma gives one status per part.
        if (StoreStatus status = ReadFields(file.lines.at(i), file.shownName, i + 1, fields); !status)
            return status;
        for (QByteArrayView field : std::as_const(fields)) {
            if (StoreStatus status = DecodeLine(field, file.shownName, i + 1, result.emplace_back()); !status)
                return status;
        }
    }
    statuses = result;
    return StoreStatus::success();
}

StoreStatus AppendStatusQuoted(const QString &dir, const QString &status)
{
    return appendStatus(dir, status, Quoting::Quoted);
}

StoreStatus AppendStatusPlain(const QString &dir, const QString &status)
{
    return appendStatus(dir, status, Quoting::Plain);
}

StoreStatus WriteStatusListPlain(const QString &dir, const QStringList &statuses)
{
    QByteArray content;
    if (StoreStatus result = statusLines(dir, statuses, Quoting::Plain, content); !result)
        return result;
    return WriteDiaryFile(dir, FileNames::StatusList, content);
}

StoreStatus WriteStatusListQuoted(const QString &dir, const QStringList &statuses)
{
    QByteArray content;
    if (StoreStatus result = statusLines(dir, statuses, Quoting::Quoted, content); !result)
        return result;
    return WriteDiaryFile(dir, FileNames::StatusList, content, FileNames::StatusListRenameTemp);
}

// --- notice memo ---------------------------------------------------------

StoreStatus ReadNoticeMemo(const QString &dir, QString &memo)
{
    TextFile file;
    if (StoreStatus status = ReadTextFile(dir, FileNames::NoticeMemo, file); !status)
        return status;
    QStringList lines;
    if (StoreStatus status = DecodeLines(file, file.lines.size(), lines); !status)
        return status;
    // The one CR LF after the memo is not part of it.
    memo = lines.join(QStringLiteral("\r\n"));
    return StoreStatus::success();
}

StoreStatus WriteNoticeMemo(const QString &dir, const QString &memo)
{
    // Any form of line break the text box hands over is stored as CR LF.
    QString text = memo;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar(QChar::ParagraphSeparator), u'\n');
    text.replace(QChar(QChar::LineSeparator), u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QByteArray bytes;
    if (StoreStatus status = EncodeText(text, TextPlace::FreeText, ShownNameIn(dir, FileNames::NoticeMemo),
                                        QStringLiteral("気付きメモ"), bytes);
        !status)
        return status;
    return WriteDiaryFile(dir, FileNames::NoticeMemo, bytes + "\r\n");
}

// --- marker setting ------------------------------------------------------

StoreStatus ReadMarkerSetting(const QString &dir, int &markerMode)
{
    const QString what = QStringLiteral("マーカー");
    TextFile file;
    QList<QByteArrayView> fields;
    if (StoreStatus status = ReadFirstLineFields(dir, FileNames::Marker, what, file, fields); !status)
        return status;
    QString text;
    if (!fields.isEmpty())
        if (StoreStatus status = DecodeLine(fields.first(), file.shownName, 1, text); !status)
            return status;
    return ReadSettingNumber(text, file.shownName, what, markerMode);
}

StoreStatus WriteMarkerSetting(const QString &dir, int markerMode)
{
    return WriteDiaryFile(dir, FileNames::Marker, QByteArray::number(markerMode) + "\r\n");
}

} // namespace zz
