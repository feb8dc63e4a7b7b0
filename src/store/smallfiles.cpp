#include "store/smallfiles.h"

#include "store/cp932.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/numbers.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QFileInfo>
#include <cmath>

namespace zz {

namespace {

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// The fields of one line in the comma-separated convention.
StoreStatus readFields(QByteArrayView line, const QString &fileName, qint64 lineNumber,
                       QList<QByteArrayView> &fields)
{
    fields.clear();
    FieldReader reader(line);
    QByteArrayView field;
    while (reader.next(field))
        fields.append(field);
    if (!reader.fault().isEmpty())
        return StoreStatus::failure(fileName, reader.fault(), lineNumber);
    return StoreStatus::success();
}

StoreStatus readReal(QByteArrayView field, const QString &fileName, qint64 lineNumber,
                     const QString &what, float &value)
{
    QString text;
    if (StoreStatus status = DecodeLine(field, fileName, lineNumber, text); !status)
        return status;
    const std::optional<float> number = WholeNumberAsFloat(text);
    if (!number)
        return StoreStatus::failure(fileName,
                                    QStringLiteral("%1「%2」が数値ではありません").arg(what, text),
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

StoreStatus appendStatusLine(const QString &dir, const QByteArray &line)
{
    return AppendToFile(ResolveDiaryFile(dir, FileNames::StatusList), line, true);
}

} // namespace

// --- personal data -------------------------------------------------------

StoreStatus ReadPersonalData(const QString &dir, PersonalData &data)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, FileNames::PersonalData, bytes, &path); !status)
        return status;
    const QString name = shownName(path);
    const QList<QByteArrayView> lines = SplitLines(bytes);
    static const QString labels[3] = {QStringLiteral("氏名"), QStringLiteral("身長"),
                                      QStringLiteral("目標体重")};
    QByteArrayView values[3];
    QList<QByteArrayView> fields;
    for (int i = 0; i < 3; ++i) {
        if (i >= lines.size())
            return StoreStatus::failure(
                name, QStringLiteral("%1 行目 (%2) がありません").arg(i + 1).arg(labels[i]));
        if (StoreStatus status = readFields(lines.at(i), name, i + 1, fields); !status)
            return status;
        // The label is written but never checked: values are taken by position.
        if (fields.size() != 2)
            return StoreStatus::failure(
                name,
                QStringLiteral("%1の行は見出しと値の 2 項目のはずが %2 項目です").arg(labels[i]).arg(fields.size()),
                i + 1);
        values[i] = fields.at(1);
    }
    PersonalData result;
    if (StoreStatus status = DecodeLine(values[0], name, 1, result.userName); !status)
        return status;
    if (StoreStatus status = readReal(values[1], name, 2, labels[1], result.heightCm); !status)
        return status;
    if (StoreStatus status = readReal(values[2], name, 3, labels[2], result.targetWeight); !status)
        return status;
    data = result;
    return StoreStatus::success();
}

StoreStatus WritePersonalData(const QString &dir, const PersonalData &data)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::PersonalData));
    QByteArray userName;
    if (StoreStatus status = EncodeField(data.userName, name, QStringLiteral("氏名"), userName); !status)
        return status;
    if (!std::isfinite(data.heightCm) || !std::isfinite(data.targetWeight))
        return StoreStatus::failure(name, QStringLiteral("身長または目標体重が数値ではありません"));
    QByteArray bytes;
    QByteArray label;
    EncodeCp932(QStringLiteral("氏名"), label);
    bytes += quoted(label) + ',' + quoted(userName) + "\r\n";
    EncodeCp932(QStringLiteral("身長"), label);
    bytes += quoted(label) + ',' + realText(data.heightCm) + "\r\n";
    EncodeCp932(QStringLiteral("目標体重"), label);
    bytes += quoted(label) + ',' + realText(data.targetWeight) + "\r\n";
    return WriteDiaryFile(dir, FileNames::PersonalData, bytes);
}

// --- status list ---------------------------------------------------------

StoreStatus ReadStatusList(const QString &dir, QStringList &statuses)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, FileNames::StatusList, bytes, &path); !status)
        return status;
    const QString name = shownName(path);
    const QList<QByteArrayView> lines = SplitLines(bytes);
    QStringList result;
    QList<QByteArrayView> fields;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // A quoted line is one status even with commas in it; a plain line
        // with a comma gives one status per part.
        if (StoreStatus status = readFields(lines.at(i), name, i + 1, fields); !status)
            return status;
        for (QByteArrayView field : std::as_const(fields)) {
            QString text;
            if (StoreStatus status = DecodeLine(field, name, i + 1, text); !status)
                return status;
            result.append(text);
        }
    }
    statuses = result;
    return StoreStatus::success();
}

