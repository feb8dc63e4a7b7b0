#pragma once

#include "store/storestatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zz {

// "日毎平均.txt", the daily averages for a spreadsheet: one line per listed
// day in the comma-separated convention, the quoted "YY/MM/DD" date, a comma
// and the average in its shortest number text (0 for a day without
// measurements), code page 932 with CR LF.
struct ExportedDay
{
    QString date;   // "YY/MM/DD"
    double average; // 0 for a day without measurements
};
QByteArray DailyAverageExportBytes(const QList<ExportedDay> &days);
// Replaces the file as a whole; a failure leaves the old file as it was.
StoreStatus WriteDailyAverageExport(const QString &dir, const QList<ExportedDay> &days);

} // namespace zz
