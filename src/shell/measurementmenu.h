#pragma once

#include "shell/panelhost.h"

#include <functional>

namespace zz {

class GridView;

// Makes a list of measurements correctable: a context menu on a data row with
// "この測定を修正…" and "この測定を削除…", F2 and Delete on the current data
// row. `recordOfRow` gives the record a data row (1, 2, …) shows, or an index
// of -1 when the row shows none. The header row and an empty list do nothing.
void AttachMeasurementActions(GridView *grid, PanelHost &host,
                              std::function<ListedMeasurement(int row)> recordOfRow);

} // namespace zz
