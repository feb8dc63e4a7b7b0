#include "ui/chartview.h"

#include <QChart>
#include <QLineSeries>
#include <QSignalSpy>
#include <QValueAxis>
#include <QtTest>

using namespace zz;

namespace {

const QColor Weight(0, 0, 255);
const QColor Fat(255, 0, 0);

void SetUpDayChart(ChartView &view)
{
    view.setSeries({{QStringLiteral("体重"), Weight, ChartAxis::Left},
                    {QStringLiteral("体脂肪率"), Fat, ChartAxis::Right}});
}

QList<QPointF> Points(const ChartView &view, int series)
{
    return view.lineSeries(series)->points();
}

// Pixels close to this colour in the chart's picture (lines are antialiased).
int CountPixels(const QPixmap &picture, const QColor &color)
{
    const auto near = [&color](QRgb pixel) {
        return qAbs(qRed(pixel) - color.red()) < 40 && qAbs(qGreen(pixel) - color.green()) < 40 &&
               qAbs(qBlue(pixel) - color.blue()) < 40;
    };
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += near(line[x]);
    }
    return count;
}

} // namespace

class TestChartView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void seriesInOrderOnTheirAxes();
    void rowWithoutValueHasNoPoint();
    void rowCountDropsAndAddsRows();
    void bulkValues();
    void longSeriesAreThinnedToThePixelColumns();
    void hidingASeriesKeepsItsValues();
    void markersApplyToLaterPoints_data();
    void markersApplyToLaterPoints();
    void axisScale_data();
    void axisScale();
    void onlyUnscaledAxesFollowTheData();
    void hiddenAxisKeepsItsScale();
    void rowAxisCoversTheRows();
    void pictureShowsTheLinesAtOnce();
    void doubleClickIsReported();
};

