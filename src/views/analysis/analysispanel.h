#pragma once

#include "base/tablerow.h"
#include "shell/panel.h"
#include "views/common/wholeperiod.h"

#include <QList>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace zz {

class GridView;

// fraBunseki: four analyses of the whole history, each list in its frame:
// the time series (msgB1), the 0.5 kg milestones (msgB2), the running average
// with its streak (msgB3) and the weight-band ranking (msgB4). Computed when
// the panel opens; the time series and the ranking again when their options
// are clicked.
class AnalysisPanel : public Panel
{
    Q_OBJECT
public:
    explicit AnalysisPanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdBunseki_Click before the panel is shown.
    void PreparePanel() override;
    void ReopenPanel() override;
    void SetupAnalysisListColumns();
    void FillTimeSeriesList();
    void FillMilestoneList();
    void FillAverageTrendList();
    void FillWeightRanking();

private:
    void showRows(GridView *grid, const QList<TableRow> &rows);

    QList<GridView *> m_grids; // msgB1 .. msgB4
    QList<QRadioButton *> Option1, Option2;
    QList<QLabel *> Label5;
    QGroupBox *fraB4 = nullptr;
    WholeHistory m_history;
};

} // namespace zz
