#include "ui/chartview.h"

#include "ui/chartlooks.h"
#include "ui/colours.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QSignalBlocker>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zz {

namespace {

constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();
constexpr qreal CircleSize = 4.5; // drawn as the radius
constexpr qreal BallSize = 12;    // the picture's side
constexpr qreal LineWidth = 2;
// A line of more points than this is denser than the pixels it crosses: drawn
// thin it looks the same and paints several times faster.
constexpr int ThinLineFrom = 1000;
// A series of more points than this holds, per pixel column of the plot, only
// the first, lowest, highest and last point of the column: the same picture
// at that width, without drawing points that fall on one another.
constexpr qsizetype ThinPointsFrom = 10000;
constexpr qreal ThinLineWidth = 1;

bool HasValue(double value)
{
    return std::isfinite(value);
}

} // namespace

ChartView::ChartView(QWidget *parent) : QChartView(parent)
{
    auto *c = new QChart;
    c->setMargins(QMargins(4, 8, 4, 2)); // room for the top axis label
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    setChart(c);
    setRenderHint(QPainter::Antialiasing);

    m_rowAxis = new QValueAxis(this);
    m_rowAxis->setTickType(QValueAxis::TicksDynamic);
    m_rowAxis->setTickAnchor(1);
    m_rowAxis->setTickInterval(1);
    m_rowAxis->setLabelFormat(QStringLiteral("%d"));
    m_rowAxis->setRange(0.5, 1.5);
    c->addAxis(m_rowAxis, Qt::AlignBottom);

    m_left.axis = new QValueAxis(this);
    m_right.axis = new QValueAxis(this);
    for (QValueAxis *axis : {m_rowAxis, m_left.axis, m_right.axis})
        axis->setLabelsFont(LabelFont());
    for (QValueAxis *axis : {m_left.axis, m_right.axis}) {
        axis->setRange(0, 10);
        axis->setTickCount(6);
        UpdateLabelFormat(axis);
    }
    c->addAxis(m_left.axis, Qt::AlignLeft);
    if (IsDarkScheme())
        applyTheme(true);
}

void ChartView::applyTheme(bool dark)
{
    QChart *c = chart();
    m_dark = dark;
    // A theme sets every colour and font of the chart anew; the labels' face
    // and the series' own colours are put back.
    c->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    c->setBackgroundRoundness(0);
    for (QValueAxis *axis : {m_rowAxis, m_left.axis, m_right.axis})
        axis->setLabelsFont(LabelFont());
    for (Series &s : m_series) {
        s.line->setPen(QPen(s.color, s.pointCount > ThinLineFrom ? ThinLineWidth : LineWidth));
        applyMarker(s);
    }
}

void ChartView::setSeries(const QList<SeriesSpec> &seriesList)
{
    QChart *c = chart();
    c->removeAllSeries();
    m_series.clear();
    // The right axis is drawn only for a chart that has a series on it.
    const bool usesRight = std::any_of(seriesList.cbegin(), seriesList.cend(),
                                       [](const SeriesSpec &one) { return one.axis == ChartAxis::Right; });
    const bool hasRight = c->axes(Qt::Vertical).contains(m_right.axis);
    if (usesRight && !hasRight) {
        c->addAxis(m_right.axis, Qt::AlignRight);
    } else if (!usesRight && hasRight) {
        c->removeAxis(m_right.axis);
        m_right.axis->setParent(this);
    }
    for (const SeriesSpec &one : seriesList) {
        Series s;
        s.line = new QLineSeries;
        s.line->setName(one.name);
        QPen pen(one.color, LineWidth);
        s.line->setPen(pen);
        s.axis = one.axis;
        s.color = one.color;
        s.values = QList<double>(m_rows, NoValue);
        c->addSeries(s.line);
        s.line->attachAxis(m_rowAxis);
        s.line->attachAxis(axisState(one.axis).axis);
        applyMarker(s);
        m_series.append(s);
    }
    fitFreeAxes();
}

ChartView::Series *ChartView::seriesAt(int series)
{
    return series >= 1 && series <= m_series.size() ? &m_series[series - 1] : nullptr;
}

const ChartView::Series *ChartView::seriesAt(int series) const
{
    return series >= 1 && series <= m_series.size() ? &m_series[series - 1] : nullptr;
}

ChartView::AxisState &ChartView::axisState(ChartAxis axis)
{
    return axis == ChartAxis::Left ? m_left : m_right;
}

const ChartView::AxisState &ChartView::axisState(ChartAxis axis) const
{
    return axis == ChartAxis::Left ? m_left : m_right;
}

QLineSeries *ChartView::lineSeries(int series) const
{
    const Series *s = seriesAt(series);
    return s ? s->line : nullptr;
}

QValueAxis *ChartView::valueAxis(ChartAxis axis) const
{
    return axisState(axis).axis;
}

QValueAxis *ChartView::rowAxis() const
{
    return m_rowAxis;
}

