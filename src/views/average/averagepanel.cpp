#include "views/average/averagepanel.h"

namespace zz {

AveragePanel::AveragePanel(PanelHost &host, QWidget *parent) : Panel(QStringLiteral("fraAvgTai"), host, parent) {}

} // namespace zz
