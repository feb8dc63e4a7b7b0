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
#include <limits>

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
// An unquoted field is taken as one slice of the text.
bool split(QStringView text, QChar delimiter, QList<QStringList> &rows, QList<qint64> &lines,
           const CsvProgress &progress)
{
    QStringList row;
    qint64 line = 1, rowLine = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype width = 4; // the cells of the row before: rows are alike
    const auto endRow = [&] {
        const bool blank = row.size() == 1 && row.first().trimmed().isEmpty();
        width = std::max<qsizetype>(width, row.size());
        if (!blank) {
            rows.append(std::move(row));
            lines.append(rowLine);
        }
        row = QStringList();
        row.reserve(width);
    };
    row.reserve(width);
    while (i < n) {
        QString field;
        if (text[i] == u'"') {
            // Quoted: up to the closing quote, then what follows it up to the delimiter.
            ++i;
            for (;;) {
                const qsizetype quote = text.indexOf(u'"', i);
                if (quote < 0) {
                    field.append(text.sliced(i));
                    line += text.sliced(i).count(u'\n');
                    i = n;
                    break;
                }
                field.append(text.sliced(i, quote - i));
                line += text.sliced(i, quote - i).count(u'\n');
                i = quote + 1;
                if (i < n && text[i] == u'"') {
                    field.append(u'"');
                    ++i;
                    continue;
                }
                break;
            }
        }
        const qsizetype start = i;
        while (i < n && text[i] != delimiter && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        if (i > start)
            field.append(text.sliced(start, i - start));
        row.append(std::move(field));
        if (i >= n)
            break;
        if (text[i] == delimiter) {
            ++i;
            if (i >= n)
                row.append(QString());
            continue;
        }
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        ++i;
        endRow();
        if (progress && (line & 0x3fff) == 0 && !progress(int(i * 500 / n)))
            return false;
        ++line;
        rowLine = line;
    }
    if (!row.isEmpty())
        endRow();
    return true;
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

// "2020-01-28", "2020/1/28", "2020.01.28", "2020年1月28日", each optionally
// followed by " 21:18[:00]" or "T21:18".
DateTime dateTimeOf(QStringView cell)
{
    DateTime result;
    qsizetype i = 0;
    const qsizetype n = cell.size();
    const auto blanks = [&] {
        while (i < n && cell[i].isSpace())
            ++i;
    };
    const auto digits = [&](int most) {
        int value = 0, count = 0;
        while (i < n && count < most && cell[i] >= u'0' && cell[i] <= u'9') {
            value = value * 10 + (cell[i].unicode() - u'0');
            ++i;
            ++count;
        }
        return count == 0 ? -1 : value;
    };
    const auto separator = [&](char16_t kanji) {
        blanks();
        if (i < n && (cell[i] == u'-' || cell[i] == u'/' || cell[i] == u'.' || cell[i] == QChar(kanji))) {
            ++i;
            blanks();
            return true;
        }
        return false;
    };
    blanks();
    const qsizetype yearStart = i;
    const int year = digits(4);
    if (i - yearStart != 4 || !separator(u'年'))
        return result;
    const int month = digits(2);
    if (month < 0 || !separator(u'月'))
        return result;
    const int day = digits(2);
    if (day < 0)
        return result;
    result.date = QDate(year, month, day);
    qsizetype j = i;
    while (j < n && cell[j].isSpace())
        ++j;
    if (j < n && cell[j] == u'日')
        i = j + 1;
    const qsizetype beforeTime = i;
    while (i < n && (cell[i].isSpace() || cell[i] == u'T'))
        ++i;
    if (i == beforeTime)
        return result;
    const int hour = digits(2);
    if (hour < 0 || i >= n || cell[i] != u':')
        return result;
    ++i;
    const int minute = digits(2);
    if (minute >= 0 && hour < 24 && minute < 60)
        result.minute = hour * 60 + minute;
    return result;
}

// The time of day of "07:12", "07:12:00" or "2020-01-28 07:12"; -1 without one.
int minuteOf(QStringView cell)
{
    const qsizetype colon = cell.indexOf(u':');
    if (colon < 1 || colon + 2 >= cell.size() + 0 || !cell[colon + 1].isDigit() || !cell[colon + 2].isDigit())
        return -1;
    qsizetype start = colon;
    while (start > 0 && colon - start < 2 && cell[start - 1].isDigit())
        --start;
    if (start == colon)
        return -1;
    const int hour = cell.sliced(start, colon - start).toInt();
    const int minute = cell.sliced(colon + 1, 2).toInt();
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

// "yyyy/mm/dd", built by hand: a million rows make QDate::toString costly.
QString storedDate(const QDate &date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    if (y < 0 || y > 9999)
        return date.toString(QStringLiteral("yyyy/MM/dd"));
    const char16_t text[10] = {char16_t(u'0' + y / 1000),
                               char16_t(u'0' + y / 100 % 10),
                               char16_t(u'0' + y / 10 % 10),
                               char16_t(u'0' + y % 10),
                               u'/',
                               char16_t(u'0' + m / 10),
                               char16_t(u'0' + m % 10),
                               u'/',
                               char16_t(u'0' + d / 10),
                               char16_t(u'0' + d % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

// A cell's text as a quoted field of the diary can hold it, so that one
// phone's emoji does not refuse a whole import: line breaks and tabs become
// spaces, a double quote the closing quote "”", a character code page 932
// has not "?". The preview shows the text so.
QString storableText(const QString &cell)
{
    QString text = cell.simplified();
    if (FirstUnstorableCharacter(text).isEmpty())
        return text;
    text.replace(u'"', u'”');
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        out += FirstUnstorableCharacter(character).isEmpty() ? character : QStringLiteral("?");
        i += length - 1;
    }
    return out;
}

// Whether every value of the row fits its field of a record: a real number
// within float's range, a whole number within -32768..32767.
bool storable(const CsvImportRow &row)
{
    for (const size_t f : {0, 1, 4, 6})
        if (!std::isfinite(row.values[f]) || std::abs(row.values[f]) > std::numeric_limits<float>::max())
            return false;
    for (const size_t f : {2, 3, 5})
        if (!RoundToInt16(row.values[f]))
            return false;
    return true;
}

} // namespace

bool ReadCsv(QByteArrayView bytes, CsvTable &table, QString &fault, const CsvProgress &progress)
{
    bool binary = false;
    const QString text = decode(bytes, binary);
    if (binary) {
        fault = QStringLiteral("CSV ファイルではありません (文字として読めないバイトがあります)");
        return false;
    }
    CsvTable result;
    result.delimiter = findDelimiter(text);
    if (!split(text, result.delimiter, result.rows, result.lineNumbers, progress)) {
        fault = QStringLiteral("読み込みを取り消しました");
        return false;
    }
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
                            const QList<MeasurementRecord> &diary, const QStringList &statusList,
                            const CsvProgress &progress)
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

    QList<CsvImportRow> &rows = plan.rows;
    rows.reserve(table.rows.size());
    std::vector<quint8> known; // per row: which values the file gave
    known.reserve(size_t(table.rows.size()));
    // Rows seen so far, by hash: an open-addressing table of row indices (a
    // million rows would make a million hash nodes).
    qsizetype tableSize = 16;
    while (tableSize < table.rows.size() * 2)
        tableSize *= 2;
    std::vector<qsizetype> seenRows(static_cast<size_t>(tableSize), -1);
    std::vector<size_t> seenHashes(static_cast<size_t>(tableSize));
    QSet<QString> diaryKeys;
    for (const MeasurementRecord &r : diary)
        diaryKeys.insert(r.date + u'\t' + r.status + u'\t' + QString::number(std::lround(r.weight * 10)));
    const QString status0 = choices.statuses.value(0), status1 = choices.statuses.value(1, status0),
                  status2 = choices.statuses.value(2, status0);
    static constexpr CsvField others[] = {CsvField::BodyFat,     CsvField::BasalMetabolism,
                                          CsvField::VisceralFat, CsvField::MuscleMass,
                                          CsvField::MuscleScore, CsvField::Bone};

    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        if (progress && (i & 0x3fff) == 0 && !progress(int(500 + i * 500 / table.rows.size()))) {
            plan.cancelled = true;
            return plan;
        }
        const QStringList &row = table.rows.at(i);
        DateTime when = dateTimeOf(cell(row, CsvField::Date));
        if (when.minute < 0 && choices.columns[int(CsvField::Time)] >= 0)
            when.minute = minuteOf(cell(row, CsvField::Time));
        std::optional<double> weight = number(row, CsvField::Weight);
        if (!when.date.isValid() || !weight || *weight <= 0) {
            plan.unreadableLines.append(table.lineNumbers.value(i));
            continue;
        }
        if (choices.pounds)
            *weight *= 0.45359237;
        CsvImportRow out;
        out.date = when.date;
        out.minuteOfDay = when.minute;
        out.values[0] = *weight;
        quint8 mask = 1;
        for (int f = 0; f < 6; ++f)
            if (const std::optional<double> value = number(row, others[f])) {
                out.values[size_t(f) + 1] = *value;
                mask |= quint8(1u << (f + 1));
            }
        if (mask & 2) {
            if (choices.fatIsMass)
                out.values[1] = out.values[1] * (choices.pounds ? 0.45359237 : 1.0) / *weight * 100.0;
            else if (fatFractions)
                out.values[1] *= 100.0;
        }
        if (!storable(out)) { // a number no record can hold
            plan.unreadableLines.append(table.lineNumbers.value(i));
            continue;
        }
        const size_t hash = qHashRange(row.cbegin(), row.cend());
        size_t slot = hash & size_t(tableSize - 1);
        bool repeated = false;
        while (seenRows[slot] >= 0 && !repeated) {
            repeated = seenHashes[slot] == hash && table.rows.at(seenRows[slot]) == row;
            if (!repeated)
                slot = (slot + 1) & size_t(tableSize - 1);
        }
        if (repeated) {
            ++plan.duplicates;
            continue;
        }
        seenRows[slot] = i;
        seenHashes[slot] = hash;
        if (choices.statusColumn >= 0 && choices.statusColumn < row.size() &&
            !row.at(choices.statusColumn).trimmed().isEmpty())
            out.status = storableText(row.at(choices.statusColumn));
        else if (when.minute < 0 || (when.minute >= 4 * 60 && when.minute < 11 * 60))
            out.status = status0;
        else if (when.minute < 17 * 60)
            out.status = status1;
        else
            out.status = status2;
        const QString comment = cell(row, CsvField::Comment);
        if (!comment.isEmpty())
            out.comment = storableText(comment);
        if (!diaryKeys.isEmpty() && diaryKeys.contains(storedDate(when.date) + u'\t' + out.status + u'\t' +
                                                       QString::number(std::lround(float(*weight) * 10)))) {
            ++plan.duplicates;
            continue;
        }
        rows.append(std::move(out));
        known.push_back(mask);
    }
    const auto inTimeOrder = [](const CsvImportRow &a, const CsvImportRow &b) {
        return a.date != b.date ? a.date < b.date : a.minuteOfDay < b.minuteOfDay;
    };
    if (!std::is_sorted(rows.cbegin(), rows.cend(), inTimeOrder)) { // exports are mostly in order already
        std::vector<qsizetype> order(size_t(rows.size()));
        for (size_t k = 0; k < order.size(); ++k)
            order[k] = qsizetype(k);
        std::stable_sort(order.begin(), order.end(),
                         [&](qsizetype a, qsizetype b) { return inTimeOrder(rows.at(a), rows.at(b)); });
        QList<CsvImportRow> sorted;
        sorted.reserve(rows.size());
        std::vector<quint8> sortedKnown;
        sortedKnown.reserve(known.size());
        for (qsizetype k : order) {
            sorted.append(std::move(rows[k]));
            sortedKnown.push_back(known[size_t(k)]);
        }
        rows = std::move(sorted);
        known = std::move(sortedKnown);
    }

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
    std::vector<double> earlier(size_t(rows.size()));
    std::vector<bool> hasEarlier(size_t(rows.size()));
    for (int f = 1; f < 7; ++f) {
        const quint8 bit = quint8(1u << f);
        // Forward: the last known value at or before each row.
        std::optional<double> last;
        qsizetype k = 0;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const CsvImportRow &row = rows.at(i);
            while (k < diaryKnown.size() &&
                   !before(row.date, row.minuteOfDay, diaryKnown[k].date, diaryKnown[k].minute)) {
                last = diaryKnown[k].values[size_t(f)];
                ++k;
            }
            if (known[size_t(i)] & bit)
                last = row.values[size_t(f)];
            hasEarlier[size_t(i)] = last.has_value();
            earlier[size_t(i)] = last.value_or(0);
        }
        // Backward: the first known value after each row.
        std::optional<double> next;
        qsizetype j = diaryKnown.size() - 1;
        for (qsizetype i = rows.size() - 1; i >= 0; --i) {
            CsvImportRow &row = rows[i];
            while (j >= 0 && before(row.date, row.minuteOfDay, diaryKnown[j].date, diaryKnown[j].minute)) {
                next = diaryKnown[j].values[size_t(f)];
                --j;
            }
            if (known[size_t(i)] & bit) {
                next = row.values[size_t(f)];
                continue;
            }
            row.filled[size_t(f)] = true;
            row.values[size_t(f)] = hasEarlier[size_t(i)] ? earlier[size_t(i)] : next.value_or(0);
        }
    }

    QSet<QString> knownStatuses(statusList.cbegin(), statusList.cend());
    const QString *previous = nullptr;
    for (const CsvImportRow &row : std::as_const(rows)) {
        if (previous && *previous == row.status)
            continue;
        previous = &row.status;
        if (!knownStatuses.contains(row.status)) {
            knownStatuses.insert(row.status);
            plan.newStatuses.append(row.status);
        }
    }
    return plan;
}

MeasurementRecord CsvImportRow::record() const
{
    MeasurementRecord r;
    r.date = storedDate(date);
    r.status = status;
    r.weight = float(values[0]);
    r.bodyFat = float(std::round(values[1] * 10) / 10);
    r.basalMetabolism = RoundToInt16(values[2]).value_or(0);
    r.visceralFat = RoundToInt16(values[3]).value_or(0);
    r.muscleMass = float(values[4]);
    r.muscleScore = RoundToInt16(values[5]).value_or(0);
    r.boneMass = float(values[6]);
    r.comment = comment;
    return r;
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
        const MeasurementRecord record = row.record();
        if (!FormatMeasurementLine(record, line, &fault))
            return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements), fault);
        while (at < diary.size() && diary.at(at).date <= record.date)
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
