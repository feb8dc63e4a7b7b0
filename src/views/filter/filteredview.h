#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"
#include "views/common/chartscales.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
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
};
struct FilterRequest
{
    FilterCriteria criteria;
    bool useStatus = false, useWeekday = false;
};
// No request: every record is listed.
FilteredView ComputeFilteredView(const QList<MeasurementRecord> &records, float heightCm,
                                 const std::optional<FilterRequest> &request);

// Headers and widths (twips) of the two lists.
QStringList FilteredListHeaders();
QList<int> FilteredListWidths();
QStringList FilteredCompositionHeaders();
QList<int> FilteredCompositionWidths();

} // namespace zz
