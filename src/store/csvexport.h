#pragma once

#include "store/storestatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zz {

// The whole diary as CSV: UTF-8 with BOM, CR LF, RFC 4180 quoting, a header,
// then every record of "データ.txt" (or only those at `indices`) in file order,
// the date as yyyy-mm-dd and the numbers in their stored text.
StoreStatus CsvExportBytes(const QString &dir, QByteArray &bytes, qint64 &count,
                           const QList<qsizetype> *indices = nullptr);
StoreStatus WriteCsvExport(const QString &path, const QByteArray &bytes);

} // namespace zz
