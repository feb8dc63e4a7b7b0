#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QPixmap>
#include <QString>
#include <optional>

class QLineSeries;
class QValueAxis;

namespace zz {

enum class MarkerStyle { None, Circle, Ball };
enum class ChartAxis { Left, Right };

// A line chart: row r of the data grid (1..n) is x = r, series 1, 2, 3 are
// chart()->series() in that order, each on the left or the right value axis
// (QValueAxis aligned left and right). A row without a value has no point.
// A major division count k is tickCount k + 1.
class ChartView : public QChartView
{
    Q_OBJECT
public:
    struct SeriesSpec
    {
        QString name;
        QColor color;
        ChartAxis axis = ChartAxis::Left;
    };

    explicit ChartView(QWidget *parent = nullptr);
    // Fixes the series (names, colours, axes); done once at set-up.
    void setSeries(const QList<SeriesSpec> &series);

    // 0 empties the data; n gives n rows, new rows without values.
    void setRowCount(int rows);
    int rowCount() const;
    // All values of one series at once (index 0 is row 1); the fast path.
    void setSeriesValues(int series, const QList<std::optional<double>> &values);
    std::optional<double> value(int row, int series) const;

    // A fixed scale. A minimum above the maximum leaves the previous scale.
    // divisions < 0 leaves the division count as it is.
    void setAxisScale(ChartAxis axis, double min, double max, int divisions = -1);
    void setAxisHidden(ChartAxis axis, bool hidden);
    bool isAxisHidden(ChartAxis axis) const;
    void setSeriesHidden(int series, bool hidden);
    bool isSeriesHidden(int series) const;

    // Applies to the series as a whole, so points added later carry it too.
    void setMarkerStyle(int series, MarkerStyle style);
    MarkerStyle markerStyle(int series) const;

    QPixmap picture();

    QLineSeries *lineSeries(int series) const; // series from 1
    QValueAxis *valueAxis(ChartAxis axis) const;
    QValueAxis *rowAxis() const;

    // Values reach the series at once; the drawn lines follow when control
    // returns to the event loop, or now when this is called.
    void updateLines();

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Series
    {
        QLineSeries *line = nullptr;
        ChartAxis axis = ChartAxis::Left;
        QColor color;
        QList<double> values; // one per row, NaN where the row has no value
        MarkerStyle marker = MarkerStyle::None;
        bool linesBehind = false; // points changed since the lines were drawn
        qsizetype pointCount = 0; // rows with a value
    };
    struct AxisState
    {
        QValueAxis *axis = nullptr;
        bool fixed = false; // scaled by the caller; until then it follows the data
    };

    Series *seriesAt(int series);
    const Series *seriesAt(int series) const;
    AxisState &axisState(ChartAxis axis);
    const AxisState &axisState(ChartAxis axis) const;
    void scheduleUpdate();
    QList<QPointF> thinnedPoints(const Series &s) const;
    void updateShownLines();
    void applyRowRange();
    void fitFreeAxes();
    void applyMarker(Series &series);
    // The dark or the light chart theme, keeping the series' colours.
    void applyTheme(bool dark);

    QList<Series> m_series;
    int m_rows = 0;
    AxisState m_left, m_right;
    QValueAxis *m_rowAxis = nullptr;
    bool m_updateQueued = false;
    bool m_rowRangeBehind = false;
    bool m_linesWaitForShow = false; // hidden when its lines changed
    bool m_dark = false;             // drawn in the dark theme, for a dark window
};

} // namespace zz
