#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"
#include "views/common/chartscales.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace zz {

// The three criteria of the filtered view. The period is kept as the texts of
// the two date boxes and compared as text, character by character: typed
// bounds behave as dates only in the stored "yyyy/mm/dd" form.
struct FilterCriteria
{
    QString startText, endText;
    QString searchText;     // status: a part of the status text
    int weekdayFilter = 99; // 0 Sunday .. 6 Saturday; 99 all
};
inline constexpr int AllWeekdays = 99;

// "日" .. "土" for Sunday .. Saturday of a stored date.
QString WeekdayCharacter(const QString &storedDate);

// The period always applies; the status test (a record without a status never
// passes it) and the weekday test when asked.
bool PassesFilter(const MeasurementRecord &record, const FilterCriteria &criteria, bool useStatus,
                  bool useWeekday);

// Everything one fill of the filtered view shows, from the whole file in file
// order. `criteria` empty: every record (the view when the panel opens).
struct FilteredView
{
    QList<TableRow> weightRows;                     // msgBunseki, 12 cells
    QList<TableRow> compositionRows;                // msgBunseki2, 11 cells
    QList<std::optional<double>> weights, bodyFats; // mcrBunseki series 1, 2
    AxisScale left, right;                          // min above max when nothing is listed
    CompositionChart metabolism, muscle, bone;      // from the composition rows
    QStringList dates;                              // each date once, in file order (every record)
    QList<qsizetype> recordIndices;                 // the file position of each listed record
    // Listed rows (from 0) whose cells are the widest of their columns: the
    // extremes of every shown number, the longest status, the last row.
    QList<int> widestRows;
};
struct FilterRequest
{
    FilterCriteria criteria;
    bool useStatus = false, useWeekday = false;
};
// No request: every record is listed. Without rows, the two row lists stay
// empty: FilteredRows makes each row when it is wanted.
FilteredView ComputeFilteredView(const QList<MeasurementRecord> &records, float heightCm,
                                 const std::optional<FilterRequest> &request, ListRows rows = ListRows::Made);

// The rows of the two lists, one at a time, exactly as ComputeFilteredView
// makes them: listed row i (from 0) is records[recordIndices[i]].
class FilteredRows
{
public:
    FilteredRows(const QList<MeasurementRecord> &records, const QList<qsizetype> &recordIndices,
                 float heightCm);
    ~FilteredRows();
    TableRow weightRow(int row) const;
    TableRow compositionRow(int row) const;

private:
    struct Cells;
    const MeasurementRecord &recordAt(int row) const { return m_records.at(m_indices.at(row)); }
    QList<MeasurementRecord> m_records;
    QList<qsizetype> m_indices;
    std::unique_ptr<Cells> m_cells; // the texts already made, shared by the rows
};

// Headers and widths (twips) of the two lists.
QStringList FilteredListHeaders();
QList<int> FilteredListWidths();
QStringList FilteredCompositionHeaders();
QList<int> FilteredCompositionWidths();

} // namespace zz