// Point changes are made with the series' signals blocked, so that the chart
// does not rebuild a whole line for every point given; the lines are rebuilt
// once, from the complete points, when the queued update runs.
void ChartView::scheduleUpdate()
{
    if (m_updateQueued)
        return;
    m_updateQueued = true;
    QMetaObject::invokeMethod(this, &ChartView::updateShownLines, Qt::QueuedConnection);
}

void ChartView::setRowCount(int rows)
{
    rows = std::max(0, rows);
    if (rows == m_rows)
        return;
    bool anyPoints = false;
    bool removed = false;
    for (Series &s : m_series) {
        if (rows < m_rows) {
            const QSignalBlocker blocker(s.line);
            // Points are in row order: drop those beyond the last row.
            int first = s.line->count();
            while (first > 0 && s.line->at(first - 1).x() > rows)
                --first;
            if (first < s.line->count()) {
                s.line->removePoints(first, s.line->count() - first);
                s.linesBehind = true;
                removed = true;
            }
        }
        s.values.resize(rows, NoValue);
        if (rows < m_rows)
            s.pointCount = std::count_if(s.values.cbegin(), s.values.cend(), HasValue);
        if (s.pointCount > ThinPointsFrom) { // the columns of the plot cover other rows now
            s.linesBehind = true;
            removed = true;
        }
        anyPoints = anyPoints || s.pointCount > 0;
    }
    m_rows = rows;
    // With no points the new range costs nothing to apply; otherwise it would
    // redraw every line, so it waits for the queued update.
    if (anyPoints) {
        m_rowRangeBehind = true;
        scheduleUpdate();
    } else {
        applyRowRange();
    }
    if (removed)
        scheduleUpdate();
}

int ChartView::rowCount() const
{
    return m_rows;
}

void ChartView::applyRowRange()
{
    m_rowRangeBehind = false;
    const int shown = std::max(m_rows, 1);
    m_rowAxis->setTickInterval(RowLabelStep(shown));
    m_rowAxis->setRange(0.5, shown + 0.5);
}

void ChartView::setSeriesValues(int series, const QList<std::optional<double>> &values)
{
    Series *s = seriesAt(series);
    if (!s)
        return;
    if (values.size() > m_rows)
        setRowCount(int(values.size()));
    s->pointCount = 0;
    for (qsizetype i = 0; i < m_rows; ++i) {
        const double value =
            i < values.size() && values.at(i) && HasValue(*values.at(i)) ? *values.at(i) : NoValue;
        s->values[i] = value;
        s->pointCount += HasValue(value) ? 1 : 0;
    }
    QList<QPointF> points;
    if (s->pointCount <= ThinPointsFrom) { // a long series is thinned when its line is drawn
        points.reserve(s->pointCount);
        for (qsizetype i = 0; i < m_rows; ++i)
            if (HasValue(s->values.at(i)))
                points.append(QPointF(double(i + 1), s->values.at(i)));
    }
    {
        const QSignalBlocker blocker(s->line);
        s->line->replace(points);
    }
    s->linesBehind = true;
    scheduleUpdate();
}

std::optional<double> ChartView::value(int row, int series) const
{
    const Series *s = seriesAt(series);
    if (!s || row < 1 || row > m_rows)
        return std::nullopt;
    const double value = s->values.at(row - 1);
    return HasValue(value) ? std::optional<double>(value) : std::nullopt;
}

void ChartView::updateShownLines()
{
    // A hidden chart (a composition chart under the weight chart) takes its
    // lines when it is shown: drawing 50,000 points nobody sees is the most
    // costly part of a refill.
    m_linesWaitForShow = !isVisible();
    if (m_linesWaitForShow) {
        m_updateQueued = false;
        if (m_rowRangeBehind)
            applyRowRange();
        fitFreeAxes();
        return;
    }
    updateLines();
}

void ChartView::showEvent(QShowEvent *event)
{
    if (m_linesWaitForShow) {
        m_linesWaitForShow = false;
        updateLines();
    }
    QChartView::showEvent(event);
}

void ChartView::updateLines()
{
    m_updateQueued = false;
    if (m_rowRangeBehind)
        applyRowRange();
    for (Series &s : m_series) {
        if (!s.linesBehind)
            continue;
        s.linesBehind = false;
        const qreal width = s.pointCount > ThinLineFrom ? ThinLineWidth : LineWidth;
        if (s.line->pen().widthF() != width) {
            QPen pen = s.line->pen();
            pen.setWidthF(width);
            s.line->setPen(pen);
        }
        // Unblocked now: the chart takes the complete points in one pass.
        s.line->replace(s.pointCount > ThinPointsFrom ? thinnedPoints(s) : s.line->points());
    }
    // Thousands of points lie closer than a pixel: smoothing their edges
    // shows nothing and costs most of the drawing.
    bool dense = false;
    for (const Series &s : std::as_const(m_series))
        dense = dense || s.pointCount > ThinLineFrom;
    setRenderHint(QPainter::Antialiasing, !dense);
    fitFreeAxes();
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    bool thinned = false;
    for (Series &s : m_series)
        if (s.pointCount > ThinPointsFrom) {
            s.linesBehind = true;
            thinned = true;
        }
    if (thinned)
        scheduleUpdate();
}

