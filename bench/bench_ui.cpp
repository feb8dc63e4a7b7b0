#include "benchtable.h"

#include "ui/chartview.h"
#include "ui/gridview.h"

#include <QCoreApplication>
#include <QtMath>
#include <optional>

namespace zzbench {

namespace {

constexpr int Columns = 13;

// The rows of a long diary list as the views produce them: dates, a status,
// masses and a coloured change mark.
QList<zz::TableRow> DiaryRows()
{
    QList<zz::TableRow> rows;
    rows.reserve(Records());
    for (int r = 0; r < Records(); ++r) {
        zz::TableRow row;
        const double weight = 70.0 - r * 0.0002 + (r % 7) * 0.1;
        row.cells = {QString::number(r + 1),
                     QStringLiteral("20%1/%2/%3")
                         .arg(4 + r / 365, 2, 10, QLatin1Char('0'))
                         .arg(1 + (r / 31) % 12, 2, 10, QLatin1Char('0'))
                         .arg(1 + r % 28, 2, 10, QLatin1Char('0')),
                     r % 2 ? QStringLiteral("朝食前") : QStringLiteral("入浴後"),
                     QString::number(weight, 'f', 1),
                     QStringLiteral("-0.1"),
                     QStringLiteral("↓"),
                     QString::number(24.5 - (r % 5) * 0.1, 'f', 1),
                     QStringLiteral("今日は少し食べ過ぎた"),
                     QStringLiteral("1350"),
                     QStringLiteral("9"),
                     QString::number(weight * 0.72, 'f', 1),
                     QStringLiteral("5"),
                     QStringLiteral("2.8")};
        row.backgrounds.insert(5, zz::Colors::PaleGreen);
        rows.append(row);
    }
    return rows;
}

// Lets the queued work run and paints the widget once, as the user would see it.
void ShowNow(QWidget *viewport)
{
    QCoreApplication::processEvents();
    viewport->repaint();
}

void GridBenchmarks(Table &table)
{
    const QList<zz::TableRow> rows = DiaryRows();
    zz::GridView view;
    view.resize(1000, 500);
    view.gridModel()->setGridColumnCount(Columns);
    for (int c = 0; c < Columns; ++c)
        view.setColumnWidthTwips(c, 900);
    view.setFontPointSize(9);
    view.show();
    QCoreApplication::processEvents();
    const auto empty = [&] {
        view.gridModel()->setGridRowCount(1);
        ShowNow(view.viewport());
    };

    table.measure(
        QStringLiteral("grid: fill 50,000 rows x 13 columns"), 100,
        [&] {
            view.gridModel()->setRows(rows);
            view.setTopRow(Records());
            ShowNow(view.viewport());
        },
        5, empty);
    table.measure(
        QStringLiteral("grid: append 50,000 rows x 13 columns one by one"), 0,
        [&] {
            for (const zz::TableRow &row : rows)
                view.gridModel()->appendRow(row);
            view.setTopRow(Records());
            ShowNow(view.viewport());
        },
        3, empty);
}

void ChartBenchmarks(Table &table)
{
    QList<QList<std::optional<double>>> values(3);
    for (int r = 0; r < Records(); ++r) {
        const double weight = 70.0 - r * 0.0002 + 0.8 * qSin(r * 0.05);
        const double fat = 25.0 - r * 0.00005 + 0.5 * qCos(r * 0.07);
        const double average = 70.0 - r * 0.0002;
        values[0].append(weight);
        values[1].append(fat);
        values[2].append(average);
    }
    zz::ChartView view;
    view.resize(900, 500);
    view.setSeries({{QStringLiteral("体重"), Qt::blue, zz::ChartAxis::Left},
                    {QStringLiteral("体脂肪率"), Qt::darkGreen, zz::ChartAxis::Right},
                    {QStringLiteral("移動平均"), Qt::red, zz::ChartAxis::Left}});
    view.setAxisScale(zz::ChartAxis::Left, 58, 72, 7);
    view.setAxisScale(zz::ChartAxis::Right, 20, 27, 7);
    view.show();
    QCoreApplication::processEvents();
    const auto empty = [&] {
        view.setRowCount(0);
        ShowNow(view.viewport());
    };

    table.measure(
        QStringLiteral("chart: 3 series x 50,000 points"), 150,
        [&] {
            view.setRowCount(Records());
            for (int s = 0; s < 3; ++s)
                view.setSeriesValues(s + 1, values[s]);
            ShowNow(view.viewport());
        },
        5, empty);
}

} // namespace

void UiBenchmarks(Table &table)
{
    GridBenchmarks(table);
    ChartBenchmarks(table);
}

} // namespace zzbench
