#pragma once

#include "shell/panelhost.h"

#include <QList>

class QWidget;

namespace zz {

// "CSVに書き出す": asks where (the documents folder, "zumazuma_yyyymmdd.csv"
// proposed), writes the diary's records (only those at `indices` when given)
// atomically and says how many were written.
void ExportCsvWithDialog(QWidget *parent, PanelHost &host, const QList<qsizetype> *indices = nullptr);

} // namespace zz
