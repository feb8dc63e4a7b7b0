#pragma once

#include "app/helptexts.h"
#include "app/windowstate.h"
#include "store/storestatus.h"
#include "views/history/daylist.h"

#include <QList>
#include <QMainWindow>
#include <QDialog>
#include <QPointer>
#include <optional>

class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTextBrowser;
class QFrame;

namespace zz {

class ChartView;
class GridView;

// frmMain: the one window of the program. It holds eight panels of which one is
// visible, the panel buttons, help, exit and the help-tour switch.
//
// The class is the program's event handler in the old sense: every control's
// handler is a member named after the control and the event
// (cmdTaiHozon_Click), and the values the panels share live in WindowState.
// The handlers only turn events into calls of the computing code (zzcore) and
// its results into cells, points and captions. The members are implemented by
// subsystem: startup, panels, settings and help here; entry and saving in
// entry/entryhandlers.cpp; the day list, day charts and BMI in
// views/history/historyhandlers.cpp.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `dir` is the diary directory (the working directory).
    explicit MainWindow(const QString &dir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The startup sequence; false (with `error` set) when a file could not be
    // read, in which case the program shows the error and stops.
    bool Form_Load(StoreStatus &error);

    const WindowState &state() const { return m_state; }
    QString diaryDirectory() const { return m_dir; }

    // Application shell
    void HideAllPanels();
    void DSP_HELP();
    void cmdHelp_Click();
    void cmdOwari_Click();
    QDialog *helpWindow() const { return m_helpWindow; }

    // Settings
    void READ_SETTEI();
    void READ_KIZAMI();
    void LoadMovingAverageWidth();
    void LoadAutoTime();

    // Data loaders
    void LoadStatusList();
    void LoadNoticeMemo();

    // Day list, day charts, BMI
    void RefreshDayList();
    void SetupDayListColumns();
    void ApplyMarkerStyle();
    void ClassifyBmi();
    void UpdateBmiMeter();

    // Entry
    void FillEntryFields();
    void DisableStepButtons();
    void cmdTaiHozon_Click();
    void cmdFree_Click();
    void cmdJikan_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Construction of the panels.
    void buildFrame();
    QWidget *buildMainPanel();
    QWidget *buildEntryArea();
    QWidget *buildDayArea();
    QWidget *buildSettingsPanel();
    QWidget *buildBmiMeter();
    QWidget *buildEmptyPanel(const QString &name);
    QPushButton *addPanelButton(const QString &name, const QString &caption, const QString &toolTip,
                                QWidget *panel, std::optional<HelpPanel> help);

    // The pattern of every panel button: nothing when the panel is showing,
    // else hide the others, show it, let it paint, then explain it.
    void showPanel(QWidget *panel, std::optional<HelpPanel> help);
    void setWindowTitleFromPersonalData();
    bool detectSample() const;
    void reportStoreFailure(const StoreStatus &status);
    // A read that fails during startup stops the program once startup is done;
    // later it is shown to the user.
    void noteStartupFailure(const StoreStatus &status);
    void reportReadFailure(const StoreStatus &status);

    // Settings handlers
    void chkHelp_Click();
    void optKizami_Click(int index);
    void optKizami1_Click(int index);
    void txtKizami_Enter();
    void txtKizami2_Enter();
    void cboIdou_Click();
    void chkJikan_Click();
    void RedrawWholePeriodChart();
    void writeIncrements();

    // Day list handlers
    void mtvmain_DateClick();
    void mcrMain_DblClick();
    void headingLabelClick(const QString &label);
    void optTai_Click();
    void optShi_Click();
    void optKon_Click();
    void applyDayList(const DayListResult &result);
    void buildCompositionCharts(const QList<TableRow> &rows);
    void placePointer(QWidget *pointer, QWidget *middlePart, double offsetTwips);
    void HScroll1_Change();

    // Entry handlers
    void lstAct_Click();
    void step(int box, int direction);
    void entryKeyEnter(int box);
    bool refuseUnstorableStatus(const QString &status);

    QString m_dir;
    WindowState m_state;
    StoreStatus m_startupFailure;

    // Frame
    QList<QWidget *> m_panels;
    QWidget *fraMain = nullptr, *fraTaijyu = nullptr, *fraBunseki = nullptr, *fraRenTai = nullptr,
            *fraSettei = nullptr, *fraCale = nullptr, *fraMemo = nullptr, *fraAvgTai = nullptr;
    QCheckBox *chkHelp = nullptr;
    QPointer<QDialog> m_helpWindow;

    // Main panel: day list
    QCalendarWidget *mtvmain = nullptr;
    GridView *msgDayList = nullptr, *msgDayList2 = nullptr;
    ChartView *mcrMain = nullptr, *mcrMain2 = nullptr, *mcrMain3 = nullptr, *mcrMain4 = nullptr;
    QLabel *lblG1 = nullptr, *lblG2 = nullptr;
    QLabel *lblDspNissuu = nullptr, *lblDspTai = nullptr, *lblDspBmi = nullptr, *lblDspHiman = nullptr;
    QLabel *imgwara = nullptr, *imgniko = nullptr, *imgkana = nullptr, *imgNashi = nullptr;
    QLabel *lblMHyouka = nullptr, *Image1 = nullptr;
    QList<QLabel *> Shape1;
    QRadioButton *optTai = nullptr, *optShi = nullptr, *optKon = nullptr;

    // Main panel: entry
    QListWidget *lstAct = nullptr;
    QPushButton *cmdFree = nullptr, *cmdJikan = nullptr, *cmdTaiHozon = nullptr;
    QList<QLineEdit *> m_boxes;      // txtTaiInp .. txtKotu, in entry order
    QList<QPushButton *> m_downs;    // cmdDn .. cmdDn6
    QList<QPushButton *> m_ups;      // cmdUp .. cmdUp6

    // Other panels' lists and boxes filled at startup
    QListWidget *lstAct2 = nullptr, *lstKoumoku = nullptr;
    QPlainTextEdit *txtKizuki = nullptr;
    QComboBox *cboIdou = nullptr;

    // Settings panel
    QList<QRadioButton *> optKizami, optKizami1; // indexes 1..3 at 0..2
    QButtonGroup *m_weightOptions = nullptr, *m_fatOptions = nullptr;
    QLineEdit *txtKizami = nullptr, *txtKizami2 = nullptr;
    QCheckBox *chkJikan = nullptr;

    // BMI meter
    QScrollBar *HScroll1 = nullptr;
    QLabel *Label9_25 = nullptr, *Label9_28 = nullptr, *Label9_30 = nullptr;
    QLabel *lblHyouka = nullptr, *lblTai = nullptr, *lblHiman = nullptr, *Image2 = nullptr;
    QList<QLabel *> lblHyojun;
    QList<QLabel *> Shape2;
};

} // namespace zz
