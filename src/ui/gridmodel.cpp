#include "ui/gridmodel.h"

namespace zz {

namespace {

constexpr Qt::Alignment DefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

QRgb StoredColor(const QColor &color)
{
    // Opaque, so that a stored black is told apart from "never coloured".
    return color.rgb() | 0xff000000u;
}

} // namespace

GridModel::GridModel(QObject *parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_dataRows;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

bool GridModel::isDataCell(int row, int column) const
{
    return row >= 1 && row <= m_dataRows && column >= 0 && column < m_columns;
}

qsizetype GridModel::cellIndex(int row, int column) const
{
    return qsizetype(row - 1) * m_columns + column;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_dataRows || index.column() >= m_columns)
        return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::BackgroundRole:
        if (const QRgb color = cellColor(index.row(), index.column()); color != 0)
            return QColor::fromRgb(color);
        return {};
    case Qt::ForegroundRole:
        // A coloured cell is always a pale one: its text stays dark on a dark desktop too.
        if (cellColor(index.row(), index.column()) != 0)
            return QColor(Qt::black);
        return {};
    case Qt::TextAlignmentRole: return int(columnAlignment(index.column()));
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return {};
    switch (role) {
    case Qt::DisplayRole: return section < m_headers.size() ? m_headers.at(section) : QString();
    case Qt::TextAlignmentRole: return int(m_headerAlignment);
    default: return {};
    }
}

const TableRow &GridModel::madeRow(int row) const
{
    auto made = m_made.constFind(row);
    if (made != m_made.cend())
        return *made;
    // A screenful or two of rows is all a view asks for at a time.
    if (m_made.size() >= 512)
        m_made.clear();
    return *m_made.insert(row, m_source.make(row));
}

QString GridModel::cellText(int row, int column) const
{
    const qsizetype at = qsizetype(row) * m_columns + column;
    if (!isLazy())
        return m_cells.at(at);
    if (auto written = m_writtenTexts.constFind(at); written != m_writtenTexts.cend())
        return *written;
    return madeRow(row).cells.value(column);
}

QRgb GridModel::cellColor(int row, int column) const
{
    const qsizetype at = qsizetype(row) * m_columns + column;
    if (!isLazy())
        return m_colors.isEmpty() ? 0 : m_colors.at(at);
    if (auto written = m_writtenColors.constFind(at); written != m_writtenColors.cend())
        return *written;
    const CellColours &backgrounds = madeRow(row).backgrounds;
    if (!backgrounds.contains(column))
        return 0;
    const Rgb rgb = backgrounds.value(column);
    return qRgb(rgb.r, rgb.g, rgb.b);
}

void GridModel::setRowSource(RowSource source)
{
    beginResetModel();
    m_cells.clear();
    m_colors.clear();
    m_made.clear();
    m_writtenTexts.clear();
    m_writtenColors.clear();
    m_source = std::move(source);
    m_dataRows = m_source.make ? qMax(0, m_source.count) : 0;
    endResetModel();
}

void GridModel::materialize()
{
    if (!isLazy())
        return;
    QList<QString> cells(qsizetype(m_dataRows) * m_columns);
    QList<QRgb> colors(cells.size(), 0);
    for (int r = 0; r < m_dataRows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            cells[qsizetype(r) * m_columns + c] = cellText(r, c);
            colors[qsizetype(r) * m_columns + c] = cellColor(r, c);
        }
    }
    m_source = {};
    m_made.clear();
    m_writtenTexts.clear();
    m_writtenColors.clear();
    m_cells = std::move(cells);
    m_colors = std::move(colors);
}