void TestChartView::seriesInOrderOnTheirAxes()
{
    ChartView view;
    view.setSeries({{QStringLiteral("骨量"), Weight, ChartAxis::Left},
                    {QStringLiteral("体脂肪率"), Fat, ChartAxis::Right},
                    {QStringLiteral("移動平均"), Qt::darkGreen, ChartAxis::Left}});
    const QList<QAbstractSeries *> series = view.chart()->series();
    QCOMPARE(series.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(series.at(i), view.lineSeries(i + 1));
    QCOMPARE(view.lineSeries(2)->name(), QStringLiteral("体脂肪率"));
    QCOMPARE(view.lineSeries(1)->color(), Weight);
    QVERIFY(view.lineSeries(2)->attachedAxes().contains(view.valueAxis(ChartAxis::Right)));
    QVERIFY(view.lineSeries(3)->attachedAxes().contains(view.valueAxis(ChartAxis::Left)));
    QCOMPARE(view.valueAxis(ChartAxis::Left)->alignment(), Qt::AlignLeft);
    QCOMPARE(view.valueAxis(ChartAxis::Right)->alignment(), Qt::AlignRight);
    QVERIFY(view.chart()->legend()->isVisible());

    // A chart without a series on the right has no right axis.
    ChartView single;
    single.setSeries({{QStringLiteral("骨量"), Weight, ChartAxis::Left}});
    QVERIFY(!single.chart()->axes(Qt::Vertical).contains(single.valueAxis(ChartAxis::Right)));
}

void TestChartView::rowWithoutValueHasNoPoint()
{
    ChartView view;
    SetUpDayChart(view);
    view.setRowCount(3);
    view.setSeriesValues(1, {65.4, std::nullopt, 65.1});
    QCOMPARE(Points(view, 1), (QList<QPointF>{{1, 65.4}, {3, 65.1}}));
    QCOMPARE(view.value(2, 1), std::nullopt);
    QCOMPARE(view.value(3, 1), std::optional<double>(65.1));
    QVERIFY(Points(view, 2).isEmpty());
}

void TestChartView::rowCountDropsAndAddsRows()
{
    ChartView view;
    SetUpDayChart(view);
    view.setRowCount(4);
    view.setSeriesValues(1, {61.0, 62.0, 63.0, 64.0});
    view.setSeriesValues(2, {21.0, 22.0, 23.0, 24.0});
    view.setRowCount(2);
    QCOMPARE(Points(view, 1), (QList<QPointF>{{1, 61}, {2, 62}}));
    QCOMPARE(Points(view, 2), (QList<QPointF>{{1, 21}, {2, 22}}));
    view.setRowCount(3);
    QCOMPARE(view.rowCount(), 3);
    QCOMPARE(view.value(3, 1), std::nullopt); // a new row has no value
    QCOMPARE(Points(view, 1).size(), 2);
    view.setRowCount(0);
    QVERIFY(Points(view, 1).isEmpty());
    QVERIFY(Points(view, 2).isEmpty());
    view.setRowCount(1);
    QCOMPARE(view.value(1, 2), std::nullopt);
}

void TestChartView::bulkValues()
{
    ChartView view;
    SetUpDayChart(view);
    view.setRowCount(2);
    view.setSeriesValues(1, {64.0, std::nullopt, 63.5, 63.0});
    QCOMPARE(view.rowCount(), 4);
    QCOMPARE(Points(view, 1), (QList<QPointF>{{1, 64.0}, {3, 63.5}, {4, 63.0}}));
    view.setSeriesValues(2, {25.0});
    QCOMPARE(view.rowCount(), 4);
    QCOMPARE(Points(view, 2), (QList<QPointF>{{1, 25.0}}));
    QCOMPARE(view.value(4, 2), std::nullopt);
}

void TestChartView::longSeriesAreThinnedToThePixelColumns()
{
    ChartView view;
    SetUpDayChart(view);
    view.resize(600, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const auto wavy = [](int count) {
        QList<std::optional<double>> values;
        for (int i = 0; i < count; ++i)
            values.append(60 + (i * 7919 % 1000) / 100.0);
        return values;
    };
    // Up to 10,000 points every point is kept.
    view.setSeriesValues(1, wavy(10000));
    QCoreApplication::processEvents();
    QCOMPARE(Points(view, 1).size(), 10000);

    // More: per pixel column the first, lowest, highest and last, in row order.
    QList<std::optional<double>> values = wavy(40000);
    values[12345] = 50.0;
    values[23456] = 80.0;
    values[30000] = std::nullopt;
    view.setSeriesValues(1, values);
    QCoreApplication::processEvents();
    const QList<QPointF> shown = Points(view, 1);
    const int columns = int(view.chart()->plotArea().width());
    QVERIFY2(shown.size() > columns && shown.size() <= 4 * columns + 4,
             qPrintable(QString::number(shown.size())));
    QCOMPARE(shown.first(), QPointF(1, *values.first()));
    QCOMPARE(shown.last(), QPointF(40000, *values.last()));
    QVERIFY(shown.contains(QPointF(12346, 50.0)));
    QVERIFY(shown.contains(QPointF(23457, 80.0)));
    QVERIFY(std::adjacent_find(shown.cbegin(), shown.cend(), [](const QPointF &a, const QPointF &b) {
                return a.x() >= b.x() || a.x() == 30001;
            }) == shown.cend());
    QCOMPARE(view.value(30001, 1), std::nullopt);
    QCOMPARE(view.value(40000, 1), values.last());

    // A wider plot: more columns, more points.
    view.resize(1200, 300);
    QCoreApplication::processEvents();
    QVERIFY(Points(view, 1).size() > shown.size());
}

void TestChartView::hidingASeriesKeepsItsValues()
{
    ChartView view;
    SetUpDayChart(view);
    view.setRowCount(3);
    view.setSeriesValues(1, {65.0, 64.8, 64.6});
    view.setSeriesValues(2, {24.1, std::nullopt, 23.9});
    const QList<QPointF> before = Points(view, 2);

    view.setSeriesHidden(2, true);
    QVERIFY(view.isSeriesHidden(2));
    QVERIFY(!view.lineSeries(2)->isVisible());
    QVERIFY(!view.isSeriesHidden(1));
    view.setSeriesHidden(2, false);
    QVERIFY(!view.isSeriesHidden(2));
    QVERIFY(view.lineSeries(2)->isVisible());
    QCOMPARE(Points(view, 2), before);
    QCOMPARE(view.value(1, 2), std::optional<double>(24.1));
    QCOMPARE(view.value(2, 2), std::nullopt);
}

void TestChartView::markersApplyToLaterPoints_data()
{
    QTest::addColumn<MarkerStyle>("style");
    QTest::addColumn<bool>("plainPoints");
    QTest::addColumn<bool>("picture");
    QTest::newRow("none") << MarkerStyle::None << false << false;
    QTest::newRow("circle") << MarkerStyle::Circle << true << false;
    QTest::newRow("ball") << MarkerStyle::Ball << false << true;
}

void TestChartView::markersApplyToLaterPoints()
{
    QFETCH(MarkerStyle, style);
    QFETCH(bool, plainPoints);
    QFETCH(bool, picture);
    ChartView view;
    SetUpDayChart(view);
    view.setMarkerStyle(1, MarkerStyle::Ball);
    view.setMarkerStyle(1, style);
    view.setMarkerStyle(2, style);
    view.setRowCount(1);
    view.setRowCount(0);
    view.setRowCount(2);
    view.setSeriesValues(1, {65.0, std::nullopt});
    view.setSeriesValues(2, {std::nullopt, 24.0});
    view.updateLines();
    for (int s = 1; s <= 2; ++s) {
        QCOMPARE(view.markerStyle(s), style);
        QCOMPARE(view.lineSeries(s)->pointsVisible(), plainPoints);
        QCOMPARE(!view.lineSeries(s)->lightMarker().isNull(), picture);
        QCOMPARE(view.lineSeries(s)->points().size(), 1);
    }
    QCOMPARE(view.markerStyle(3), MarkerStyle::None); // no such series
}

void TestChartView::axisScale_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<double>("expectedMin");
    QTest::addColumn<double>("expectedMax");
    QTest::addColumn<int>("expectedTicks");
    const int left = int(ChartAxis::Left), right = int(ChartAxis::Right);
    // Each row starts from a 60..70 scale with 10 divisions.
    QTest::newRow("new scale") << left << 64.0 << 66.0 << 4 << 64.0 << 66.0 << 5;
    QTest::newRow("divisions kept") << left << 1340.0 << 1380.0 << -1 << 1340.0 << 1380.0 << 11;
    QTest::newRow("bone") << left << 2.7 << 3.1 << 4 << 2.7 << 3.1 << 5;
    QTest::newRow("day without values") << left << 999.0 << 0.0 << 5 << 60.0 << 70.0 << 11;
    QTest::newRow("bone, no values") << left << 29999.9 << 0.1 << -299998 << 60.0 << 70.0 << 11;
    QTest::newRow("not a number") << left << qQNaN() << 1.0 << 5 << 60.0 << 70.0 << 11;
    QTest::newRow("right axis") << right << 20.0 << 26.0 << 6 << 20.0 << 26.0 << 7;
    QTest::newRow("right, min above max") << right << 30.0 << 20.0 << 2 << 60.0 << 70.0 << 11;
    QTest::newRow("equal ends") << left << 65.0 << 65.0 << 1 << 65.0 << 66.0 << 2;
}

void TestChartView::axisScale()
{
    QFETCH(int, axis);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, divisions);
    QFETCH(double, expectedMin);
    QFETCH(double, expectedMax);
    QFETCH(int, expectedTicks);
    ChartView view;
    SetUpDayChart(view);
    const auto which = ChartAxis(axis);
    view.setAxisScale(which, 60, 70, 10);
    view.setAxisScale(which, min, max, divisions);
    QCOMPARE(view.valueAxis(which)->min(), expectedMin);
    QCOMPARE(view.valueAxis(which)->max(), expectedMax);
    QCOMPARE(view.valueAxis(which)->tickCount(), expectedTicks);
}

