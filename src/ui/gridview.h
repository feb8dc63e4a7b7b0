#pragma once

#include "base/tablerow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QTableView>

#include <functional>

namespace zz {

// The cells of a list: one fixed header row (grid row 0, shown as the
// horizontal header) and data rows 1..n (model rows 0..n-1). Texts are shown
// exactly as given; a cell that was never coloured has no BackgroundRole.
//
// A long list may be given as a RowSource instead of its rows: a row's texts
// are then made when the row is shown or read, and the list holds only the
// source and the cells written since.
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
    // The longest data text of a column (by characters): the one a column
    // must be wide enough for.
    QString longestText(int column) const;
    QStringList longestTexts() const; // of every column, in one pass
    void setBackground(int row, int column, const QColor &color);
    QColor background(int row, int column) const; // invalid when never coloured

    void setHeaders(const QStringList &headers);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setHeaderAlignment(Qt::Alignment alignment);

    // Replaces all data rows at once (fast path for long lists).
    void setRows(const QList<TableRow> &rows);

    struct RowSource
    {
        int count = 0;
        std::function<TableRow(int row)> make; // data row from 0
        // Rows whose texts are the widest their columns hold (the extremes),
        // which the column widths are fitted to.
        QList<int> widestRows;
    };
    // Replaces all data rows by `source.count` rows made on demand.
    void setRowSource(RowSource source);
    // Appends one data row.
    void appendRow(const TableRow &row);

    Qt::Alignment columnAlignment(int column) const;
    Qt::Alignment headerAlignment() const;

private:
    bool isDataCell(int row, int column) const;
    qsizetype cellIndex(int row, int column) const;
    void storeRow(qsizetype at, const TableRow &row);
    bool isLazy() const { return bool(m_source.make); }
    // The made row `row` (from 0) of a lazy list, kept while it is in use.
    const TableRow &madeRow(int row) const;
    QString cellText(int row, int column) const; // model coordinates
    QRgb cellColor(int row, int column) const;   // 0: never coloured
    // Makes every row of a lazy list and keeps them as given rows.
    void materialize();

    // Cells are kept row by row in one flat list; colours only once a cell has
    // been coloured (0 = never coloured, otherwise an opaque QRgb).
    int m_columns = 0;
    int m_dataRows = 0;
    QList<QString> m_cells;
    QList<QRgb> m_colors;
    QStringList m_headers;
    QList<Qt::Alignment> m_alignments;
    RowSource m_source;
    mutable QHash<int, TableRow> m_made;
    QHash<qsizetype, QString> m_writtenTexts; // by cell index, over the source's
    QHash<qsizetype, QRgb> m_writtenColors;
    Qt::Alignment m_headerAlignment = Qt::AlignCenter;
};

// A list: a QTableView over a GridModel, with the operations the views use.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    GridModel *gridModel() const;

    // The grid cut back to its header row with these headers, widths (twips)
    // and font size; headers centred, data cells right-aligned and vertically
    // centred. Callers set the columns that differ afterwards.
    void resetColumns(const QStringList &headers, const QList<int> &widthsTwips, int fontPoints);
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
    // A long list shows its end: the last row at the bottom and the rows above
    // it filling the view, the top row whole. Kept through changes of size
    // until the user scrolls or the contents change.
    void showEnd();
    int topRow() const;

    // Text and colour of the current cell.
    void setCurrentText(const QString &text);
    QString currentText() const;
    void setCurrentBackground(const QColor &color);

Q_SIGNALS:
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);

protected:
    void updateGeometries() override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyColumnWidths();
    void applyRowHeight();

    GridModel *m_model = nullptr;
    QList<int> m_widthTwips; // -1: never set
    // Column of the current cell while it lies in the header row, which the
    // view's own current index cannot express.
    int m_headerCurrentColumn = 0;
    bool m_currentInHeader = false;
    // The last row asked to be on top: the scroll range reaches it even near
    // the end of the list, so the last row can be the first one in view.
    int m_requestedTopIndex = -1;
    bool m_endRequested = false;
    void applyEnd();
    // The scroll position at which row `index` is the top row, whole.
    int topPositionOf(int index) const;
};

// The texts of every data row as the grid shows them (rows 1 .. n).
QList<QStringList> GridTexts(const GridView *grid);

// 15 twips per pixel at 96 dpi, scaled with the screen's logical dpi.
int TwipsToPixels(double twips, const QWidget *widget = nullptr);

} // namespace zz