void GridModel::setGridRowCount(int rows)
{
    const int dataRows = qMax(0, rows - 1);
    if (dataRows == m_dataRows)
        return;
    if (dataRows == 0 && isLazy()) {
        m_source = {}; // nothing to keep
        m_made.clear();
        m_writtenTexts.clear();
        m_writtenColors.clear();
    }
    materialize();
    if (dataRows == 0) {
        beginResetModel();
        m_dataRows = 0;
        m_cells.clear();
        m_colors.clear();
        endResetModel();
    } else if (dataRows < m_dataRows) {
        beginRemoveRows({}, dataRows, m_dataRows - 1);
        m_cells.resize(qsizetype(dataRows) * m_columns);
        if (!m_colors.isEmpty())
            m_colors.resize(qsizetype(dataRows) * m_columns);
        m_dataRows = dataRows;
        endRemoveRows();
    } else {
        beginInsertRows({}, m_dataRows, dataRows - 1);
        m_cells.resize(qsizetype(dataRows) * m_columns);
        if (!m_colors.isEmpty())
            m_colors.resize(qsizetype(dataRows) * m_columns, 0);
        m_dataRows = dataRows;
        endInsertRows();
    }
}

int GridModel::gridRowCount() const
{
    return m_dataRows + 1;
}

void GridModel::setGridColumnCount(int columns)
{
    columns = qMax(0, columns);
    if (columns == m_columns)
        return;
    materialize();
    beginResetModel();
    // Keep what fits: a column count is normally fixed before any text.
    QList<QString> cells(qsizetype(m_dataRows) * columns);
    QList<QRgb> colors;
    if (!m_colors.isEmpty())
        colors.resize(cells.size(), 0);
    const int kept = qMin(columns, m_columns);
    for (int r = 0; r < m_dataRows; ++r) {
        for (int c = 0; c < kept; ++c) {
            cells[qsizetype(r) * columns + c] = m_cells.at(qsizetype(r) * m_columns + c);
            if (!colors.isEmpty())
                colors[qsizetype(r) * columns + c] = m_colors.at(qsizetype(r) * m_columns + c);
        }
    }
    m_cells = std::move(cells);
    m_colors = std::move(colors);
    m_columns = columns;
    m_headers.resize(columns);
    m_alignments.resize(columns, DefaultAlignment);
    endResetModel();
}

int GridModel::gridColumnCount() const
{
    return m_columns;
}

