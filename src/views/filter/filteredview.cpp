#include "views/filter/filteredview.h"
#include "base/storeddate.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "views/common/measurementrows.h"

#include <cmath>
#include <cstring>

namespace zz {

using namespace Qt::StringLiterals;

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

bool PassesFilter(const MeasurementRecord &record, const FilterCriteria &criteria, bool useStatus,
                  bool useWeekday)
{
    if (QString::compare(criteria.startText, record.date) > 0 ||
        QString::compare(record.date, criteria.endText) > 0)
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
    MeasurementCells cells(heightCm);
    CompositionSeriesBuilder composition(CompositionSeries::Rounding::AsListed);
    float previousWeight = 0, firstWeight = 0;
    float highestWeight = NoHighest, lowestWeight = NoLowest, highestFat = NoHighest, lowestFat = NoLowest;
    const QString *previousDate = nullptr;
    QString shortDate, weekday;
    const QString *shortDateOf = nullptr;
    int n = 0;
    qsizetype index = -1;
    for (const MeasurementRecord &rec : records) {
        ++index;
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
        TableRow row;
        row.cells.reserve(12);
        row.cells << number << shortDate << weekday << rec.status;
        if (previousWeight == 0)
            previousWeight = rec.weight;
        cells.appendWeightCells(row, rec, previousWeight, firstWeight);
        v.weightRows.append(std::move(row));
        v.recordIndices.append(index);

        TableRow compositionRow;
        compositionRow.cells.reserve(11);
        compositionRow.cells << number << shortDate << weekday << rec.status;
        cells.appendCompositionCells(compositionRow, rec);
        v.compositionRows.append(std::move(compositionRow));
        composition.append(rec);

        highestWeight = std::max(highestWeight, rec.weight);
        lowestWeight = std::min(lowestWeight, rec.weight);
        highestFat = std::max(highestFat, rec.bodyFat);
        lowestFat = std::min(lowestFat, rec.bodyFat);
        v.weights.append(AxisValueAsRead(rec.weight));
        v.bodyFats.append(AxisValueAsRead(rec.bodyFat));
        previousWeight = rec.weight;
    }

    v.left = WeightAxisOf(highestWeight, lowestWeight);
    v.right.max = std::floor(TidyAxisValue(AxisValueAsRead(highestFat) + LongFatAxisHeadroom));
    v.right.min = std::floor(TidyAxisValue(AxisValueAsRead(lowestFat) - LongFatAxisFootroom));

    // The charts take the values as the composition list shows them.
    const CompositionSeries values = composition.take();
    v.metabolism = BuildMetabolismChart(values);
    v.muscle = BuildMuscleChart(values);
    v.bone = BuildBoneChart(values);
    return v;
}

QStringList FilteredListHeaders()
{
    return {u"回"_s, u"日付け"_s, u"曜"_s, u"行動"_s,   u"体重"_s,   u"前回差"_s,
            u"差"_s, u"初回差"_s, u"差"_s, u"ＢＭＩ"_s, u"肥満度"_s, u"体脂肪"_s};
}

QList<int> FilteredListWidths()
{
    return {600, 950, 320, 1800, 770, 730, 320, 730, 320, 590, 720, 720};
}

QStringList FilteredCompositionHeaders()
{
    return {u"回"_s,       u"日付け"_s, u"曜"_s,     u"行動"_s, u"体重"_s, u"体脂肪"_s,
            u"基礎代謝"_s, u"脂肪"_s,   u"筋肉量"_s, u"筋"_s,   u"骨量"_s};
}

QList<int> FilteredCompositionWidths()
{
    return {600, 950, 320, 1800, 770, 730, 960, 520, 820, 370, 700};
}

} // namespace zz
