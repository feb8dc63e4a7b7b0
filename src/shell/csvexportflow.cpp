#include "shell/csvexportflow.h"

#include "base/clock.h"
#include "shell/dialogs.h"
#include "store/csvexport.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>

namespace zz {

void ExportCsvWithDialog(QWidget *parent, PanelHost &host, const QList<qsizetype> *indices)
{
    const QString proposed =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(
                QStringLiteral("zumazuma_%1.csv").arg(Clock::today().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = Dialogs::SaveFileName(parent, QStringLiteral("CSVに書き出す"), proposed,
                                               QStringLiteral("CSV ファイル (*.csv)"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    qint64 count = 0;
    StoreStatus status = CsvExportBytes(host.diaryDirectory(), bytes, count, indices);
    if (status)
        status = WriteCsvExport(path, bytes);
    if (!status) {
        host.ReportStoreFailure(status);
        return;
    }
    Dialogs::Information(
        parent, QStringLiteral("CSVの書き出し"),
        QStringLiteral("%1件の測定を書き出しました。").arg(QLocale(QLocale::English).toString(count)));
}

} // namespace zz
