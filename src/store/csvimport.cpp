#include "store/csvimport.h"

#include "base/cp932.h"
#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/measurementline.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace zz {

namespace {

// --- decoding and splitting ----------------------------------------------

QString decode(QByteArrayView bytes, bool &binary)
{
    binary = false;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (bytes.contains('\0')) {
        binary = true;
        return {};
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (DecodeCp932(bytes, text))
        return text;
    binary = true;
    return {};
}

QChar findDelimiter(QStringView text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u'\t')
            ++tabs;
    }
    if (tabs > commas && tabs >= semicolons)
        return u'\t';
    if (semicolons > commas)
        return u';';
    return u',';
}

// RFC 4180: quoted fields may hold delimiters, doubled quotes and line breaks.
void split(QStringView text, QChar delimiter, QList<QStringList> &rows, QList<qint64> &lines)
{
    QStringList row;
    QString field;
    bool quoted = false, fieldStarted = false;
    qint64 line = 1, rowLine = 1;
    const auto endRow = [&] {
        row.append(field);
        field.clear();
        fieldStarted = false;
        const bool blank = row.size() == 1 && row.first().trimmed().isEmpty();
        if (!blank) {
            rows.append(row);
            lines.append(rowLine);
        }
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == delimiter) {
            row.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
            ++line;
            rowLine = line;
        } else {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty())
        endRow();
}

// --- values ----------------------------------------------------------------

std::optional<double> numberOf(QString cell, QChar delimiter)
{
    cell = cell.trimmed();
    if (cell.isEmpty())
        return std::nullopt;
    if (delimiter == u';')
        cell.replace(u',', u'.');
    // A unit may follow the number ("65.2 kg").
    qsizetype end = 0;
    while (end < cell.size() &&
           (cell[end].isDigit() || cell[end] == u'.' || cell[end] == u'-' || cell[end] == u'+'))
        ++end;
    return WholeNumber(QStringView(cell).first(end));
}

bool couldBeWeight(const QString &cell)
{
    const std::optional<double> n = WholeNumber(cell.trimmed());
    return n && *n >= 20 && *n <= 700;
}

struct DateTime
{
    QDate date;
    int minute = -1;
};

DateTime dateTimeOf(const QString &cell)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})(?:\s*日)?(?:[\sT]+(\d{1,2}):(\d{2})(?::(\d{2}))?)?)"));
    const QRegularExpressionMatch m = pattern.match(cell);
    DateTime result;
    if (!m.hasMatch())
        return result;
    result.date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (m.hasCaptured(4) && !m.captured(4).isEmpty()) {
        const int hour = m.captured(4).toInt(), minute = m.captured(5).toInt();
        if (hour < 24 && minute < 60)
            result.minute = hour * 60 + minute;
    }
    return result;
}

int minuteOf(const QString &cell)
{
    static const QRegularExpression pattern(QStringLiteral(R"((?:^|\s|T)(\d{1,2}):(\d{2})(?::\d{2})?)"));
    const QRegularExpressionMatch m = pattern.match(cell);
    if (!m.hasMatch())
        return -1;
    const int hour = m.captured(1).toInt(), minute = m.captured(2).toInt();
    return hour < 24 && minute < 60 ? hour * 60 + minute : -1;
}

// A header as compared: width-folded, lower case, without blanks and
// underscores; `base` also without a unit in parentheses.
struct HeaderName
{
    QString full, base;
};

HeaderName headerName(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toLower();
    folded.remove(QRegularExpression(QStringLiteral(R"([\s_])")));
    QString base = folded;
    base.remove(QRegularExpression(QStringLiteral(R"(\([^)]*\))")));
    return {folded, base};
}

bool containsAny(const QString &text, std::initializer_list<const char16_t *> words)
{
    for (const char16_t *word : words)
        if (text.contains(QStringView(word)))
            return true;
    return false;
}

QString storedDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

