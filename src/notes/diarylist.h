#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"

#include <QList>
#include <QStringList>

namespace zz {

// The one-line diary list: every measurement in file order, 13 cells a row:
// number, date, status, weight, change against the row before ("0.0") with its
// coloured mark (decided on the unrounded change), body fat, comment, then the
// hidden metabolism, visceral fat, muscle mass, muscle score and bone mass.
QList<TableRow> ComputeDiaryRows(const QList<MeasurementRecord> &records);
// Row i (from 0) of that list alone.
TableRow DiaryRow(const QList<MeasurementRecord> &records, qsizetype i);
// Rows whose cells are the widest of their columns (the extremes of weight,
// change and body fat, the longest status and comment, the last row).
QList<int> DiaryWidestRows(const QList<MeasurementRecord> &records);

// Headers and widths (twips) of msgMemoList; columns 8 to 12 are hidden.
QStringList DiaryListHeaders();
QList<int> DiaryListWidths();

// The comment column of the list.
inline constexpr int DiaryCommentColumn = 7;

} // namespace zz
