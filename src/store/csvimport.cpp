#include "store/csvimport.h"

#include "base/cp932.h"
#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/measurementline.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zz {

namespace {

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
                CsvDateTimeOf(sample(i)).date.isValid()) {
                choices.columns[int(CsvField::Date)] = i;
                used.insert(i);
                break;
            }
    const int dateColumn = choices.columns[int(CsvField::Date)];
    if (dateColumn < 0 || CsvDateTimeOf(sample(dateColumn)).minute < 0)
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
        return CsvNumber(cell(row, field), table.delimiter);
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
        CsvDateTime when = CsvDateTimeOf(cell(row, CsvField::Date));
        if (when.minute < 0 && choices.columns[int(CsvField::Time)] >= 0)
            when.minute = CsvMinuteOf(cell(row, CsvField::Time));
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

} // namespace zz
