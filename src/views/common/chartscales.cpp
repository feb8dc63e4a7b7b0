#include "views/common/chartscales.h"

#include "base/numbers.h"

#include <charconv>
#include <QHash>

#include <cmath>

namespace zz {

namespace {

double CellValue(const TableRow &row, int column)
{
    return column < row.cells.size() ? LeadingNumber(row.cells.at(column)) : 0.0;
}

int FloorDiv10(int value)
{
    return value >= 0 ? value / 10 : -((-value + 9) / 10);
}

// The frame the three builders share: one chart row per day row, series taken
// from the cells by their leading numbers.
CompositionChart FillSeries(const QList<TableRow> &rows, int column1, int column2)
{
    CompositionChart chart;
    chart.rowCount = rows.isEmpty() ? 1 : int(rows.size());
    chart.series1.reserve(rows.size());
    chart.series2.reserve(column2 >= 0 ? rows.size() : 0);
    // Long lists share one text among the cells that show the same value;
    // each shared text is read once.
    QHash<const QChar *, double> read;
    const auto value = [&](const TableRow &row, int column) {
        if (column >= row.cells.size())
            return 0.0;
        const QChar *text = row.cells.at(column).constData();
        auto it = read.constFind(text);
        if (it == read.cend())
            it = read.insert(text, CellValue(row, column));
        return *it;
    };
    for (const TableRow &row : rows) {
        chart.series1.append(value(row, column1));
        if (column2 >= 0)
            chart.series2.append(value(row, column2));
    }
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
    // The float's 7-digit decimal text read back as a double, without a
    // QString between: charts take one of these per row.
    if (!std::isfinite(value))
        return double(value);
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, double(value), std::chars_format::general, 7);
    double read = 0;
    std::from_chars(text, written.ptr, read);
    return read;
}

DayChartScales DayChartAxes(float maxWeight, float minWeight, float maxFat, float minFat)
{
    DayChartScales s;
    s.left.max = std::floor(TidyAxisValue(AxisValueAsRead(maxWeight) + 0.9));
    s.left.min = std::floor(AxisValueAsRead(minWeight));
    s.right.max = std::floor(TidyAxisValue(AxisValueAsRead(maxFat) + 0.9));
    s.right.min = std::floor(AxisValueAsRead(minFat));
    return s;
}

CompositionChart BuildMetabolismChart(const QList<TableRow> &rows, int column1, int column2)
{
    CompositionChart chart = FillSeries(rows, column1, column2);
    // Whole numbers, as the metabolism in kcal is.
    const Extremes e = ExtremesOf(chart.series1, {0, 30000}, true);
    chart.left.max = (FloorDiv10(int(e.largest)) + 1) * 10;
    chart.left.min = (FloorDiv10(int(e.smallest)) - 1) * 10;
    chart.left.divisions = 10;
    return chart;
}

CompositionChart BuildMuscleChart(const QList<TableRow> &rows, int column1, int column2)
{
    CompositionChart chart = FillSeries(rows, column1, column2);
    const Extremes e = ExtremesOf(chart.series1, {0, 9999});
    chart.left.max = std::floor(TidyAxisValue(e.largest + 0.99));
    chart.left.min = std::floor(e.smallest);
    chart.left.divisions = 10;
    return chart;
}

CompositionChart BuildBoneChart(const QList<TableRow> &rows, int column)
{
    CompositionChart chart = FillSeries(rows, column, -1);
    const Extremes e = ExtremesOf(chart.series1, {0, 30000});
    chart.left.max = TidyAxisValue(e.largest + 0.1);
    chart.left.min = TidyAxisValue(e.smallest - 0.1);
    // One division per 0.1 kg. A day without bone masses gives a negative
    // count, which the chart could not take; the count is then left alone.
    const double divisions = std::round((chart.left.max - chart.left.min) * 10.0);
    chart.left.divisions = divisions >= 1 ? int(divisions) : -1;
    return chart;
}

int NextMarkerMode(int markerMode)
{
    const int next = markerMode + 1;
    return next > 2 ? 0 : next;
}

} // namespace zz
