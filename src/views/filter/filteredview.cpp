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

struct FilteredRows::Cells
{
    explicit Cells(float heightCm) : cells(heightCm) {}
    MeasurementCells cells;
};

FilteredRows::FilteredRows(const QList<MeasurementRecord> &records, const QList<qsizetype> &recordIndices,
                           float heightCm)
    : m_records(records), m_indices(recordIndices), m_cells(std::make_unique<Cells>(heightCm))
{}

FilteredRows::~FilteredRows() = default;

namespace {

void AppendRowStart(TableRow &row, int n, const MeasurementRecord &rec)
{
    row.cells << QString::number(n) << FormatShortDate(rec.date) << WeekdayCharacter(rec.date) << rec.status;
}

} // namespace

TableRow FilteredRows::weightRow(int row) const
{
    const MeasurementRecord &rec = recordAt(row);
    // The change since the row above; the first row, or one below a weight of
    // 0, changes by nothing.
    float previousWeight = row == 0 ? 0.0f : recordAt(row - 1).weight;
    if (previousWeight == 0)
        previousWeight = rec.weight;
    TableRow made;
    made.cells.reserve(12);
    AppendRowStart(made, row + 1, rec);
    m_cells->cells.appendWeightCells(made, rec, previousWeight, recordAt(0).weight);
    return made;
}

TableRow FilteredRows::compositionRow(int row) const
{
    const MeasurementRecord &rec = recordAt(row);
    TableRow made;
    made.cells.reserve(11);
    AppendRowStart(made, row + 1, rec);
    m_cells->cells.appendCompositionCells(made, rec);
    return made;
}

namespace {

// The listed rows holding the smallest and the largest of some values.
class Extremes
{
public:
    void add(int kind, int row, double value)
    {
        if (m_lowest.size() <= kind) {
            m_lowest.resize(kind + 1, {-1, 0});
            m_highest.resize(kind + 1, {-1, 0});
        }
        if (m_lowest[kind].first < 0 || value < m_lowest[kind].second)
            m_lowest[kind] = {row, value};
        if (m_highest[kind].first < 0 || value > m_highest[kind].second)
            m_highest[kind] = {row, value};
    }
    QList<int> rows() const
    {
        QList<int> result;
        for (const auto &list : {m_lowest, m_highest})
            for (const auto &[row, value] : list)
                if (row >= 0 && !result.contains(row))
                    result.append(row);
        return result;
    }

private:
    QList<std::pair<int, double>> m_lowest, m_highest;
};

} // namespace

FilteredView ComputeFilteredView(const QList<MeasurementRecord> &records, float heightCm,
                                 const std::optional<FilterRequest> &request, ListRows rows)
{
    FilteredView v;
    CompositionSeriesBuilder composition(CompositionSeries::Rounding::AsListed);
    float previousWeight = 0, firstWeight = 0;
    float highestWeight = NoHighest, lowestWeight = NoLowest, highestFat = NoHighest, lowestFat = NoLowest;
    const QString *previousDate = nullptr;
    Extremes extremes;
    int longestStatusRow = -1;
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
        if (previousWeight == 0)
            previousWeight = rec.weight;
        v.recordIndices.append(index);
        composition.append(rec);

        const int row = n - 1;
        extremes.add(0, row, rec.weight);
        extremes.add(1, row, rec.weight - previousWeight);
        extremes.add(2, row, rec.weight - firstWeight);
        extremes.add(3, row, rec.bodyFat);
        extremes.add(4, row, rec.basalMetabolism);
        extremes.add(5, row, rec.visceralFat);
        extremes.add(6, row, rec.muscleMass);
        extremes.add(7, row, rec.muscleScore);
        extremes.add(8, row, rec.boneMass);
        if (longestStatusRow < 0 ||
            rec.status.size() > records.at(v.recordIndices.at(longestStatusRow)).status.size())
            longestStatusRow = row;

        highestWeight = std::max(highestWeight, rec.weight);
        lowestWeight = std::min(lowestWeight, rec.weight);
        highestFat = std::max(highestFat, rec.bodyFat);
        lowestFat = std::min(lowestFat, rec.bodyFat);
        v.weights.append(AxisValueAsRead(rec.weight));
        v.bodyFats.append(AxisValueAsRead(rec.bodyFat));
        previousWeight = rec.weight;
    }
    v.widestRows = extremes.rows();
    if (longestStatusRow >= 0 && !v.widestRows.contains(longestStatusRow))
        v.widestRows.append(longestStatusRow);
    if (n > 0 && !v.widestRows.contains(n - 1))
        v.widestRows.append(n - 1);

    if (rows == ListRows::Made) {
        const FilteredRows made(records, v.recordIndices, heightCm);
        v.weightRows.reserve(n);
        v.compositionRows.reserve(n);
        for (int row = 0; row < n; ++row) {
            v.weightRows.append(made.weightRow(row));
            v.compositionRows.append(made.compositionRow(row));
        }
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
