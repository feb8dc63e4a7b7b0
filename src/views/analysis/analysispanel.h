#pragma once

#include "app/panel.h"

namespace zz {

// fraBunseki: the four analyses of the whole history.
class AnalysisPanel : public Panel
{
    Q_OBJECT
public:
    explicit AnalysisPanel(PanelHost &host, QWidget *parent = nullptr);
};

} // namespace zz
