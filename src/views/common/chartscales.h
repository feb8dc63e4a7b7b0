#pragma once

#include "base/tablerow.h"

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

// Axis ends are sums like 2.8 - 0.1; taken to six decimals they become the
// value the user reads (2.7) instead of its binary neighbour 2.6999999999999997.
double TidyAxisValue(double value);
// A single-precision value as the user reads it in the lists: through its
// decimal text, so 65.1 stays 65.1 and not 65.09999847.
double AxisValueAsRead(float value);

struct DayChartScales
{
    AxisScale left, right;
};
// Left axis from the day's weights, right axis from its body fats:
// max = floor(largest + 0.9), min = floor(smallest).
DayChartScales DayChartAxes(float maxWeight, float minWeight, float maxFat, float minFat);

// A body-composition chart built from the cells of the composition grid
// (msgDayList2 layout: 4 metabolism, 5 visceral fat, 6 muscle mass, 7 muscle
// score, 8 bone mass). Values are the cells' leading numbers.
struct CompositionChart
{
    QList<std::optional<double>> series1, series2; // series2 empty for the bone chart
    int rowCount = 1;                              // 1 when there is no data row
    AxisScale left;
};
CompositionChart BuildMetabolismChart(const QList<TableRow> &rows, int column1 = 4, int column2 = 5);
CompositionChart BuildMuscleChart(const QList<TableRow> &rows, int column1 = 6, int column2 = 7);
CompositionChart BuildBoneChart(const QList<TableRow> &rows, int column = 8);

// Next marker style after a double click on the day chart: 0 -> 1 -> 2 -> 0.
int NextMarkerMode(int markerMode);

} // namespace zz
