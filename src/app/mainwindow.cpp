#include "app/mainwindow.h"
#include "app/desktop.h"

#include "app/helptexts.h"
#include "base/clock.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "entry/entryarea.h"
#include "notes/notespanel.h"
#include "setup/bmimeter.h"
#include "setup/settingspanel.h"
#include "shell/dialogs.h"
#include "store/diaryfiles.h"
#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "views/analysis/analysispanel.h"
#include "views/average/averagepanel.h"
#include "views/calendar/calendarpanel.h"
#include "views/filter/filterpanel.h"
#include "views/history/mainpanel.h"
#include "views/history/wholeperiodpanel.h"
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLockFile>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zz {

namespace {
const QString WindowGeometrySetting = QStringLiteral("window/geometry");
} // namespace

namespace {

const QString kProductName = QStringLiteral("Zumazuma☆ダイエット");

} // namespace

MainWindow::MainWindow(const QString &dir, QWidget *parent) : QMainWindow(parent), m_dir(dir)
{
    setObjectName(QStringLiteral("frmMain"));
    buildFrame();
    connectPanels();
}

MainWindow::~MainWindow() = default;

void MainWindow::holdDiaryLock(std::unique_ptr<QLockFile> lock)
{
    m_lock = std::move(lock);
}

QPushButton *MainWindow::addPanelButton(const QString &name, const QString &caption, const QString &toolTip,
                                        PanelId id)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setMinimumHeight(34);
    connect(button, &QPushButton::clicked, this, [this, id] { ShowPanel(id); });
    return button;
}

