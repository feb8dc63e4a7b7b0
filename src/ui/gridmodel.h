#pragma once

#include "base/tablerow.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>

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

} // namespace zz
