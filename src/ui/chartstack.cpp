#include "ui/chartstack.h"
#include "ui/colours.h"

#include <QGridLayout>

namespace zz {

ChartStack AddChartStack(QGridLayout *place, const QString &baseName,
                         const QList<ChartView::SeriesSpec> &weightSeries)
{
    const auto make = [&](const QString &name, const QList<ChartView::SeriesSpec> &series) {
        auto *chart = new ChartView;
        chart->setObjectName(name);
        chart->setSeries(series);
        place->addWidget(chart, 0, 0);
        chart->raise();
        return chart;
    };
    ChartStack stack;
    stack.weight = make(baseName, weightSeries);
    stack.metabolism =
        make(baseName + u'2',
             {{QStringLiteral("基礎代謝"), QuantityColour(Quantity::Metabolism), ChartAxis::Left},
              {QStringLiteral("内臓脂肪"), QuantityColour(Quantity::VisceralFat), ChartAxis::Right}});
    stack.muscle =
        make(baseName + u'3',
             {{QStringLiteral("筋肉量"), QuantityColour(Quantity::MuscleMass), ChartAxis::Left},
              {QStringLiteral("筋肉スコア"), QuantityColour(Quantity::MuscleScore), ChartAxis::Right}});
    stack.bone =
        make(baseName + u'4', {{QStringLiteral("骨量"), QuantityColour(Quantity::Bone), ChartAxis::Left}});
    // The right-hand axes of the composition charts keep one fixed scale.
    stack.metabolism->setAxisScale(ChartAxis::Right, 0, 30, 6);
    stack.muscle->setAxisScale(ChartAxis::Right, 0, 150, 5);
    for (ChartView *chart : {stack.metabolism, stack.muscle, stack.bone})
        chart->setVisible(false);
    return stack;
}

void DrawCompositionChart(ChartView *chart, const CompositionChart &data)
{
    chart->setRowCount(data.rowCount);
    chart->setSeriesValues(1, data.series1);
    chart->setSeriesValues(2, data.series2); // none on the bone chart

    chart->setAxisScale(ChartAxis::Left, data.left.min, data.left.max, data.left.divisions);
}

void DrawCompositionCharts(const ChartStack &stack, const CompositionSeries &values)
{
    DrawCompositionChart(stack.metabolism, BuildMetabolismChart(values));
    DrawCompositionChart(stack.muscle, BuildMuscleChart(values));
    DrawCompositionChart(stack.bone, BuildBoneChart(values));
}

void ShowWeightChartPart(ChartView *chart, WeightChartPart part, QList<int> weightSeries,
                         QList<int> fatSeries)
{
    const bool weight = part != WeightChartPart::BodyFat;
    const bool fat = part != WeightChartPart::Weight;
    chart->setAxisHidden(ChartAxis::Left, !weight);
    chart->setAxisHidden(ChartAxis::Right, !fat);
    for (int series : weightSeries)
        chart->setSeriesHidden(series, !weight);
    for (int series : fatSeries)
        chart->setSeriesHidden(series, !fat);
}

} // namespace zz