void MainWindow::buildFrame()
{
    auto *central = new QWidget;
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    fraMain = new MainPanel(*this);
    fraTaijyu = new FilterPanel(*this);
    fraBunseki = new AnalysisPanel(*this);
    fraRenTai = new WholePeriodPanel(*this);
    fraSettei = new SettingsPanel(*this);
    fraCale = new CalendarPanel(*this);
    fraMemo = new NotesPanel(*this);
    fraAvgTai = new AveragePanel(*this);
    m_panels = {
        {PanelId::Filter, fraTaijyu, HelpPanel::Filter},
        {PanelId::Analysis, fraBunseki, HelpPanel::Analysis},
        {PanelId::WholePeriod, fraRenTai, HelpPanel::WholePeriod},
        {PanelId::Main, fraMain, std::nullopt},
        {PanelId::Settings, fraSettei, HelpPanel::Edit},
        {PanelId::Calendar, fraCale, HelpPanel::Calendar},
        {PanelId::Memo, fraMemo, HelpPanel::Memo},
        {PanelId::Average, fraAvgTai, HelpPanel::Average},
    };

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    const struct
    {
        const char16_t *name, *caption, *toolTip;
        PanelId panel;
    } panelButtons[] = {
        {u"cmdMain", u"メイン", u"メイン画面を表示します", PanelId::Main},
        {u"cmdTaijyu", u"範囲指定", u"表示条件を指定できます", PanelId::Filter},
        {u"cmdBunseki", u"分析リスト", u"体重分析画面を表示します", PanelId::Analysis},
        {u"cmdRentai", u"全グラフ", u"現在までの体重グラフを表示します", PanelId::WholePeriod},
        {u"cmdSettei", u"編集", u"編集画面を表示します", PanelId::Settings},
        {u"cmdCale", u"カレンダー", u"体重増減把握カレンダーを表示します", PanelId::Calendar},
        {u"cmdMemo", u"一言日記", u"ちょっとした日記を表示します", PanelId::Memo},
        {u"cmdAvgtai", u"日平均", u"日毎の平均値を表示します", PanelId::Average},
    };
    for (const auto &entry : panelButtons)
        buttons->addWidget(addPanelButton(QString::fromUtf16(entry.name), QString::fromUtf16(entry.caption),
                                          QString::fromUtf16(entry.toolTip), entry.panel));
    cmdUndo = new QPushButton(QStringLiteral("元に戻す"));
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    cmdRedo = new QPushButton(QStringLiteral("やり直す"));
    cmdRedo->setObjectName(QStringLiteral("cmdRedo"));
    for (QPushButton *button : {cmdUndo, cmdRedo}) {
        button->setMinimumHeight(34);
        buttons->addWidget(button);
    }
    connect(cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
    connect(cmdRedo, &QPushButton::clicked, this, [this] { cmdRedo_Click(); });
    // A text box with the keyboard takes these keys for its own undo first.
    const auto addShortcut = [this](const QKeySequence &keys, void (MainWindow::*slot)()) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, slot] { (this->*slot)(); });
    };
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::cmdUndo_Click);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::cmdRedo_Click);
    addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::cmdRedo_Click);
    updateUndoButtons();
    buttons->addStretch();

    chkHelp = new QCheckBox;
    chkHelp->setAccessibleName(QStringLiteral("ヘルプツアー"));
    chkHelp->setAccessibleDescription(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    chkHelp->setObjectName(QStringLiteral("chkHelp"));
    chkHelp->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    connect(chkHelp, &QCheckBox::toggled, this, [this] { chkHelp_Click(); });
    buttons->addWidget(chkHelp);

    auto *cmdHelp = new QPushButton(QStringLiteral("ヘルプ"));
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setToolTip(QStringLiteral("ヘルプファイルを開きます"));
    cmdHelp->setMinimumHeight(34);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    buttons->addWidget(cmdHelp);

    auto *cmdOwari = new QPushButton(QStringLiteral("終了"));
    cmdOwari->setObjectName(QStringLiteral("cmdOwari"));
    cmdOwari->setToolTip(QStringLiteral("プログラムを終了します"));
    cmdOwari->setMinimumHeight(34);
    connect(cmdOwari, &QPushButton::clicked, this, [this] { cmdOwari_Click(); });
    buttons->addWidget(cmdOwari);

    outer->addLayout(buttons);
    for (const PanelEntry &entry : std::as_const(m_panels))
        outer->addWidget(entry.panel, 1);

    // On a screen smaller than the layout needs, the window fits the screen
    // and the panels scroll instead of being squeezed over one another.
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("windowScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    setCentralWidget(scroll);
    setAcceptDrops(true); // a dropped CSV file is imported
    restoreWindowPlacement();
    setWindowTitle(QString(QLatin1Char(' ') + kProductName));
}

// Events of one panel that another panel answers.
void MainWindow::connectPanels()
{
    // The meter on the settings panel follows the class of the current measurement.
    connect(fraMain, &MainPanel::bmiClassified, fraSettei->bmiMeter(), &BmiMeter::ShowClassification);
    // Every member of the Label1 array is the bone-mass heading of the main panel.
    connect(fraMemo, &NotesPanel::label1Clicked, fraMain, &MainPanel::headingLabelClick);
    // New personal data reach every value that depends on them at once: the
    // BMI and obesity cells and labels, the trend's forecast, the meter.
    connect(fraSettei, &SettingsPanel::personalDataChanged, this, [this] {
        RefreshDayList();
        classifyBmiAndFillMeter();
    });
}

void MainWindow::HideAllPanels()
{
    for (const PanelEntry &entry : std::as_const(m_panels))
        entry.panel->setVisible(false);
}

void MainWindow::ShowPanel(PanelId id)
{
    const auto entry =
        std::find_if(m_panels.cbegin(), m_panels.cend(), [id](const PanelEntry &e) { return e.id == id; });
    Panel *panel = entry->panel;
    if (panel->isVisible())
        return;
    if (m_panelBuiltAt.value(panel) == m_diaryGeneration)
        panel->ReopenPanel();
    else
        preparePanel(panel);
    HideAllPanels();
    panel->setVisible(true);
    QCoreApplication::processEvents();
    if (entry->help)
        DSP_HELP(HelpTourText(*entry->help));
}

void MainWindow::preparePanel(Panel *panel)
{
    panel->PreparePanel();
    m_panelBuiltAt.insert(panel, m_diaryGeneration);
}

void MainWindow::DSP_HELP(const QString &text)
{
    if (m_state.helpTourOn)
        Dialogs::Information(this, QStringLiteral("ヘルプツアー"), text);
}

void MainWindow::RefreshDayList()
{
    fraMain->RefreshDayList();
}

void MainWindow::OpenDay(const QDate &date)
{
    fraMain->entryArea()->setSelectedDate(date);
    RefreshDayList();
    HideAllPanels();
    fraMain->setVisible(true);
}

void MainWindow::LoadStatusList()
{
    QStringList statuses;
    ReportReadFailure(ReadStatusList(m_dir, statuses));
    ShowStatusList(statuses);
}

void MainWindow::ShowStatusList(const QStringList &statuses)
{
    m_statusList.setStringList(statuses);
}

void MainWindow::AddStatusToLists(const QString &status)
{
    m_statusList.append(status);
}

void MainWindow::EndProgram()
{
    close();
}

void MainWindow::cmdHelp_Click()
{
    // Beside the program in the build folder, or where it is installed.
    const QString programDir = QCoreApplication::applicationDirPath();
    QString path = programDir + QLatin1Char('/') + HelpFileName();
    if (!QFile::exists(path))
        path = programDir + QStringLiteral("/../share/zumazuma/") + HelpFileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::Exclamation(this, QStringLiteral("ヘルプ"),
                             QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(HelpFileName()));
        return;
    }
    if (!m_helpWindow) {
        auto *window = new QDialog(this, Qt::Window);
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setWindowTitle(kProductName + QStringLiteral(" ヘルプ"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setOpenExternalLinks(false);
        layout->addWidget(browser);
        window->resize(760, 640);
        m_helpWindow = window;
    }
    auto *browser = m_helpWindow->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    browser->setSearchPaths({QFileInfo(path).absolutePath()});
    browser->setHtml(QString::fromUtf8(file.readAll()));
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void MainWindow::cmdOwari_Click()
{
    close();
}

void MainWindow::restoreWindowPlacement()
{
    // The panels never get less room than their layout needs (the window
    // scrolls below that); the window itself may be as small as a small screen.
    setMinimumSize(QSize(640, 480));
    // Size, place and maximised state of the last run (a user preference),
    // else the default size within the screen.
    if (restoreGeometry(QSettings().value(WindowGeometrySetting).toByteArray()))
        return;
    QSize size(1260, 760);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size.expandedTo(minimumSize()));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every change was written when it was made; only text typed and not yet
    // saved is asked about (a signal from the desktop answers No).
    if (!TerminationRequested() && !fraMemo->ConfirmUnsavedText()) {
        event->ignore();
        return;
    }
    QSettings().setValue(WindowGeometrySetting, saveGeometry());
    if (m_helpWindow)
        m_helpWindow->close();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::SetWindowTitleFromPersonalData()
{
    const QString &name = m_state.personal.userName;
    setWindowTitle(name.isEmpty() ? QString(QLatin1Char(' ') + kProductName)
                                  : QString(QLatin1Char(' ') + name + QStringLiteral(" の ") + kProductName));
}

void MainWindow::ReportStoreFailure(const StoreStatus &status)
{
    Dialogs::Critical(this, kProductName, status.userText());
}

void MainWindow::DiaryChanged()
{
    markPanelsStale();
    RefreshDayList();
    classifyBmiAndFillMeter();
    for (const PanelEntry &entry : std::as_const(m_panels)) {
        if (entry.panel != fraMain && entry.panel->isVisible())
            preparePanel(entry.panel);
    }
    updateUndoButtons();
}

void MainWindow::DiaryReplaced()
{
    m_history.clear();
    ReportReadFailure(ReadPersonalData(m_dir, m_state.personal));
    SetWindowTitleFromPersonalData();
    LoadStatusList();
    fraMemo->LoadNoticeMemo();
    m_state.sampleMode = detectSample();
    DiaryChanged();
}

void MainWindow::ReportReadFailure(const StoreStatus &status)
{
    if (status)
        return;
    markPanelsStale(); // a panel that could not read is read again
    if (m_state.startupInProgress)
        noteStartupFailure(status);
    else
        ReportStoreFailure(status);
}

void MainWindow::noteStartupFailure(const StoreStatus &status)
{
    if (!status && m_startupFailure.ok)
        m_startupFailure = status;
}

bool MainWindow::detectSample() const
{
    MeasurementRecord start;
    if (!ReadStartRecord(m_dir, start))
        return false;
    return IsSampleDiary(m_state.personal, start.date);
}

void MainWindow::classifyBmiAndFillMeter()
{
    fraMain->ClassifyBmi();
    BmiMeter *meter = fraSettei->bmiMeter();
    meter->SetFormulaValues(NumberText(m_state.dayList.lastRecord.weight),
                            NumberText(m_state.personal.heightCm / 100.0f));
    meter->UpdateBmiMeter();
}

bool MainWindow::Form_Load(StoreStatus &error)
{
    // OpenDiary has checked every file before the window is built; a file that
    // still fails to read here stops the program after the startup.
    m_startupFailure = StoreStatus::success();

    // 1: the help file is KaruppaHelp.html (HelpFileName).
    QCoreApplication::processEvents();
    setWindowState(Qt::WindowNoState);
    // 2
    m_state.startupInProgress = true;
    HideAllPanels();
    // 3
    fraMain->ClearChartCaptions();
    // 4
    fraMain->entryArea()->setSelectedDate(Clock::today());
    // 5
    fraSettei->bmiMeter()->ClearWeightLabel();
    // 6
    noteStartupFailure(ReadPersonalData(m_dir, m_state.personal));
    SetWindowTitleFromPersonalData();
    // 7
    LoadStatusList();
    // 8
    fraRenTai->LoadMovingAverageWidth();
    // 9
    fraSettei->LoadAutoTime();
    // 10: the analysis grids, then the day-list grids.
    fraBunseki->SetupAnalysisListColumns();
    fraMain->SetupDayListColumns();
    // 11: older data files were converted before the diary was checked (StartProgram).
    // 12
    RefreshDayList();
    // 13: the day charts' series never show value labels.
    // 14
    int storedMarkerMode = 0;
    noteStartupFailure(ReadMarkerSetting(m_dir, storedMarkerMode));
    m_state.markerMode = MarkerModeOf(storedMarkerMode);
    fraMain->ApplyMarkerStyle();
    // 15
    classifyBmiAndFillMeter();
    // 16
    fraMemo->LoadNoticeMemo();
    // 17
    READ_SETTEI();
    fraSettei->READ_KIZAMI();
    // 18
    show();
    QCoreApplication::processEvents();
    fraMain->setVisible(true);
    // 19
    chkHelp->setChecked(m_state.helpTourOn);
    // 20
    fraMain->entryArea()->DisableStepButtons();
    // 21
    m_state.sampleMode = detectSample();
    if (m_state.sampleMode) {
        fraMain->entryArea()->setSelectedDate(SampleShownDate());
        RefreshDayList();
        classifyBmiAndFillMeter();
        Dialogs::Information(this, QStringLiteral("サンプル表示"),
                             QStringLiteral("サンプルとして2004年03月28日のデータを表示させています。"));
    }
    // 22
    fraMain->SelectMixedChart();
    // 23
    QCoreApplication::processEvents();
    show();
    m_state.startupInProgress = false;
    // 24
    fraMain->RedrawMainChart();
    // 25
    for (const QString &text : WelcomeTourTexts())
        DSP_HELP(text);
    error = m_startupFailure;
    return error.ok;
}

void MainWindow::READ_SETTEI()
{
    int on = 0;
    ReportReadFailure(ReadHelpTourSetting(m_dir, on));
    m_state.helpTourOn = on != 0;
}

void MainWindow::chkHelp_Click()
{
    if (m_state.startupInProgress)
        return;
    if (chkHelp->isChecked()) {
        Dialogs::Information(this, QStringLiteral("ヘルプツアーＯＮ"),
                             QStringLiteral("ヘルプツアー機能をオンにします。"));
        m_state.helpTourOn = true;
    } else {
        Dialogs::Information(this, QStringLiteral("ヘルプツアーＯＦＦ"),
                             QStringLiteral("ヘルプツアー機能をオフにします。"));
        m_state.helpTourOn = false;
    }
    const StoreStatus status = WriteHelpTourSetting(m_dir, m_state.helpTourOn ? 1 : 0);
    if (!status)
        ReportStoreFailure(status);
}

} // namespace zz
