#pragma once

#include "store/measurementrecord.h"

#include <QHash>

#include <QList>
#include <optional>

namespace zz {

// A value-axis scale. divisions < 0 leaves the division count as it is.
// A scale whose minimum lies above its maximum (a day without measurements)
// is not applied: the chart keeps its previous scale.
struct AxisScale
{
    double min = 0, max = 0;
    int divisions = -1;
    bool usable() const { return min <= max; }
    friend bool operator==(const AxisScale &, const AxisScale &) = default;
};

// The extremes a list starts from before its first value. A list without
// values keeps them, and they give no scale a chart could take (min > max).
inline constexpr float NoHighest = 0;
inline constexpr float NoLowest = 999;
// The weight axis ends 0.9 above the highest weight (a day's fat axis too);
// the long charts' body-fat axis ends 3.9 above the highest and 4 below the
// lowest fat.
inline constexpr double WeightAxisHeadroom = 0.9;
inline constexpr double LongFatAxisHeadroom = 3.9;
inline constexpr double LongFatAxisFootroom = 4;

// Axis ends are sums like 2.8 - 0.1; taken to six decimals they become the
// value the user reads (2.7) instead of its binary neighbour 2.6999999999999997.
double TidyAxisValue(double value);
// A single-precision value as the user reads it in the lists: through its
// decimal text, so 65.1 stays 65.1 and not 65.09999847.
double AxisValueAsRead(float value);
// A double as its decimal text of 7 significant digits (the moving average's
// and the trend's points), read back.
double SevenDigits(double value);
// The weight axis of a long chart over the weights from `lowest` to `highest`:
// floor(lowest) to floor(highest + the headroom).
AxisScale WeightAxisOf(float highest, float lowest);

struct DayChartScales
{
    AxisScale left, right;
};
// Left axis from the day's weights, right axis from its body fats:
// max = floor(largest + 0.9), min = floor(smallest).
DayChartScales DayChartAxes(float maxWeight, float minWeight, float maxFat, float minFat);

// The values of the body-composition charts, one per listed record: muscle
// and bone mass as the lists show them (to 0.1 kg) or as stored.
struct CompositionSeries
{
    enum class Rounding { AsListed, AsStored };
    QList<std::optional<double>> metabolism, visceralFat, muscleMass, muscleScore, boneMass;
    qsizetype size() const { return metabolism.size(); }
};
// Collects the series record by record; a diary repeats a few hundred masses
// thousands of times, each is rounded once.
class CompositionSeriesBuilder
{
public:
    explicit CompositionSeriesBuilder(CompositionSeries::Rounding rounding) : m_rounding(rounding) {}
    void append(const MeasurementRecord &record);
    CompositionSeries take() { return std::move(m_series); }

private:
    double mass(float value);
    CompositionSeries::Rounding m_rounding;
    CompositionSeries m_series;
    QHash<quint32, double> m_masses;
};
CompositionSeries CompositionSeriesOf(const QList<MeasurementRecord> &records,
                                      CompositionSeries::Rounding rounding);

// A body-composition chart: one chart row per listed record.
struct CompositionChart
{
    QList<std::optional<double>> series1, series2; // series2 empty for the bone chart
    int rowCount = 1;                              // 1 when there is no data row
    AxisScale left;
};
CompositionChart BuildMetabolismChart(const CompositionSeries &values);
CompositionChart BuildMuscleChart(const CompositionSeries &values);
CompositionChart BuildBoneChart(const CompositionSeries &values);

// The marker style of the main panel's charts, switched by a double click on
// the weight chart and kept in the marker setting as 0, 1 or 2.
enum class MarkerMode { None, Circle, Ball };
MarkerMode MarkerModeOf(int stored); // 1 circle, 2 ball, anything else none
int StoredMarkerMode(MarkerMode mode);
MarkerMode NextMarkerMode(MarkerMode mode); // none -> circle -> ball -> none

} // namespace zz
