#include "views/filter/filteredview.h"

#include "base/numbers.h"
#include "base/displayformats.h"
#include "views/common/bmi.h"

#include <QHash>

#include <cmath>
#include <cstring>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

// The texts of one kind of value, each made once per fill: a diary repeats
// the same few hundred weights, fats and differences thousands of times, and
// a shared QString costs neither the formatting nor the memory again.
template<typename Key>
class TextMemo
{
public:
    // A copy (shared, no allocation): a later insert may move the stored text.
    template<typename Make>
    QString get(Key key, Make make)
    {
        auto it = m_texts.constFind(key);
        if (it == m_texts.cend())
            it = m_texts.insert(key, make());
        return *it;
    }

private:
    QHash<Key, QString> m_texts;
};

quint32 Bits(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct RowTexts
{
    TextMemo<quint32> kg, percentSign, bmi, obesity;
    TextMemo<qint32> whole, kcal;
    TextMemo<quint32> differences;
    QHash<quint32, ChangeMark> marks;

    // A difference and, in the column to its right, the change mark read back
    // from the text (so 0.04 shown as 0.0Kg is "→").
    void putDifference(TableRow &row, float difference)
    {
        const QString shown = differences.get(Bits(difference), [&] { return FormatKg(difference); });
        auto mark = marks.constFind(Bits(difference));
        if (mark == marks.cend())
            mark = marks.insert(Bits(difference), ChangeMarkOf(shown));
        const int column = int(row.cells.size());
        row.cells << shown << mark->mark;
        row.backgrounds.insert(column + 1, mark->background);
    }
};

} // namespace

namespace {

// 0 Sunday .. 6 Saturday of a stored "yyyy/mm/dd" date; -1 when it is none.
int WeekdayIndex(const QString &storedDate)
{
    const QDate date = StoredDateOf(storedDate);
    return date.isValid() ? date.dayOfWeek() % 7 : -1;
}

} // namespace

QString WeekdayCharacter(const QString &storedDate)
{
    static const QString names[] = {u"日"_s, u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s};
    const int index = WeekdayIndex(storedDate);
    return index >= 0 ? names[index] : QString();
}

QString StoredDateText(const QDate &date)
{
    return date.toString(u"yyyy/MM/dd"_s);
}

bool PassesFilter(const MeasurementRecord &record, const FilterCriteria &criteria, bool useStatus,
                  bool useWeekday)
{
    if (QString::compare(criteria.startText, record.date) > 0
        || QString::compare(record.date, criteria.endText) > 0)
        return false;
    if (useStatus && (record.status.isEmpty() || !record.status.contains(criteria.searchText)))
        return false;
    if (useWeekday && WeekdayIndex(record.date) != criteria.weekdayFilter)
        return false;
    return true;
}

