#pragma once

#include "shell/panel.h"
#include "views/average/dailyaverages.h"

class QComboBox;
class QStringListModel;

namespace zz {

class ChartView;
class GridView;

// fraAvgTai: one average weight per day as the list msgAvgtai and the chart
// mcrAvgtai, for the whole diary or a period, saved as "日毎平均.txt".
class AveragePanel : public Panel
{
    Q_OBJECT
public:
    explicit AveragePanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdAvgtai_Click before the panel is shown.
    void PreparePanel() override;
    void SetupAverageGrid();
    void ShowDailyAverages();
    void ShowDailyAveragesForPeriod(const AveragePeriod &period);
    void cmdKikanF2_Click();
    void cmdAvgHozon_Click();
    void cmdAvgPri_Click();

private:
    bool show(const std::optional<AveragePeriod> &period);

    GridView *msgAvgtai = nullptr;
    ChartView *mcrAvgtai = nullptr;
    QComboBox *cboStdate2 = nullptr, *cboEddate2 = nullptr;
    QStringListModel *m_days = nullptr;
};

} // namespace zz