bool ReadCsv(QByteArrayView bytes, CsvTable &table, QString &fault)
{
    bool binary = false;
    const QString text = decode(bytes, binary);
    if (binary) {
        fault = QStringLiteral("CSV ファイルではありません (文字として読めないバイトがあります)");
        return false;
    }
    CsvTable result;
    result.delimiter = findDelimiter(text);
    split(text, result.delimiter, result.rows, result.lineNumbers);
    if (result.rows.isEmpty()) {
        fault = QStringLiteral("空のファイルです");
        return false;
    }
    const QStringList &first = result.rows.first();
    result.hasHeader = std::none_of(first.cbegin(), first.cend(), couldBeWeight);
    if (result.hasHeader) {
        result.header = result.rows.takeFirst();
        result.lineNumbers.removeFirst();
    }
    table = std::move(result);
    return true;
}

CsvChoices RecogniseCsvColumns(const CsvTable &table)
{
    CsvChoices choices;
    if (!table.hasHeader)
        return choices;
    QList<HeaderName> names;
    for (const QString &h : table.header)
        names.append(headerName(h));
    QSet<int> used;
    const auto take = [&](CsvField field, auto matches) {
        int &column = choices.columns[int(field)];
        for (int i = 0; i < names.size() && column < 0; ++i)
            if (!used.contains(i) && matches(names[i])) {
                column = i;
                used.insert(i);
            }
    };
    const auto sample = [&](int column) {
        return table.rows.isEmpty() || column >= table.rows.first().size() ? QString()
                                                                           : table.rows.first().at(column);
    };
    // Most specific first, so that "muscle score" is no muscle mass.
    take(CsvField::Date, [](const HeaderName &n) {
        return n.base == u"date" || n.base == u"datetime" || n.base == u"日付" || n.base == u"日時" ||
               n.base == u"測定日" || n.base == u"測定日時" || n.base.contains(u"date");
    });
    if (choices.columns[int(CsvField::Date)] < 0) // a "time" column holding dates
        for (int i = 0; i < names.size(); ++i)
            if (!used.contains(i) && (names[i].base == u"time" || names[i].base == u"時刻") &&
                dateTimeOf(sample(i)).date.isValid()) {
                choices.columns[int(CsvField::Date)] = i;
                used.insert(i);
                break;
            }
    const int dateColumn = choices.columns[int(CsvField::Date)];
    if (dateColumn < 0 || dateTimeOf(sample(dateColumn)).minute < 0)
        take(CsvField::Time, [](const HeaderName &n) { return n.base == u"time" || n.base == u"時刻"; });
    take(CsvField::MuscleScore, [](const HeaderName &n) {
        return containsAny(n.base, {u"musclescore", u"筋肉スコア"});
    });
    take(CsvField::VisceralFat, [](const HeaderName &n) {
        return containsAny(n.base, {u"visceral", u"内臓脂肪"});
    });
    take(CsvField::BodyFat, [](const HeaderName &n) {
        return containsAny(n.base, {u"fat", u"体脂肪"}) &&
               !containsAny(n.full, {u"mass", u"kg", u"visceral", u"内臓"});
    });
    if (choices.columns[int(CsvField::BodyFat)] < 0) {
        take(CsvField::BodyFat, [](const HeaderName &n) {
            return containsAny(n.base, {u"fat", u"体脂肪"}) && !containsAny(n.full, {u"visceral", u"内臓"});
        });
        choices.fatIsMass = choices.columns[int(CsvField::BodyFat)] >= 0;
    }
    take(CsvField::BasalMetabolism, [](const HeaderName &n) {
        return containsAny(n.base, {u"basal", u"bmr", u"metabolic", u"基礎代謝"});
    });
    take(CsvField::MuscleMass, [](const HeaderName &n) {
        return containsAny(n.base, {u"muscle", u"筋肉量"}) && !n.base.contains(u"score");
    });
    take(CsvField::Bone, [](const HeaderName &n) { return containsAny(n.base, {u"bone", u"骨"}); });
    take(CsvField::Weight, [](const HeaderName &n) { return containsAny(n.base, {u"weight", u"体重"}); });
    take(CsvField::Comment, [](const HeaderName &n) {
        return containsAny(n.base, {u"comment", u"note", u"memo", u"メモ", u"コメント", u"一言"});
    });
    const int weight = choices.columns[int(CsvField::Weight)];
    choices.pounds =
        weight >= 0 &&
        QRegularExpression(QStringLiteral(R"(\blbs?\b|\(lbs?\))")).match(names[weight].full).hasMatch();
    for (int i = 0; i < names.size(); ++i)
        if (!used.contains(i) && (names[i].base == u"状況" || names[i].base == u"status")) {
            choices.statusColumn = i;
            break;
        }
    return choices;
}

