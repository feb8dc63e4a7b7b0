#pragma once

#include "shell/panel.h"
#include "views/common/chartscales.h"
#include "views/common/wholeperiod.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zz {

class ChartView;

// fraRenTai: the whole diet at a glance. mcrRentai charts every weight with
// its moving average over cboIdou measurements and the body fat; three texts
// sum up the progress; cmdMokuChk moves the floor of the weight axis to the
// target; four small buttons show the whole-period body-composition charts.
// It reads the whole history when it opens (LoadWholeHistory).
class WholePeriodPanel : public Panel
{
    Q_OBJECT
public:
    explicit WholePeriodPanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdRentai_Click before the panel is shown.
    void PreparePanel() override;
    void LoadWholeHistory();
    void LoadMovingAverageWidth();
    void cboIdou_Click();
    void cmdMokuChk_Click();
    void cmdTai_Click();
    void cmdTaisya_Click();
    void cmdKinr_Click();
    void cmdKotur_Click();

private:
    void drawWholePeriodChart();
    void RedrawWholePeriodChart();
    void HideWholeBodyCharts();
    void buildWholeBodyChart(ChartView *chart, const CompositionChart &values);
    CompositionSeries readComposition();
    void optTai1_Click();
    void optShi1_Click();
    void optKon1_Click();
    void chkTrend_Click();
    void setTrendSeries(bool shown);
    QList<int> weightSeries() const;

    // Whether the weight axis starts at the target weight; kept while the
    // program runs, as is the button's colour.
    bool m_targetFloorOn = false;
    double m_weightAxisMax = 0;
    QComboBox *cboIdou = nullptr;
    ChartView *mcrRentai = nullptr, *mcrRentai2 = nullptr, *mcrRentai3 = nullptr, *mcrRentai4 = nullptr;
    QLabel *lblNichis = nullptr, *lblKiro = nullptr, *lblG11 = nullptr, *lblG12 = nullptr;
    QPushButton *cmdMokuChk = nullptr;
    QRadioButton *optTai1 = nullptr, *optShi1 = nullptr, *optKon1 = nullptr;
    QCheckBox *chkTrend = nullptr;
    WholeHistory m_history;
};

} // namespace zz