void TestChartView::onlyUnscaledAxesFollowTheData()
{
    ChartView view;
    SetUpDayChart(view);
    view.setAxisScale(ChartAxis::Left, 64, 66, 2);
    view.setRowCount(3);
    view.setSeriesValues(1, {50.0, 90.0});
    view.setSeriesValues(2, {12.0, 31.5, std::nullopt});
    view.updateLines();
    QCOMPARE(view.valueAxis(ChartAxis::Left)->min(), 64.0);
    QCOMPARE(view.valueAxis(ChartAxis::Left)->max(), 66.0);
    const QValueAxis *right = view.valueAxis(ChartAxis::Right);
    QVERIFY(right->min() <= 12.0);
    QVERIFY(right->max() >= 31.5);
    QVERIFY(right->max() - right->min() < 60);
}

void TestChartView::hiddenAxisKeepsItsScale()
{
    ChartView view;
    SetUpDayChart(view);
    view.setAxisScale(ChartAxis::Right, 20, 30, 5);
    view.setAxisHidden(ChartAxis::Right, true);
    QVERIFY(view.isAxisHidden(ChartAxis::Right));
    QVERIFY(!view.valueAxis(ChartAxis::Right)->isVisible());
    QVERIFY(!view.isAxisHidden(ChartAxis::Left));
    view.setAxisHidden(ChartAxis::Right, false);
    QVERIFY(view.valueAxis(ChartAxis::Right)->isVisible());
    QCOMPARE(view.valueAxis(ChartAxis::Right)->min(), 20.0);
    QCOMPARE(view.valueAxis(ChartAxis::Right)->max(), 30.0);
    QCOMPARE(view.valueAxis(ChartAxis::Right)->tickCount(), 6);
}

void TestChartView::rowAxisCoversTheRows()
{
    ChartView view;
    SetUpDayChart(view);
    for (const int rows : {1, 7, 50000}) {
        view.setRowCount(rows);
        QList<std::optional<double>> values(rows);
        values.last() = 60.0;
        view.setSeriesValues(1, values);
        view.updateLines();
        QVERIFY(view.rowAxis()->min() <= 1);
        QVERIFY(view.rowAxis()->min() > 0);
        QVERIFY(view.rowAxis()->max() >= rows);
        QVERIFY(view.rowAxis()->max() < rows + 1);
    }
}

void TestChartView::pictureShowsTheLinesAtOnce()
{
    ChartView view;
    view.setSeries({{QStringLiteral("体重"), Weight, ChartAxis::Left}});
    view.resize(400, 300);
    view.setAxisScale(ChartAxis::Left, 0, 10, 5);
    view.setRowCount(3);
    view.setSeriesValues(1, {2.0, 8.0, 5.0});
    // No event processing in between: the picture already holds the line.
    const QPixmap drawn = view.picture();
    QVERIFY(!drawn.isNull());
    QVERIFY(CountPixels(drawn, Weight) > 100);

    view.setSeriesHidden(1, true);
    const QPixmap hidden = view.picture();
    QCOMPARE(CountPixels(hidden, Weight), 0);
    view.setSeriesHidden(1, false);
    QVERIFY(CountPixels(view.picture(), Weight) > 100);
}

void TestChartView::doubleClickIsReported()
{
    ChartView view;
    SetUpDayChart(view);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy doubled(&view, &ChartView::doubleClicked);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(150, 100));
    QCOMPARE(doubled.count(), 1);
}

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