CsvImportPlan PlanCsvImport(const CsvTable &table, const CsvChoices &choices,
                            const QList<MeasurementRecord> &diary, const QStringList &statusList)
{
    CsvImportPlan plan;
    const auto cell = [&](const QStringList &row, CsvField field) -> QString {
        const int column = choices.columns[int(field)];
        return column >= 0 && column < row.size() ? row.at(column) : QString();
    };
    const auto number = [&](const QStringList &row, CsvField field) {
        return numberOf(cell(row, field), table.delimiter);
    };
    // Body fat as fractions: every value at most 1.
    bool fatFractions = choices.columns[int(CsvField::BodyFat)] >= 0 && !choices.fatIsMass;
    bool anyFat = false;
    if (fatFractions)
        for (const QStringList &row : table.rows)
            if (const std::optional<double> fat = number(row, CsvField::BodyFat)) {
                anyFat = true;
                if (*fat > 1) {
                    fatFractions = false;
                    break;
                }
            }
    fatFractions = fatFractions && anyFat;

    struct Parsed
    {
        DateTime when;
        QString status;
        std::array<std::optional<double>, 7> values; // weight .. bone
        QString comment;
        qsizetype order;
    };
    QList<Parsed> parsed;
    parsed.reserve(table.rows.size());
    QSet<QStringList> seenRows;
    QSet<QString> diaryKeys;
    for (const MeasurementRecord &r : diary)
        diaryKeys.insert(r.date + u'\t' + r.status + u'\t' + QString::number(std::lround(r.weight * 10)));
    const QString status0 = choices.statuses.value(0), status1 = choices.statuses.value(1, status0),
                  status2 = choices.statuses.value(2, status0);

    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        const QStringList &row = table.rows.at(i);
        Parsed p;
        p.order = i;
        p.when = dateTimeOf(cell(row, CsvField::Date));
        if (p.when.minute < 0 && choices.columns[int(CsvField::Time)] >= 0)
            p.when.minute = minuteOf(u' ' + cell(row, CsvField::Time).trimmed());
        std::optional<double> weight = number(row, CsvField::Weight);
        if (!p.when.date.isValid() || !weight || *weight <= 0) {
            plan.unreadableLines.append(table.lineNumbers.value(i));
            continue;
        }
        if (seenRows.contains(row)) {
            ++plan.duplicates;
            continue;
        }
        seenRows.insert(row);
        if (choices.pounds)
            *weight *= 0.45359237;
        p.values[0] = weight;
        static constexpr CsvField others[] = {CsvField::BodyFat,     CsvField::BasalMetabolism,
                                              CsvField::VisceralFat, CsvField::MuscleMass,
                                              CsvField::MuscleScore, CsvField::Bone};
        for (int f = 0; f < 6; ++f)
            p.values[f + 1] = number(row, others[f]);
        if (p.values[1]) {
            if (choices.fatIsMass)
                p.values[1] = *p.values[1] * (choices.pounds ? 0.45359237 : 1.0) / *weight * 100.0;
            else if (fatFractions)
                p.values[1] = *p.values[1] * 100.0;
        }
        if (choices.statusColumn >= 0 && choices.statusColumn < row.size() &&
            !row.at(choices.statusColumn).trimmed().isEmpty())
            p.status = row.at(choices.statusColumn).trimmed();
        else if (p.when.minute < 0 || (p.when.minute >= 4 * 60 && p.when.minute < 11 * 60))
            p.status = status0;
        else if (p.when.minute < 17 * 60)
            p.status = status1;
        else
            p.status = status2;
        p.comment = cell(row, CsvField::Comment).simplified();
        const QString key = storedDate(p.when.date) + u'\t' + p.status + u'\t' +
                            QString::number(std::lround(float(*weight) * 10));
        if (diaryKeys.contains(key)) {
            ++plan.duplicates;
            continue;
        }
        parsed.append(std::move(p));
    }
    std::stable_sort(parsed.begin(), parsed.end(), [](const Parsed &a, const Parsed &b) {
        return a.when.date != b.when.date ? a.when.date < b.when.date : a.when.minute < b.when.minute;
    });

    // A missing value takes the nearest earlier known one of its field (the
    // diary's records of a date come before the imported rows of that date),
    // else the nearest later one, else 0.
    struct Known
    {
        QDate date;
        int minute;
        std::array<double, 7> values;
    };
    QList<Known> diaryKnown;
    diaryKnown.reserve(diary.size());
    for (const MeasurementRecord &r : diary)
        diaryKnown.append({QDate::fromString(r.date, QStringLiteral("yyyy/MM/dd")),
                           -2,
                           {r.weight, r.bodyFat, double(r.basalMetabolism), double(r.visceralFat),
                            r.muscleMass, double(r.muscleScore), r.boneMass}});
    std::stable_sort(diaryKnown.begin(), diaryKnown.end(),
                     [](const Known &a, const Known &b) { return a.date < b.date; });
    const auto before = [](const QDate &d1, int m1, const QDate &d2, int m2) {
        return d1 != d2 ? d1 < d2 : m1 < m2;
    };
    plan.rows.resize(parsed.size());
    for (int f = 1; f < 7; ++f) {
        // Forward: the last known value at or before each row.
        std::optional<double> last;
        qsizetype k = 0;
        std::vector<std::optional<double>> earlier(size_t(parsed.size()));
        for (qsizetype i = 0; i < parsed.size(); ++i) {
            while (k < diaryKnown.size() && !before(parsed[i].when.date, parsed[i].when.minute,
                                                    diaryKnown[k].date, diaryKnown[k].minute)) {
                last = diaryKnown[k].values[f];
                ++k;
            }
            if (parsed[i].values[f])
                last = parsed[i].values[f];
            earlier[size_t(i)] = last;
        }
        // Backward: the first known value after each row.
        std::optional<double> next;
        qsizetype j = diaryKnown.size() - 1;
        for (qsizetype i = parsed.size() - 1; i >= 0; --i) {
            while (j >= 0 && before(parsed[i].when.date, parsed[i].when.minute, diaryKnown[j].date,
                                    diaryKnown[j].minute)) {
                next = diaryKnown[j].values[f];
                --j;
            }
            Parsed &p = parsed[i];
            if (p.values[f]) {
                next = p.values[f];
                continue;
            }
            plan.rows[i].filled[size_t(f)] = true;
            p.values[f] = earlier[size_t(i)] ? earlier[size_t(i)] : next ? next : std::optional<double>(0.0);
        }
    }

    QSet<QString> knownStatuses(statusList.cbegin(), statusList.cend());
    for (qsizetype i = 0; i < parsed.size(); ++i) {
        const Parsed &p = parsed[i];
        CsvImportRow &out = plan.rows[i];
        MeasurementRecord &r = out.record;
        r.date = storedDate(p.when.date);
        r.status = p.status;
        r.weight = float(*p.values[0]);
        r.bodyFat = float(std::round(*p.values[1] * 10) / 10);
        r.basalMetabolism = RoundToInt16(*p.values[2]).value_or(0);
        r.visceralFat = RoundToInt16(*p.values[3]).value_or(0);
        r.muscleMass = float(*p.values[4]);
        r.muscleScore = RoundToInt16(*p.values[5]).value_or(0);
        r.boneMass = float(*p.values[6]);
        r.comment = p.comment;
        out.minuteOfDay = p.when.minute;
        if (!knownStatuses.contains(r.status)) {
            knownStatuses.insert(r.status);
            plan.newStatuses.append(r.status);
        }
    }
    return plan;
}