StoreStatus AppendStatusQuoted(const QString &dir, const QString &status)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::StatusList));
    QByteArray bytes;
    if (StoreStatus result = EncodeField(status, name, QStringLiteral("状況"), bytes); !result)
        return result;
    return appendStatusLine(dir, quoted(bytes) + "\r\n");
}

StoreStatus AppendStatusPlain(const QString &dir, const QString &status)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::StatusList));
    QByteArray bytes;
    if (StoreStatus result = EncodeField(status, name, QStringLiteral("状況"), bytes); !result)
        return result;
    return appendStatusLine(dir, bytes + "\r\n");
}

StoreStatus WriteStatusListPlain(const QString &dir, const QStringList &statuses)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::StatusList));
    QByteArray content;
    for (const QString &status : statuses) {
        QByteArray bytes;
        if (StoreStatus result = EncodeField(status, name, QStringLiteral("状況"), bytes); !result)
            return result;
        content += bytes + "\r\n";
    }
    return WriteDiaryFile(dir, FileNames::StatusList, content);
}

StoreStatus WriteStatusListQuoted(const QString &dir, const QStringList &statuses)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::StatusList));
    QByteArray content;
    for (const QString &status : statuses) {
        QByteArray bytes;
        if (StoreStatus result = EncodeField(status, name, QStringLiteral("状況"), bytes); !result)
            return result;
        content += quoted(bytes) + "\r\n";
    }
    return WriteDiaryFile(dir, FileNames::StatusList, content, FileNames::StatusListRenameTemp);
}

// --- notice memo ---------------------------------------------------------

StoreStatus ReadNoticeMemo(const QString &dir, QString &memo)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, FileNames::NoticeMemo, bytes, &path); !status)
        return status;
    const QString name = shownName(path);
    const QList<QByteArrayView> lines = SplitLines(bytes);
    QString result;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString text;
        if (StoreStatus status = DecodeLine(lines.at(i), name, i + 1, text); !status)
            return status;
        result += text + QStringLiteral("\r\n");
    }
    if (result.endsWith(QStringLiteral("\r\n")))
        result.chop(2);
    memo = result;
    return StoreStatus::success();
}

StoreStatus WriteNoticeMemo(const QString &dir, const QString &memo)
{
    const QString name = shownName(ResolveDiaryFile(dir, FileNames::NoticeMemo));
    // Any form of line break the text box hands over is stored as CR LF.
    QString text = memo;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar(QChar::ParagraphSeparator), u'\n');
    text.replace(QChar(QChar::LineSeparator), u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    QByteArray bytes;
    QString bad;
    if (!EncodeCp932(text, bytes, &bad))
        return StoreStatus::failure(name, QStringLiteral("気付きメモに保存できない文字「%1」があります").arg(bad));
    return WriteDiaryFile(dir, FileNames::NoticeMemo, bytes);
}

// --- marker setting ------------------------------------------------------

StoreStatus ReadMarkerSetting(const QString &dir, int &markerMode)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, FileNames::Marker, bytes, &path); !status)
        return status;
    const QString name = shownName(path);
    const QList<QByteArrayView> lines = SplitLines(bytes);
    if (lines.isEmpty())
        return StoreStatus::failure(name, QStringLiteral("マーカーの設定がありません"));
    QList<QByteArrayView> fields;
    if (StoreStatus status = readFields(lines.first(), name, 1, fields); !status)
        return status;
    const QString text = fields.isEmpty() ? QString() : QString::fromLatin1(fields.first());
    const std::optional<double> value = WholeNumber(text);
    const std::optional<qint16> whole = value ? RoundToInt16(*value) : std::nullopt;
    if (!whole)
        return StoreStatus::failure(name, QStringLiteral("マーカーの設定「%1」が整数ではありません").arg(text), 1);
    markerMode = *whole;
    return StoreStatus::success();
}

StoreStatus WriteMarkerSetting(const QString &dir, int markerMode)
{
    return WriteDiaryFile(dir, FileNames::Marker, QByteArray::number(markerMode) + "\r\n");
}

} // namespace zz