QList<QPointF> ChartView::thinnedPoints(const Series &s) const
{
    const QRectF area = chart()->plotArea();
    const int columns = std::max(1, int(area.width() >= 1 ? area.width() : width()));
    const double low = m_rowAxis->min();
    const double perColumn = std::max(1e-9, (m_rowAxis->max() - low) / columns);
    QList<QPointF> out;
    out.reserve(qsizetype(columns) * 4 + 4);
    // Points of one column: the first, the lowest, the highest, the last.
    QPointF first, lowest, highest, last;
    qint64 column = std::numeric_limits<qint64>::min();
    const auto add = [&out](const QPointF &p) {
        if (out.isEmpty() || p.x() > out.last().x())
            out.append(p);
    };
    const auto closeColumn = [&] {
        if (column == std::numeric_limits<qint64>::min())
            return;
        add(first);
        add(lowest.x() < highest.x() ? lowest : highest);
        add(lowest.x() < highest.x() ? highest : lowest);
        add(last);
    };
    for (qsizetype i = 0; i < s.values.size(); ++i) {
        const double value = s.values.at(i);
        if (!HasValue(value))
            continue;
        const QPointF point(double(i + 1), value);
        const qint64 at = qint64(std::floor((point.x() - low) / perColumn));
        if (at != column) {
            closeColumn();
            column = at;
            first = lowest = highest = last = point;
            continue;
        }
        last = point;
        if (value < lowest.y())
            lowest = point;
        if (value > highest.y())
            highest = point;
    }
    closeColumn();
    return out;
}

void ChartView::fitFreeAxes()
{
    for (ChartAxis which : {ChartAxis::Left, ChartAxis::Right}) {
        AxisState &state = axisState(which);
        if (state.fixed)
            continue;
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (const Series &s : std::as_const(m_series)) {
            if (s.axis != which)
                continue;
            for (const double value : s.values) {
                if (HasValue(value)) {
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
            }
        }
        if (!(low <= high))
            continue; // no values: the scale stays as it is
        if (low == high) {
            low -= 1;
            high += 1;
        }
        if (low == state.axis->min() && high == state.axis->max())
            continue;
        state.axis->setTickCount(6);
        state.axis->setRange(low, high);
        state.axis->applyNiceNumbers();
        UpdateLabelFormat(state.axis);
    }
}

void ChartView::setAxisScale(ChartAxis axis, double min, double max, int divisions)
{
    // Also refuses NaN; a day without values yields a minimum above the maximum.
    if (!(min <= max))
        return;
    if (min == max)
        max = min + 1;
    AxisState &state = axisState(axis);
    state.fixed = true;
    state.axis->setRange(min, max);
    if (divisions >= 1)
        state.axis->setTickCount(divisions + 1);
    UpdateLabelFormat(state.axis);
}

void ChartView::setAxisHidden(ChartAxis axis, bool hidden)
{
    axisState(axis).axis->setVisible(!hidden);
}

bool ChartView::isAxisHidden(ChartAxis axis) const
{
    return !axisState(axis).axis->isVisible();
}

void ChartView::setSeriesHidden(int series, bool hidden)
{
    if (Series *s = seriesAt(series))
        s->line->setVisible(!hidden);
}

bool ChartView::isSeriesHidden(int series) const
{
    const Series *s = seriesAt(series);
    return s && !s->line->isVisible();
}

void ChartView::setMarkerStyle(int series, MarkerStyle style)
{
    Series *s = seriesAt(series);
    if (!s)
        return;
    s->marker = style;
    applyMarker(*s);
}

MarkerStyle ChartView::markerStyle(int series) const
{
    const Series *s = seriesAt(series);
    return s ? s->marker : MarkerStyle::None;
}

void ChartView::applyMarker(Series &s)
{
    switch (s.marker) {
    case MarkerStyle::None:
        s.line->setLightMarker(QImage());
        s.line->setPointsVisible(false);
        break;
    case MarkerStyle::Circle:
        s.line->setLightMarker(QImage());
        s.line->setMarkerSize(CircleSize);
        s.line->setPointsVisible(true);
        break;
    case MarkerStyle::Ball:
        // A light marker replaces the plain points.
        s.line->setPointsVisible(false);
        s.line->setMarkerSize(BallSize);
        s.line->setLightMarker(BallPicture(s.color));
        break;
    }
}

QPixmap ChartView::picture()
{
    updateLines();
    // The picture goes on paper: a dark chart is copied in the light theme.
    if (!m_dark)
        return grab();
    applyTheme(false);
    QPixmap copy = grab();
    applyTheme(true);
    return copy;
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QChartView::mouseDoubleClickEvent(event);
    event->accept();
    Q_EMIT doubleClicked();
}

} // namespace zz