FilteredView ComputeFilteredView(const QList<MeasurementRecord> &records, float heightCm,
                                 const std::optional<FilterRequest> &request)
{
    FilteredView v;
    const float standardWeight = StandardWeightOf(heightCm);
    // Without a height there is no BMI and no obesity degree.
    const bool hasHeight = heightCm > 0;
    float previousWeight = 0, firstWeight = 0;
    float highestWeight = 0, lowestWeight = 999, highestFat = 0, lowestFat = 999;
    const QString *previousDate = nullptr;
    RowTexts texts;
    QString shortDate, weekday;
    const QString *shortDateOf = nullptr;
    int n = 0;
    for (const MeasurementRecord &rec : records) {
        if (!request) {
            if (!previousDate || *previousDate != rec.date)
                v.dates.append(rec.date);
            previousDate = &rec.date;
        } else if (!PassesFilter(rec, request->criteria, request->useStatus, request->useWeekday)) {
            continue;
        }
        ++n;
        if (n == 1)
            firstWeight = rec.weight;
        const QString number = QString::number(n);
        // Records of one day follow each other: one date text for them.
        if (!shortDateOf || *shortDateOf != rec.date) {
            shortDate = FormatShortDate(rec.date);
            weekday = WeekdayCharacter(rec.date);
            shortDateOf = &rec.date;
        }
        const QString weight = texts.kg.get(Bits(rec.weight), [&] { return FormatKg(rec.weight); });
        const QString fat =
            texts.percentSign.get(Bits(rec.bodyFat), [&] { return FormatPercentSign(rec.bodyFat); });

        TableRow row;
        row.cells.reserve(12);
        row.cells << number << shortDate << weekday << rec.status << weight;
        if (previousWeight == 0)
            previousWeight = rec.weight;
        texts.putDifference(row, rec.weight - previousWeight);
        texts.putDifference(row, rec.weight - firstWeight);
        if (hasHeight) {
            row.cells << texts.bmi.get(Bits(rec.weight), [&] { return FormatOneDecimal(BmiOf(rec.weight, heightCm)); })
                      << texts.obesity.get(Bits(rec.weight), [&] {
                             return FormatPercentOf((rec.weight - standardWeight) / standardWeight);
                         });
        } else {
            row.cells << QString() << QString();
        }
        row.cells << fat;
        v.weightRows.append(std::move(row));

        TableRow composition;
        composition.cells.reserve(11);
        composition.cells
            << number << shortDate << weekday << rec.status << weight << fat
            << texts.kcal.get(rec.basalMetabolism, [&]() -> QString { return QString::number(rec.basalMetabolism) + u"kcal"_s; })
            << texts.whole.get(rec.visceralFat, [&] { return QString::number(rec.visceralFat); })
            << texts.kg.get(Bits(rec.muscleMass), [&] { return FormatKg(rec.muscleMass); })
            << texts.whole.get(rec.muscleScore, [&] { return QString::number(rec.muscleScore); })
            << texts.kg.get(Bits(rec.boneMass), [&] { return FormatKg(rec.boneMass); });
        v.compositionRows.append(std::move(composition));

        highestWeight = std::max(highestWeight, rec.weight);
        lowestWeight = std::min(lowestWeight, rec.weight);
        highestFat = std::max(highestFat, rec.bodyFat);
        lowestFat = std::min(lowestFat, rec.bodyFat);
        v.weights.append(AxisValueAsRead(rec.weight));
        v.bodyFats.append(AxisValueAsRead(rec.bodyFat));
        previousWeight = rec.weight;
    }

    v.left.max = std::floor(TidyAxisValue(AxisValueAsRead(highestWeight) + 0.9));
    v.left.min = std::floor(AxisValueAsRead(lowestWeight));
    v.right.max = std::floor(TidyAxisValue(AxisValueAsRead(highestFat) + 3.9));
    v.right.min = std::floor(TidyAxisValue(AxisValueAsRead(lowestFat) - 4));

    // The charts read the composition list itself, so list and charts agree.
    v.metabolism = BuildMetabolismChart(v.compositionRows, 6, 7);
    v.muscle = BuildMuscleChart(v.compositionRows, 8, 9);
    v.bone = BuildBoneChart(v.compositionRows, 10);
    return v;
}

QStringList FilteredListHeaders()
{
    return {u"回"_s,  u"日付け"_s, u"曜"_s, u"行動"_s,   u"体重"_s,   u"前回差"_s,
            u"差"_s,  u"初回差"_s, u"差"_s, u"ＢＭＩ"_s, u"肥満度"_s, u"体脂肪"_s};
}

QList<int> FilteredListWidths()
{
    return {600, 950, 320, 1800, 770, 730, 320, 730, 320, 590, 720, 720};
}

QStringList FilteredCompositionHeaders()
{
    return {u"回"_s,     u"日付け"_s,   u"曜"_s,   u"行動"_s, u"体重"_s, u"体脂肪"_s,
            u"基礎代謝"_s, u"脂肪"_s, u"筋肉量"_s, u"筋"_s,   u"骨量"_s};
}

QList<int> FilteredCompositionWidths()
{
    return {600, 950, 320, 1800, 770, 730, 960, 520, 820, 370, 700};
}

} // namespace zz
