#include "views/common/chartscales.h"

#include "base/displayformats.h"
#include "base/numbers.h"

#include <QHash>
#include <charconv>

#include <cmath>
#include <cstring>

namespace zz {

namespace {

int FloorDiv10(int value)
{
    return value >= 0 ? value / 10 : -((-value + 9) / 10);
}

CompositionChart ChartOf(const QList<std::optional<double>> &series1,
                         const QList<std::optional<double>> &series2)
{
    CompositionChart chart;
    chart.rowCount = series1.isEmpty() ? 1 : int(series1.size());
    chart.series1 = series1;
    chart.series2 = series2;
    return chart;
}

// The largest and smallest value of a series, starting from the given values
// (which a day without measurements keeps). With `whole`, each value is
// compared as it is but kept rounded to a whole number.
struct Extremes
{
    double largest, smallest;
};
Extremes ExtremesOf(const QList<std::optional<double>> &values, Extremes start, bool whole = false)
{
    Extremes e = start;
    for (const std::optional<double> &v : values) {
        const double kept = whole ? std::nearbyint(*v) : *v;
        if (*v > e.largest)
            e.largest = kept;
        if (*v < e.smallest)
            e.smallest = kept;
    }
    return e;
}

} // namespace

double TidyAxisValue(double value)
{
    return std::round(value * 1e6) / 1e6;
}

double AxisValueAsRead(float value)
{
    // The float's 7-digit decimal text read back as a double.
    return SevenDigits(double(value));
}

double SevenDigits(double value)
{
    // Without a QString between: charts take one of these per row.
    if (!std::isfinite(value))
        return value;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7);
    double read = 0;
    std::from_chars(text, written.ptr, read);
    return read;
}

AxisScale WeightAxisOf(float highest, float lowest)
{
    AxisScale y;
    y.min = std::floor(AxisValueAsRead(lowest));
    y.max = std::floor(TidyAxisValue(AxisValueAsRead(highest) + WeightAxisHeadroom));
    return y;
}

DayChartScales DayChartAxes(float maxWeight, float minWeight, float maxFat, float minFat)
{
    DayChartScales s;
    s.left = WeightAxisOf(maxWeight, minWeight);
    s.right = WeightAxisOf(maxFat, minFat); // the day's fat axis has the weight's headroom
    return s;
}

void CompositionSeriesBuilder::append(const MeasurementRecord &record)
{
    m_series.metabolism.append(double(record.basalMetabolism));
    m_series.visceralFat.append(double(record.visceralFat));
    m_series.muscleMass.append(mass(record.muscleMass));
    m_series.muscleScore.append(double(record.muscleScore));
    m_series.boneMass.append(mass(record.boneMass));
}

double CompositionSeriesBuilder::mass(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    auto it = m_masses.constFind(bits);
    if (it == m_masses.cend())
        it = m_masses.insert(bits, m_rounding == CompositionSeries::Rounding::AsListed
                                       ? KgAsListed(value)
                                       : AxisValueAsRead(value));
    return *it;
}

CompositionSeries CompositionSeriesOf(const QList<MeasurementRecord> &records,
                                      CompositionSeries::Rounding rounding)
{
    CompositionSeriesBuilder builder(rounding);
    for (const MeasurementRecord &record : records)
        builder.append(record);
    return builder.take();
}

CompositionChart BuildMetabolismChart(const CompositionSeries &values)
{
    CompositionChart chart = ChartOf(values.metabolism, values.visceralFat);
    // Whole numbers, as the metabolism in kcal is.
    const Extremes e = ExtremesOf(chart.series1, {0, 30000}, true);
    chart.left.max = (FloorDiv10(int(e.largest)) + 1) * 10;
    chart.left.min = (FloorDiv10(int(e.smallest)) - 1) * 10;
    chart.left.divisions = 10;
    return chart;
}

CompositionChart BuildMuscleChart(const CompositionSeries &values)
{
    CompositionChart chart = ChartOf(values.muscleMass, values.muscleScore);
    const Extremes e = ExtremesOf(chart.series1, {0, 9999});
    chart.left.max = std::floor(TidyAxisValue(e.largest + 0.99));
    chart.left.min = std::floor(e.smallest);
    chart.left.divisions = 10;
    return chart;
}

CompositionChart BuildBoneChart(const CompositionSeries &values)
{
    CompositionChart chart = ChartOf(values.boneMass, {});
    const Extremes e = ExtremesOf(chart.series1, {0, 30000});
    chart.left.max = TidyAxisValue(e.largest + 0.1);
    chart.left.min = TidyAxisValue(e.smallest - 0.1);
    // One division per 0.1 kg. A day without bone masses gives a negative
    // count, which the chart could not take; the count is then left alone.
    const double divisions = std::round((chart.left.max - chart.left.min) * 10.0);
    chart.left.divisions = divisions >= 1 ? int(divisions) : -1;
    return chart;
}

MarkerMode MarkerModeOf(int stored)
{
    return stored == 1 ? MarkerMode::Circle : stored == 2 ? MarkerMode::Ball : MarkerMode::None;
}

int StoredMarkerMode(MarkerMode mode)
{
    return mode == MarkerMode::Circle ? 1 : mode == MarkerMode::Ball ? 2 : 0;
}

MarkerMode NextMarkerMode(MarkerMode mode)
{
    return MarkerModeOf((StoredMarkerMode(mode) + 1) % 3);
}

} // namespace zz