void GridModel::setText(int row, int column, const QString &text)
{
    if (row == 0 && column >= 0 && column < m_columns) {
        m_headers[column] = text;
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    if (!isDataCell(row, column))
        return;
    if (isLazy())
        m_writtenTexts.insert(cellIndex(row, column), text);
    else
        m_cells[cellIndex(row, column)] = text;
    const QModelIndex at = index(row - 1, column);
    Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
}

QString GridModel::longestText(int column) const
{
    return longestTexts().value(column);
}

QStringList GridModel::longestTexts() const
{
    QStringList longest(m_columns);
    const auto consider = [&](qsizetype at, const QString &text) {
        QString &best = longest[at % m_columns];
        if (text.size() > best.size())
            best = text;
    };
    if (isLazy()) {
        for (int row : m_source.widestRows) {
            if (row < 0 || row >= m_dataRows)
                continue;
            for (int c = 0; c < m_columns; ++c)
                consider(c, cellText(row, c));
        }
        for (auto written = m_writtenTexts.cbegin(); written != m_writtenTexts.cend(); ++written)
            consider(written.key(), *written);
        return longest;
    }
    // One pass in the order the cells lie in memory, every column at once.
    QList<qsizetype> sizes(m_columns, 0), rows(m_columns, -1);
    for (qsizetype at = 0; at < m_cells.size(); ++at) {
        const int column = int(at % m_columns);
        if (m_cells.at(at).size() > sizes.at(column)) {
            sizes[column] = m_cells.at(at).size();
            rows[column] = at;
        }
    }
    for (int c = 0; c < m_columns; ++c)
        if (rows.at(c) >= 0)
            longest[c] = m_cells.at(rows.at(c));
    return longest;
}

QString GridModel::text(int row, int column) const
{
    if (row == 0 && column >= 0 && column < m_columns)
        return m_headers.at(column);
    if (!isDataCell(row, column))
        return {};
    return cellText(row - 1, column);
}

void GridModel::setBackground(int row, int column, const QColor &color)
{
    // The header row keeps the header's own look.
    if (!isDataCell(row, column))
        return;
    if (isLazy()) {
        m_writtenColors.insert(cellIndex(row, column), color.isValid() ? StoredColor(color) : 0);
        const QModelIndex at = index(row - 1, column);
        Q_EMIT dataChanged(at, at, {Qt::BackgroundRole});
        return;
    }
    if (m_colors.isEmpty()) {
        if (!color.isValid())
            return;
        m_colors.resize(m_cells.size(), 0);
    }
    m_colors[cellIndex(row, column)] = color.isValid() ? StoredColor(color) : 0;
    const QModelIndex at = index(row - 1, column);
    Q_EMIT dataChanged(at, at, {Qt::BackgroundRole});
}

QColor GridModel::background(int row, int column) const
{
    if (!isDataCell(row, column))
        return {};
    const QRgb stored = cellColor(row - 1, column);
    return stored != 0 ? QColor::fromRgb(stored) : QColor();
}

void GridModel::setHeaders(const QStringList &headers)
{
    for (int c = 0; c < m_columns; ++c)
        m_headers[c] = c < headers.size() ? headers.at(c) : QString();
    if (m_columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void GridModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0 || column >= m_columns)
        return;
    m_alignments[column] = alignment;
    if (m_dataRows > 0)
        Q_EMIT dataChanged(index(0, column), index(m_dataRows - 1, column), {Qt::TextAlignmentRole});
}

Qt::Alignment GridModel::columnAlignment(int column) const
{
    return column >= 0 && column < m_alignments.size() ? m_alignments.at(column) : DefaultAlignment;
}

void GridModel::setHeaderAlignment(Qt::Alignment alignment)
{
    m_headerAlignment = alignment;
    if (m_columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

Qt::Alignment GridModel::headerAlignment() const
{
    return m_headerAlignment;
}

void GridModel::storeRow(qsizetype at, const TableRow &row)
{
    const qsizetype given = qMin<qsizetype>(row.cells.size(), m_columns);
    for (qsizetype c = 0; c < given; ++c)
        m_cells[at + c] = row.cells.at(c);
    if (row.backgrounds.isEmpty())
        return;
    if (m_colors.isEmpty())
        m_colors.resize(m_cells.size(), 0);
    for (const auto &[column, rgb] : row.backgrounds) {
        if (column < 0 || column >= m_columns)
            continue;
        m_colors[at + column] = qRgb(rgb.r, rgb.g, rgb.b);
    }
}

void GridModel::setRows(const QList<TableRow> &rows)
{
    beginResetModel();
    m_source = {};
    m_made.clear();
    m_writtenTexts.clear();
    m_writtenColors.clear();
    m_dataRows = int(rows.size());
    m_colors.clear();
    // Built afresh in one pass: every cell is written once.
    QList<QString> cells;
    cells.reserve(qsizetype(m_dataRows) * m_columns);
    bool coloured = false;
    for (const TableRow &row : rows) {
        const qsizetype given = qMin<qsizetype>(row.cells.size(), m_columns);
        cells.append(row.cells.constBegin(), row.cells.constBegin() + given);
        for (qsizetype c = given; c < m_columns; ++c)
            cells.emplace_back();
        coloured = coloured || !row.backgrounds.isEmpty();
    }
    m_cells = std::move(cells);
    if (coloured) {
        m_colors.resize(m_cells.size(), 0);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            for (const auto &[column, rgb] : rows.at(r).backgrounds) {
                if (column >= 0 && column < m_columns)
                    m_colors[r * m_columns + column] = qRgb(rgb.r, rgb.g, rgb.b);
            }
        }
    }
    endResetModel();
}

void GridModel::appendRow(const TableRow &row)
{
    materialize();
    beginInsertRows({}, m_dataRows, m_dataRows);
    const qsizetype at = qsizetype(m_dataRows) * m_columns;
    ++m_dataRows;
    m_cells.resize(at + m_columns);
    if (!m_colors.isEmpty())
        m_colors.resize(at + m_columns, 0);
    storeRow(at, row);
    endInsertRows();
}

} // namespace zz
