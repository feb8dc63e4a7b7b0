#include "views/analysis/analysispanel.h"

namespace zz {

AnalysisPanel::AnalysisPanel(PanelHost &host, QWidget *parent) : Panel(QStringLiteral("fraBunseki"), host, parent) {}

} // namespace zz
