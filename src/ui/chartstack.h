#pragma once

#include "ui/chartview.h"
#include "views/common/chartscales.h"

#include <QList>

class QGridLayout;

namespace zz {

// The four charts of a panel lie at one place: the weight chart first, then
// the metabolism, muscle and bone charts, each later one in front of the one
// before. The main, filtered and whole-period panels build them alike.
struct ChartStack
{
    ChartView *weight = nullptr;
    ChartView *metabolism = nullptr, *muscle = nullptr, *bone = nullptr;
};
// Names: `baseName`, then `baseName`2 .. 4 ("mcrMain", "mcrMain2" ...). The
// composition charts start hidden, their right axes on one fixed scale.
ChartStack AddChartStack(QGridLayout *place, const QString &baseName,
                         const QList<ChartView::SeriesSpec> &weightSeries);

// One composition chart filled and scaled (a bone chart has no series 2).
void DrawCompositionChart(ChartView *chart, const CompositionChart &data);
// The three composition charts of a stack from one set of values.
void DrawCompositionCharts(const ChartStack &stack, const CompositionSeries &values);

// The weight / body fat / mixed switch of a weight chart: the left axis and
// the weight series show with the weight, the right axis and the fat series
// with the body fat.
enum class WeightChartPart { Weight, BodyFat, Both };
void ShowWeightChartPart(ChartView *chart, WeightChartPart part, QList<int> weightSeries = {1},
                         QList<int> fatSeries = {2});

} // namespace zz