QString CsvSummaryText(const CsvImportPlan &plan)
{
    QString text = QStringLiteral("取り込む測定 %1件　重複 %2件　読めない行 %3件")
                       .arg(plan.rows.size())
                       .arg(plan.duplicates)
                       .arg(plan.unreadableLines.size());
    if (!plan.unreadableLines.isEmpty()) {
        QStringList lines;
        for (qsizetype i = 0; i < plan.unreadableLines.size() && i < 10; ++i)
            lines.append(QStringLiteral("%1行目").arg(plan.unreadableLines.at(i)));
        if (plan.unreadableLines.size() > 10)
            lines.append(QStringLiteral("…"));
        text += QStringLiteral("（%1）").arg(lines.join(QStringLiteral(", ")));
    }
    return text;
}

StoreStatus CsvMergeSplices(const QString &dir, const CsvImportPlan &plan, QList<LineSplice> &splices)
{
    splices.clear();
    QList<MeasurementRecord> diary;
    if (StoreStatus status = ReadMeasurements(dir, diary); !status)
        return status;
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (StoreStatus status = ReadMeasurementLines(dir, bytes, lines); !status)
        return status;
    // The rows are in date order, the diary too: one walk finds where each goes.
    qsizetype at = 0;
    for (const CsvImportRow &row : plan.rows) {
        QByteArray line;
        QString fault;
        if (!FormatMeasurementLine(row.record, line, &fault))
            return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements), fault);
        while (at < diary.size() && diary.at(at).date <= row.record.date)
            ++at;
        if (splices.isEmpty() || splices.last().from != at)
            splices.append({at, {}, {}});
        splices.last().newLines.append(line);
    }
    // Lines after a last line without its line end: that line gets one.
    const qsizetype n = lines.size();
    if (!splices.isEmpty() && splices.last().from == n && n > 0 && !lines.last().endsWith('\n')) {
        LineSplice &end = splices.last();
        end.from = n - 1;
        end.oldLines = {lines.last().toByteArray()};
        end.newLines.prepend(lines.last().toByteArray() + "\r\n");
    }
    return StoreStatus::success();
}

