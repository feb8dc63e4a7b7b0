#pragma once

#include "app/panel.h"

namespace zz {

// fraAvgTai: one average weight per day, as a list and a chart, with the export.
class AveragePanel : public Panel
{
    Q_OBJECT
public:
    explicit AveragePanel(PanelHost &host, QWidget *parent = nullptr);
};

} // namespace zz
