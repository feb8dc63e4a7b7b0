#pragma once

#include "app/panel.h"

class QComboBox;

namespace zz {

// fraRenTai: the whole diet at a glance; the moving-average width cboIdou
// (its settings file is read at startup and written when it changes).
class WholePeriodPanel : public Panel
{
    Q_OBJECT
public:
    explicit WholePeriodPanel(PanelHost &host, QWidget *parent = nullptr);

    void LoadMovingAverageWidth();
    void cboIdou_Click();

private:
    void RedrawWholePeriodChart();

    QComboBox *cboIdou = nullptr;
};

} // namespace zz