StoreStatus BackUpBeforeCsvImport(const QString &dir, const QString &stamp)
{
    for (const QString &name : {FileNames::Measurements, FileNames::StatusList}) {
        const QString path = ResolveDiaryFile(dir, name);
        QByteArray bytes;
        if (StoreStatus status = ReadWholeFile(path, bytes); !status)
            return status;
        const QString copy =
            QDir(dir).filePath(name.left(name.lastIndexOf(u'.')) + QStringLiteral("_CSV取り込み前_") + stamp +
                               QStringLiteral(".txt"));
        if (StoreStatus status = ReplaceFile(copy, copy + QStringLiteral(".tmp"), bytes); !status)
            return status;
    }
    return StoreStatus::success();
}

namespace {

void appendCsvField(QByteArray &out, const QString &text)
{
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) {
        out.append(text.toUtf8());
        return;
    }
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    out.append('"');
    out.append(doubled.toUtf8());
    out.append('"');
}

} // namespace

StoreStatus CsvExportBytes(const QString &dir, QByteArray &bytes, qint64 &count,
                           const QList<qsizetype> *indices)
{
    QByteArray file;
    QList<QByteArrayView> lines;
    if (StoreStatus status = ReadMeasurementLines(dir, file, lines); !status)
        return status;
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(file.size() + file.size() / 4 + 256);
    out.append(
        QStringLiteral("日付,状況,体重(kg),体脂肪率(%),基礎代謝量(kcal),内臓脂肪レベル,筋肉量(kg),筋肉スコア,"
                       "骨量(kg),一言日記\r\n")
            .toUtf8());
    count = 0;
    const qsizetype total = indices ? indices->size() : lines.size();
    for (qsizetype k = 0; k < total; ++k) {
        const qsizetype i = indices ? indices->at(k) : k;
        if (i < 0 || i >= lines.size())
            continue;
        QByteArrayView line = lines.at(i);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        FieldReader reader(line);
        QByteArrayView field;
        QList<QByteArrayView> fields;
        while (reader.next(field))
            fields.append(field);
        if (fields.size() < 10)
            return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements),
                                        QStringLiteral("記録として読めません"), i + 1);
        QString date = QString::fromLatin1(fields[0]);
        date.replace(u'/', u'-');
        out.append(date.toLatin1());
        for (int f = 1; f < 10; ++f) {
            out.append(',');
            if (f == 1 || f == 9) {
                QString text;
                if (!DecodeCp932(fields[f], text))
                    return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements),
                                                QStringLiteral("コードページ 932 として読めません"), i + 1);
                appendCsvField(out, text);
            } else {
                out.append(fields[f]);
            }
        }
        out.append("\r\n");
        ++count;
    }
    bytes = std::move(out);
    return StoreStatus::success();
}

StoreStatus WriteCsvExport(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return StoreStatus::failure(QDir::toNativeSeparators(path),
                                    QStringLiteral("書き込めません (%1)").arg(file.errorString()));
    return StoreStatus::success();
}

} // namespace zz
