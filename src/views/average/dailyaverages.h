#pragma once

#include "base/tablerow.h"
#include "store/averageexport.h"
#include "store/measurementrecord.h"
#include "views/common/chartscales.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

namespace zz {

// One average weight per calendar day, from the first record's day to the
// last. A day without measurements has an empty cell; its chart point carries
// the day before forward (none when that day has no value either).
struct DailyAverageView
{
    QList<TableRow> rows;                // msgAvgtai: number, "YY/MM/DD", average "0.0"
    QList<std::optional<double>> points; // mcrAvgtai, one per row
    AxisScale y;                         // over every record, also in a period view
    QStringList days;                    // every day of the diary, "yy/mm/dd" (whole view)
    QDate firstRowDay;                   // the day of row 1
    QList<float> rowAverages;            // one per row; NaN for a day without measurements
    QList<int> widestRows;               // the rows of the extremes and the last row (from 0)
};
struct AveragePeriod
{
    QDate start, end;
};
// No period: the whole diary. A period lists the diary's days within it,
// numbered from 1. `records` are in file (date) order.
DailyAverageView ComputeDailyAverages(const QList<MeasurementRecord> &records,
                                      const std::optional<AveragePeriod> &period = std::nullopt,
                                      ListRows rows = ListRows::Made);
// Row i (from 0) of that view's list alone.
TableRow DailyAverageRow(const DailyAverageView &view, int i);

// Averages by week (Monday to Sunday) or by calendar month, one row per week or
// month that holds a record: number, label ("08/03/10週" for the week of
// Monday 2008/03/10, "2008/03"), mean weight "0.0", mean body fat "0.0". A
// period keeps the rows whose first day (the Monday, the 1st) lies in it.
enum class AverageUnit { Day, Week, Month };
struct PeriodAverageView
{
    QList<TableRow> rows;
    QList<std::optional<double>> points; // the mean weights, one per row
    QList<ExportedAverage> exported;     // the rows as "週毎平均.txt" / "月毎平均.txt" hold them
    AxisScale y;                         // over every record, as the daily view
};
PeriodAverageView ComputePeriodAverages(const QList<MeasurementRecord> &records, AverageUnit unit,
                                        const std::optional<AveragePeriod> &period = std::nullopt);

// A period bound as the user types it: yy/mm/dd (the year 20yy) or
// yyyy/mm/dd; none when it is no real date.
std::optional<QDate> ParseAveragePeriodDate(const QString &text);

// The export lines of the listed rows: the date and the cell's leading number
// (0 for an empty cell).
QList<ExportedDay> ExportedDays(const QList<TableRow> &rows);

// Headers and widths (twips) of msgAvgtai.
QStringList AverageListHeaders(AverageUnit unit = AverageUnit::Day);
QList<int> AverageListWidths(AverageUnit unit = AverageUnit::Day);

} // namespace zz
