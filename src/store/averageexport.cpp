#include "store/averageexport.h"

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

} // namespace zz
