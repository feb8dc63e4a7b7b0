#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace zz {

// The whole diary as a calendar: one row per month that has a measurement,
// the cell of each measured day coloured by how the weight moved within it
// (the day's last weight against its first).
enum class CalendarMode { Detailed, Simple };
enum class CalendarFace { Wara, Niko, Kana }; // more good days, as many, fewer

struct CalendarView
{
    QList<TableRow> rows; // 32 cells: "yyyy年mm月", then days 1..31 (backgrounds only)
    int down = 0, same = 0, up = 0, once = 0, notMeasured = 0;
    QString lblDn_c, lblSm_c, lblUp_c, lblOne_c, lblNon_c;
    QString lblGenT, lblZouT, lblHugou;
    CalendarFace face = CalendarFace::Niko;
};
// `startDate` is the diary's first date; the not-measured days are the
// calendar days from it through `today`, both included, without a measurement.
CalendarView ComputeCalendar(const QList<MeasurementRecord> &records, CalendarMode mode,
                             const QString &startDate, const QDate &today);

// The date of a calendar cell: the month text of the row and the day column;
// none for the month column, the header row and days the month lacks.
std::optional<QDate> CalendarCellDate(const QString &monthText, int column);

// Headers and widths (twips) of msgList2.
QStringList CalendarHeaders();
QList<int> CalendarWidths();

} // namespace zz
