#pragma once

#include "base/tablerow.h"

#include <QList>
#include <QStringList>

// The cell texts of computed list rows, for comparing with expected tables.
inline QList<QStringList> Cells(const QList<zz::TableRow> &rows)
{
    QList<QStringList> cells;
    for (const zz::TableRow &row : rows)
        cells.append(row.cells);
    return cells;
}

// Column `c` of every row.
inline QStringList Column(const QList<zz::TableRow> &rows, int c)
{
    QStringList cells;
    for (const zz::TableRow &row : rows)
        cells.append(row.cells.value(c));
    return cells;
}
