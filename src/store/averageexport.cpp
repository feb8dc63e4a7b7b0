#include "store/averageexport.h"

#include "base/cp932.h"
#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/textfiles.h"

namespace zz {

QByteArray DailyAverageExportBytes(const QList<ExportedDay> &days)
{
    QByteArray bytes;
    bytes.reserve(days.size() * 20);
    for (const ExportedDay &day : days) {
        // Dates and numbers are ASCII, the same in code page 932.
        bytes += '"' + day.date.toLatin1() + "\"," + NumberText(day.average).toLatin1() + "\r\n";
    }
    return bytes;
}

StoreStatus WriteDailyAverageExport(const QString &dir, const QList<ExportedDay> &days)
{
    return WriteDiaryFile(dir, FileNames::DailyAverageExport, DailyAverageExportBytes(days));
}

QByteArray PeriodAverageExportBytes(const QList<ExportedAverage> &rows)
{
    QByteArray bytes;
    for (const ExportedAverage &row : rows) {
        // The labels' 週 is the one non-ASCII character; it is encoded.
        QByteArray label;
        if (!EncodeCp932(row.label, label))
            label = row.label.toLatin1();
        bytes += '"' + label + "\"," + NumberText(row.weight).toLatin1() + ',' +
                 NumberText(row.bodyFat).toLatin1() + "\r\n";
    }
    return bytes;
}

StoreStatus WritePeriodAverageExport(const QString &dir, const QString &fileName,
                                     const QList<ExportedAverage> &rows)
{
    return WriteDiaryFile(dir, fileName, PeriodAverageExportBytes(rows));
}

} // namespace zz
