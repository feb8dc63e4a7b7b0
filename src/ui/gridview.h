#pragma once

#include "views/tablerow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>

namespace zz {

// The cells of a list: one fixed header row (grid row 0, shown as the
// horizontal header) and data rows 1..n (model rows 0..n-1). Texts are shown
// exactly as given; a cell that was never coloured has no BackgroundRole.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid rows, header included: 1 leaves only the header, n + 1 gives n data
    // rows; new rows are empty and uncoloured.
    void setGridRowCount(int rows);
    int gridRowCount() const;
    void setGridColumnCount(int columns);
    int gridColumnCount() const;

    // Grid coordinates: row 0 is the header.
    void setText(int row, int column, const QString &text);
    QString text(int row, int column) const;
    void setBackground(int row, int column, const QColor &color);
    QColor background(int row, int column) const; // invalid when never coloured

    void setHeaders(const QStringList &headers);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setHeaderAlignment(Qt::Alignment alignment);

    // Replaces all data rows at once (fast path for long lists).
    void setRows(const QList<TableRow> &rows);
    // Appends one data row.
    void appendRow(const TableRow &row);
};

// A list: a QTableView over a GridModel, with the operations the views use.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    GridModel *gridModel() const;

    // Widths in twips, 15 twips per pixel at 96 dpi, scaled with the screen.
    void setColumnWidthTwips(int column, int twips);
    void setFontPointSize(int points); // 9, 10 or 11

    // Current cell in grid coordinates (data rows from 1); after a click it is
    // the clicked cell.
    void setCurrentCell(int row, int column);
    int currentGridRow() const;
    int currentGridColumn() const;
    // Scrolls so that grid row `row` is the first data row in view.
    void setTopRow(int row);
    int topRow() const;

Q_SIGNALS:
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);
};

// 15 twips per pixel at 96 dpi, scaled with the screen's logical dpi.
int TwipsToPixels(double twips, const QWidget *widget = nullptr);

} // namespace zz
