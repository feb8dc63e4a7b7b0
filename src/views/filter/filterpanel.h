#pragma once

#include "shell/panel.h"
#include "views/filter/filteredview.h"

#include <QList>

class QComboBox;
class QStringListModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace zz {

class ChartView;
class GridView;

// fraTaijyu: the measurements restricted by status, weekday and period at
// once, as a weight list and a body-composition list (msgBunseki,
// msgBunseki2, one over the other) and four charts. Every change of a
// criterion refills everything from the file. It owns weekdayFilter and the
// criteria controls.
class FilterPanel : public Panel
{
    Q_OBJECT
public:
    explicit FilterPanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdTaijyu_Click before the panel is shown.
    void PreparePanel() override;
    void ReopenPanel() override;

    void SetupFilteredListColumns();
    void FillAllMeasurementsView();
    void FillFilteredView(bool useStatus, bool useWeekday);
    void RefreshFilteredView();
    void cmdPriData_Click();

private:
    // What each listed row shows: its place in the file, and the records read.
    QList<qsizetype> m_rowIndices;
    QList<MeasurementRecord> m_listedFrom;
    QWidget *buildCriteria();
    QWidget *buildDisplay();
    // The choices opening the panel makes: weight chart, every criterion "全部".
    void resetChoices();
    void fill(const std::optional<FilterRequest> &request);
    FilterCriteria criteria() const;
    // The end of every criteria handler: refill, show the panel again.
    void refreshAndShow();
    void highlight(QPushButton *button, bool on);
    void ResetPeriodButtons();
    void setPeriod(const QDate &start, const QDate &end);

    void cmdAllact_Click();
    void lstAct2_Click();
    void txtKey_GotFocus();
    void txtKey_KeyPress();
    void cmdKensaku_Click();
    void cmdAllWeek_Click();
    void cmdWeek_Click(int index);
    void cmdAllDay_Click();
    void cmdKikan_Click(QPushButton *button, int offsetDays);
    void cmdKikanF_Click();
    void showComposition(ChartView *chart, const QString &caption1, const QString &caption2);
    void cmdTai1_Click();
    void optTai2_Click();
    void optShi2_Click();
    void optKon2_Click();

    int weekdayFilter = AllWeekdays;

    QListView *lstAct2 = nullptr;
    QLineEdit *txtKey = nullptr;
    QPushButton *cmdAllact = nullptr, *cmdKensaku = nullptr, *cmdAllWeek = nullptr, *cmdAllDay = nullptr,
                *cmdKikanF = nullptr;
    QList<QPushButton *> cmdWeek;         // 0 Sunday .. 6 Saturday
    QList<QPushButton *> m_periodButtons; // cmdAllDay, cmdKikan1 .. cmdKikan8, cmdKikanF
    QComboBox *cboStdate = nullptr, *cboEddate = nullptr;
    QStringListModel *m_dates = nullptr;
    bool m_showsEveryMeasurement = false; // the lists as opening fills them

    GridView *msgBunseki = nullptr, *msgBunseki2 = nullptr;
    ChartView *mcrBunseki = nullptr, *mcrBunseki2 = nullptr, *mcrBunseki3 = nullptr, *mcrBunseki4 = nullptr;
    QLabel *lblG21 = nullptr, *lblG22 = nullptr;
    QRadioButton *optTai2 = nullptr, *optShi2 = nullptr, *optKon2 = nullptr;
};

} // namespace zz
