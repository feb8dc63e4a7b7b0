#pragma once

#include "ui/gridmodel.h"

#include <QTableView>

namespace zz {

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
