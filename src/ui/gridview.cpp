#include "ui/gridview.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace zz {

GridView::GridView(QWidget *parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    // By pixel, so that the offset is not tied to the last row at the end.
    setVerticalScrollMode(ScrollPerPixel);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(0);
    applyRowHeight();
    // A user who scrolls takes over from showEnd.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_endRequested = false; });

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        m_currentInHeader = false;
        Q_EMIT cellClicked(index.row() + 1, index.column());
    });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT cellDoubleClicked(index.row() + 1, index.column()); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid()) {
            m_currentInHeader = false;
            m_headerCurrentColumn = current.column();
        }
    });
    // New contents start at the top; widths given before their columns
    // existed take effect once the columns do.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_requestedTopIndex = -1;
        m_endRequested = false;
        verticalScrollBar()->setValue(0);
        applyColumnWidths();
    });
}

void GridView::resetColumns(const QStringList &headers, const QList<int> &widthsTwips, int fontPoints)
{
    setFontPointSize(fontPoints);
    m_model->setGridColumnCount(int(headers.size()));
    m_model->setGridRowCount(1);
    m_model->setHeaders(headers);
    m_model->setHeaderAlignment(Qt::AlignCenter);
    for (int c = 0; c < headers.size(); ++c) {
        setColumnWidthTwips(c, widthsTwips.value(c));
        m_model->setColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
}

GridModel *GridView::gridModel() const
{
    return m_model;
}

int TwipsToPixels(double twips, const QWidget *widget)
{
    double dpi = 96;
    if (widget)
        dpi = widget->logicalDpiX();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchX();
    return qRound(twips / 15.0 * dpi / 96.0);
}

void GridView::setColumnWidthTwips(int column, int twips)
{
    if (column < 0)
        return;
    if (column >= m_widthTwips.size())
        m_widthTwips.resize(column + 1, -1);
    m_widthTwips[column] = qMax(0, twips);
    applyColumnWidths();
}

void GridView::applyColumnWidths()
{
    const int columns = qMin<int>(int(m_widthTwips.size()), m_model->gridColumnCount());
    const QStringList longestTexts = m_model->longestTexts();
    for (int c = 0; c < columns; ++c) {
        const int twips = m_widthTwips.at(c);
        if (twips < 0)
            continue;
        // A width of 0 hides a column that only carries data.
        setColumnHidden(c, twips == 0);
        // At least the given width, and wide enough for the column's longest
        // text (a three-digit weight, a two-digit difference with its sign).
        if (twips > 0) {
            const QString &longest = longestTexts.at(c);
            const int needed = longest.isEmpty() ? 0 : fontMetrics().horizontalAdvance(longest) + 10;
            setColumnWidth(c, std::max(TwipsToPixels(twips, this), needed));
        }
    }
}

void GridView::setFontPointSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    // The header row is part of the grid; the style may give headers their own font.
    horizontalHeader()->setFont(f);
    applyRowHeight();
}

void GridView::applyRowHeight()
{
    const QFontMetrics metrics(font());
    verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
}

void GridView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyRowHeight();
}

void GridView::setCurrentCell(int row, int column)
{
    if (column < 0 || column >= m_model->gridColumnCount())
        return;
    if (row == 0) {
        m_currentInHeader = true;
        m_headerCurrentColumn = column;
        return;
    }
    if (row < 1 || row >= m_model->gridRowCount())
        return;
    m_currentInHeader = false;
    m_headerCurrentColumn = column;
    selectionModel()->setCurrentIndex(m_model->index(row - 1, column), QItemSelectionModel::ClearAndSelect);
}

int GridView::currentGridRow() const
{
    const QModelIndex current = currentIndex();
    if (m_currentInHeader || !current.isValid())
        return 0;
    return current.row() + 1;
}

int GridView::currentGridColumn() const
{
    const QModelIndex current = currentIndex();
    if (m_currentInHeader || !current.isValid())
        return m_headerCurrentColumn;
    return current.column();
}

void GridView::setCurrentText(const QString &text)
{
    m_model->setText(currentGridRow(), currentGridColumn(), text);
}

QString GridView::currentText() const
{
    return m_model->text(currentGridRow(), currentGridColumn());
}

void GridView::setCurrentBackground(const QColor &color)
{
    m_model->setBackground(currentGridRow(), currentGridColumn(), color);
}

void GridView::setTopRow(int row)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    m_endRequested = false;
    m_requestedTopIndex = qBound(0, row - 1, rows - 1);
    updateGeometries();
    verticalScrollBar()->setValue(verticalHeader()->sectionPosition(m_requestedTopIndex));
}

void GridView::showEnd()
{
    m_requestedTopIndex = -1;
    m_endRequested = true;
    applyEnd();
}

int GridView::topPositionOf(int index) const
{
    return verticalHeader()->sectionPosition(index);
}

void GridView::applyEnd()
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    // The first row from which every row to the end fits the view whole.
    const int height = viewport()->height();
    int first = rows - 1;
    int used = rowHeight(first);
    while (first > 0 && used + rowHeight(first - 1) <= height)
        used += rowHeight(--first);
    // The range may reach a little past the end, so that the top row is whole
    // and the space left under the last row is less than a row.
    QScrollBar *bar = verticalScrollBar();
    const int wanted = topPositionOf(first);
    if (bar->maximum() < wanted)
        bar->setRange(0, wanted);
    bar->setValue(wanted);
}

void GridView::wheelEvent(QWheelEvent *event)
{
    // Whole rows at a time, so that no row is ever half hidden at the top.
    const int steps = event->angleDelta().y() / 120 * QApplication::wheelScrollLines();
    if (steps == 0 || m_model->rowCount() == 0) {
        QTableView::wheelEvent(event);
        return;
    }
    m_endRequested = false;
    const int top = std::max(0, rowAt(0));
    const int wanted = std::clamp(top - steps, 0, m_model->rowCount() - 1);
    QScrollBar *bar = verticalScrollBar();
    const int value = topPositionOf(wanted);
    if (value > bar->maximum()) {
        // At the end: the top row the end shows whole.
        m_endRequested = true;
        applyEnd();
    } else {
        bar->setValue(value);
    }
    event->accept();
}

int GridView::topRow() const
{
    const int index = rowAt(0);
    return index >= 0 ? index + 1 : 1;
}

void GridView::updateGeometries()
{
    QScrollBar *bar = verticalScrollBar();
    const int value = bar->value();
    QTableView::updateGeometries();
    if (m_endRequested) {
        applyEnd();
        return;
    }
    if (m_requestedTopIndex < 0 || m_requestedTopIndex >= m_model->rowCount())
        return;
    // The list may scroll past its end as far as the row asked to be on top.
    const int fullMaximum = bar->maximum();
    const int wanted = verticalHeader()->sectionPosition(m_requestedTopIndex);
    if (fullMaximum >= wanted)
        return;
    bar->setRange(0, wanted);
    if (value > fullMaximum && value <= wanted)
        bar->setValue(value);
}

QList<QStringList> GridTexts(const GridView *grid)
{
    const GridModel *model = grid->gridModel();
    QList<QStringList> rows;
    rows.reserve(model->gridRowCount());
    for (int r = 1; r < model->gridRowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->gridColumnCount(); ++c)
            cells.append(model->text(r, c));
        rows.append(cells);
    }
    return rows;
}

} // namespace zz
