#pragma once

#include "shell/panel.h"
#include "views/average/dailyaverages.h"

class QComboBox;
class QRadioButton;
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
    void ReopenPanel() override;
    void SetupAverageGrid();
    void ShowDailyAverages();
    void ShowDailyAveragesForPeriod(const AveragePeriod &period);
    void cmdKikanF2_Click();
    void cmdAvgHozon_Click();
    void cmdAvgPri_Click();

private:
    bool show(const std::optional<AveragePeriod> &period);
    void showRows(const QList<TableRow> &rows, const QList<std::optional<double>> &points,
                  const AxisScale &y);
    void showChart(const QList<std::optional<double>> &points, const AxisScale &y);
    void optAvgUnit_Click(int index);

    GridView *msgAvgtai = nullptr;
    ChartView *mcrAvgtai = nullptr;
    QComboBox *cboStdate2 = nullptr, *cboEddate2 = nullptr;
    QStringListModel *m_days = nullptr;
    bool m_showsEveryDay = false; // the list as opening fills it
    QList<QRadioButton *> optAvgUnit;
    AverageUnit m_unit = AverageUnit::Day;
    QList<ExportedAverage> m_exported; // the week or month rows on show
};

} // namespace zz
