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

// "週毎平均.txt" and "月毎平均.txt" in the same convention: the quoted label of
// the week ("08/03/10週") or month ("2008/03"), then its mean weight and mean
// body fat.
struct ExportedAverage
{
    QString label;
    double weight = 0;
    double bodyFat = 0;
};
QByteArray PeriodAverageExportBytes(const QList<ExportedAverage> &rows);
// `fileName`: FileNames::WeeklyAverageExport or MonthlyAverageExport.
StoreStatus WritePeriodAverageExport(const QString &dir, const QString &fileName,
                                     const QList<ExportedAverage> &rows);

} // namespace zz
