#include "app/mainwindow.h"

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/eventhooks.h"
#include "app/helptexts.h"
#include "entry/entrylogic.h"
#include "store/diaryfiles.h"
#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/numbers.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "ui/chartview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QXYSeries>

namespace zz {

namespace {

const QString kProductName = QStringLiteral("Zumazuma☆ダイエット");

} // namespace

MainWindow::MainWindow(const QString &dir, QWidget *parent)
    : QMainWindow(parent), m_dir(dir)
{
    setObjectName(QStringLiteral("frmMain"));
    buildFrame();
}

MainWindow::~MainWindow() = default;

QPushButton *MainWindow::addPanelButton(const QString &name, const QString &caption,
                                        const QString &toolTip, QWidget *panel,
                                        std::optional<HelpPanel> help)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setMinimumHeight(34);
    // Each panel prepares its content from the files before it is shown; the
    // panels whose content comes later are shown as they are.
    connect(button, &QPushButton::clicked, this, [this, panel, help] { showPanel(panel, help); });
    return button;
}

QWidget *MainWindow::buildEmptyPanel(const QString &name)
{
    auto *panel = new QFrame;
    panel->setObjectName(name);
    return panel;
}

void MainWindow::buildFrame()
{
    auto *central = new QWidget;
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    fraMain = buildMainPanel();
    fraTaijyu = buildEmptyPanel(QStringLiteral("fraTaijyu"));
    fraBunseki = buildEmptyPanel(QStringLiteral("fraBunseki"));
    fraRenTai = buildEmptyPanel(QStringLiteral("fraRenTai"));
    fraSettei = buildSettingsPanel();
    fraCale = buildEmptyPanel(QStringLiteral("fraCale"));
    fraMemo = buildEmptyPanel(QStringLiteral("fraMemo"));
    fraAvgTai = buildEmptyPanel(QStringLiteral("fraAvgTai"));
    m_panels = {fraTaijyu, fraBunseki, fraRenTai, fraMain, fraSettei, fraCale, fraMemo, fraAvgTai};

    // The filter panel's status list, filled with the others at startup.
    {
        auto *layout = new QHBoxLayout(fraTaijyu);
        lstAct2 = new QListWidget;
        lstAct2->setObjectName(QStringLiteral("lstAct2"));
        lstAct2->setMaximumWidth(220);
        layout->addWidget(lstAct2);
        layout->addStretch();
    }
    // The whole-period panel's moving-average width.
    {
        auto *layout = new QHBoxLayout(fraRenTai);
        auto *caption = new QLabel(QStringLiteral("移動平均"));
        cboIdou = new QComboBox;
        cboIdou->setObjectName(QStringLiteral("cboIdou"));
        cboIdou->setEditable(true);
        cboIdou->setInsertPolicy(QComboBox::NoInsert);
        cboIdou->setMinimumWidth(80);
        layout->addWidget(caption, 0, Qt::AlignTop);
        layout->addWidget(cboIdou, 0, Qt::AlignTop);
        layout->addStretch();
        connect(cboIdou, &QComboBox::activated, this, [this] { cboIdou_Click(); });
        OnEnter(cboIdou, [this] { cboIdou_Click(); });
    }
    // The diary panel's memo box and labels.
    {
        auto *layout = new QVBoxLayout(fraMemo);
        auto *diaryLabel = new QLabel(QStringLiteral("一言入力欄 →"));
        diaryLabel->setObjectName(QStringLiteral("Label1(2)"));
        auto *memoLabel = new QLabel(QStringLiteral("気付きメモ"));
        memoLabel->setObjectName(QStringLiteral("Label1(3)"));
        txtKizuki = new QPlainTextEdit;
        txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
        layout->addWidget(diaryLabel);
        layout->addWidget(memoLabel);
        layout->addWidget(txtKizuki, 1);
        // Both act as the bone-mass heading of the main panel.
        for (QLabel *label : {diaryLabel, memoLabel})
            OnClick(label, [this] { headingLabelClick(QStringLiteral("Label1")); });
    }

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    const struct
    {
        const char16_t *name, *caption, *toolTip;
        QWidget *panel;
        std::optional<HelpPanel> help;
    } panelButtons[] = {
        {u"cmdMain", u"メイン", u"メイン画面を表示します", fraMain, std::nullopt},
        {u"cmdTaijyu", u"範囲指定", u"表示条件を指定できます", fraTaijyu, HelpPanel::Filter},
        {u"cmdBunseki", u"分析リスト", u"体重分析画面を表示します", fraBunseki, HelpPanel::Analysis},
        {u"cmdRentai", u"全グラフ", u"現在までの体重グラフを表示します", fraRenTai, HelpPanel::WholePeriod},
        {u"cmdSettei", u"編集", u"編集画面を表示します", fraSettei, HelpPanel::Edit},
        {u"cmdCale", u"カレンダー", u"体重増減把握カレンダーを表示します", fraCale, HelpPanel::Calendar},
        {u"cmdMemo", u"一言日記", u"ちょっとした日記を表示します", fraMemo, HelpPanel::Memo},
        {u"cmdAvgtai", u"日平均", u"日毎の平均値を表示します", fraAvgTai, HelpPanel::Average},
    };
    for (const auto &entry : panelButtons)
        buttons->addWidget(addPanelButton(QString::fromUtf16(entry.name), QString::fromUtf16(entry.caption),
                                          QString::fromUtf16(entry.toolTip), entry.panel, entry.help));
    buttons->addStretch();

    chkHelp = new QCheckBox;
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
    for (QWidget *panel : std::as_const(m_panels))
        outer->addWidget(panel, 1);

    setCentralWidget(central);
    resize(1260, 760);
    setWindowTitle(QString(QLatin1Char(' ') + kProductName));
}

void MainWindow::HideAllPanels()
{
    for (QWidget *panel : std::as_const(m_panels))
        panel->setVisible(false);
}

void MainWindow::showPanel(QWidget *panel, std::optional<HelpPanel> help)
{
    if (panel->isVisible())
        return;
    HideAllPanels();
    panel->setVisible(true);
    QCoreApplication::processEvents();
    // The main panel explains nothing; the others explain themselves.
    if (help) {
        m_state.helpTourText = HelpTourText(*help);
        DSP_HELP();
    }
}

void MainWindow::DSP_HELP()
{
    if (m_state.helpTourOn != 0)
        Dialogs::Information(this, QStringLiteral("ヘルプツアー"), m_state.helpTourText);
}

void MainWindow::cmdHelp_Click()
{
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/')
                         + m_state.helpFileName;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::Exclamation(this, QStringLiteral("ヘルプ"),
                             QStringLiteral("ヘルプファイル「%1」が見つかりません。")
                                 .arg(m_state.helpFileName));
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
    browser->setSearchPaths({QCoreApplication::applicationDirPath()});
    browser->setHtml(QString::fromUtf8(file.readAll()));
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void MainWindow::cmdOwari_Click()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every change was written when it was made: nothing to save or confirm.
    if (m_helpWindow)
        m_helpWindow->close();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::setWindowTitleFromPersonalData()
{
    const QString &name = m_state.personal.userName;
    setWindowTitle(name.isEmpty() ? QString(QLatin1Char(' ') + kProductName)
                                  : QString(QLatin1Char(' ') + name + QStringLiteral(" の ") + kProductName));
}

void MainWindow::reportStoreFailure(const StoreStatus &status)
{
    Dialogs::Critical(this, kProductName, status.userText());
}

bool MainWindow::detectSample() const
{
    MeasurementRecord start;
    if (!ReadStartRecord(m_dir, start))
        return false;
    return start.date == u"2004/03/14" && m_state.personal.userName == SampleUserName()
           && m_state.personal.heightCm == 168.5f && m_state.personal.targetWeight == 65.0f;
}

bool MainWindow::Form_Load(StoreStatus &error)
{
    // OpenDiary has checked every file before the window is built; a file that
    // still fails to read here stops the program after the startup.
    m_startupFailure = StoreStatus::success();

    // 1
    m_state.helpFileName = QStringLiteral("KaruppaHelp.html");
    QCoreApplication::processEvents();
    setWindowState(Qt::WindowNoState);
    // 2
    m_state.startupInProgress = true;
    HideAllPanels();
    // 3
    lblG1->clear();
    lblG2->clear();
    // 4
    mtvmain->setSelectedDate(Clock::today());
    // 5
    lblTai->clear();
    // 6
    noteStartupFailure(ReadPersonalData(m_dir, m_state.personal));
    setWindowTitleFromPersonalData();
    // 7
    LoadStatusList();
    // 8
    LoadMovingAverageWidth();
    // 9
    LoadAutoTime();
    // 10: the analysis grids are set up here too once that panel exists; they
    // end with the day-list grids.
    SetupDayListColumns();
    // 11: older data files are imported here.
    // 12
    RefreshDayList();
    // 13: no value labels on the day charts' series.
    for (ChartView *chart : {mcrMain, mcrMain2, mcrMain3, mcrMain4}) {
        const auto series = chart->chart()->series();
        for (QAbstractSeries *s : series) {
            if (auto *xy = qobject_cast<QXYSeries *>(s))
                xy->setPointLabelsVisible(false);
        }
    }
    // 14
    noteStartupFailure(ReadMarkerSetting(m_dir, m_state.markerMode));
    ApplyMarkerStyle();
    // 15
    auto bmiSteps = [this] {
        ClassifyBmi();
        Label9_28->setText(NumberText(m_state.lastRecord.weight));
        Label9_30->setText(NumberText(m_state.personal.heightCm / 100.0f));
        UpdateBmiMeter();
    };
    bmiSteps();
    // 16
    LoadNoticeMemo();
    // 17
    READ_SETTEI();
    READ_KIZAMI();
    // 18
    show();
    QCoreApplication::processEvents();
    fraMain->setVisible(true);
    // 19
    chkHelp->setChecked(m_state.helpTourOn != 0);
    // 20
    DisableStepButtons();
    // 21
    m_state.sampleMode = detectSample();
    if (m_state.sampleMode) {
        mtvmain->setSelectedDate(QDate(2004, 3, 28));
        RefreshDayList();
        bmiSteps();
        Dialogs::Information(this, QStringLiteral("サンプル表示"),
                             QStringLiteral("サンプルとして2004年03月28日のデータを表示させています。"));
    }
    // 22
    optKon->setChecked(true);
    optKon_Click();
    // 23
    QCoreApplication::processEvents();
    show();
    m_state.startupInProgress = false;
    // 24
    mcrMain->update();
    // 25
    for (const QString &text : WelcomeTourTexts()) {
        m_state.helpTourText = text;
        DSP_HELP();
    }
    error = m_startupFailure;
    return error.ok;
}

void MainWindow::noteStartupFailure(const StoreStatus &status)
{
    if (!status && m_startupFailure.ok)
        m_startupFailure = status;
}

void MainWindow::reportReadFailure(const StoreStatus &status)
{
    if (status)
        return;
    if (m_state.startupInProgress)
        noteStartupFailure(status);
    else
        reportStoreFailure(status);
}

void MainWindow::LoadStatusList()
{
    QStringList statuses;
    reportReadFailure(ReadStatusList(m_dir, statuses));
    for (QListWidget *list : {lstAct, lstAct2, lstKoumoku}) {
        list->clear();
        list->addItems(statuses);
    }
}

void MainWindow::LoadNoticeMemo()
{
    QString memo;
    reportReadFailure(ReadNoticeMemo(m_dir, memo));
    txtKizuki->setPlainText(memo);
}

// Settings -----------------------------------------------------------------

void MainWindow::READ_SETTEI()
{
    reportReadFailure(ReadHelpTourSetting(m_dir, m_state.helpTourOn));
}

void MainWindow::READ_KIZAMI()
{
    reportReadFailure(ReadIncrements(m_dir, m_state.weightIncrement, m_state.fatIncrement));
    auto show = [](const QString &text, QButtonGroup *group, const QList<QRadioButton *> &options,
                   QLineEdit *freeBox) {
        const int index = IncrementOptionIndex(text);
        if (index > 0) {
            options[index - 1]->setChecked(true);
            return;
        }
        group->setExclusive(false);
        for (QRadioButton *option : options)
            option->setChecked(false);
        group->setExclusive(true);
        freeBox->setText(text);
    };
    show(m_state.weightIncrement, m_weightOptions, optKizami, txtKizami);
    show(m_state.fatIncrement, m_fatOptions, optKizami1, txtKizami2);
}

void MainWindow::LoadMovingAverageWidth()
{
    cboIdou->clear();
    for (int i = 1; i <= 30; ++i)
        cboIdou->addItem(QString::number(i));
    QString width;
    reportReadFailure(ReadMovingAverageWidth(m_dir, width));
    cboIdou->setEditText(width);
}

void MainWindow::LoadAutoTime()
{
    reportReadFailure(ReadAutoTime(m_dir, m_state.autoTimeOn));
    // Setting the box runs its handler when the value changes, which writes
    // the file again with the value just read; that is harmless and kept.
    chkJikan->setChecked(m_state.autoTimeOn != 0);
}

void MainWindow::chkHelp_Click()
{
    if (m_state.startupInProgress)
        return;
    if (chkHelp->isChecked()) {
        Dialogs::Information(this, QStringLiteral("ヘルプツアーＯＮ"),
                             QStringLiteral("ヘルプツアー機能をオンにします。"));
        m_state.helpTourOn = 1;
    } else {
        Dialogs::Information(this, QStringLiteral("ヘルプツアーＯＦＦ"),
                             QStringLiteral("ヘルプツアー機能をオフにします。"));
        m_state.helpTourOn = 0;
    }
    const StoreStatus status = WriteHelpTourSetting(m_dir, m_state.helpTourOn);
    if (!status)
        reportStoreFailure(status);
}

void MainWindow::writeIncrements()
{
    const StoreStatus status = WriteIncrements(m_dir, m_state.weightIncrement, m_state.fatIncrement);
    if (!status)
        reportStoreFailure(status);
}

void MainWindow::optKizami_Click(int index)
{
    if (m_state.startupInProgress)
        return;
    m_state.weightIncrement = IncrementForOption(index);
    writeIncrements();
}

void MainWindow::optKizami1_Click(int index)
{
    if (m_state.startupInProgress)
        return;
    m_state.fatIncrement = IncrementForOption(index);
    writeIncrements();
}

void MainWindow::txtKizami_Enter()
{
    m_state.weightIncrement = txtKizami->text();
    writeIncrements();
}

void MainWindow::txtKizami2_Enter()
{
    m_state.fatIncrement = txtKizami2->text();
    writeIncrements();
}

void MainWindow::cboIdou_Click()
{
    const QString text = cboIdou->currentText();
    if (text.isEmpty())
        return;
    if (!MovingAverageWidthAccepted(text)) {
        cboIdou->setEditText(QString());
        return;
    }
    RedrawWholePeriodChart();
    const StoreStatus status = WriteMovingAverageWidth(m_dir, text);
    if (!status)
        reportStoreFailure(status);
}

void MainWindow::RedrawWholePeriodChart()
{
    // The whole-period chart is drawn from the history its panel loaded; the
    // panel comes with its own chart.
}

void MainWindow::chkJikan_Click()
{
    m_state.autoTimeOn = chkJikan->isChecked() ? 1 : 0;
    const StoreStatus status = WriteAutoTime(m_dir, m_state.autoTimeOn);
    if (!status)
        reportStoreFailure(status);
}

QWidget *MainWindow::buildSettingsPanel()
{
    auto *panel = new QFrame;
    panel->setObjectName(QStringLiteral("fraSettei"));
    auto *layout = new QGridLayout(panel);

    auto makeIncrementFrame = [this](const QString &title, const QStringList &captions,
                                     const QString &optionName, const QString &boxName,
                                     const QString &unit, QList<QRadioButton *> &options,
                                     QButtonGroup *&group, QLineEdit *&freeBox) {
        auto *frame = new QGroupBox(title);
        auto *row = new QHBoxLayout(frame);
        group = new QButtonGroup(frame);
        for (int i = 0; i < 3; ++i) {
            auto *option = new QRadioButton(captions[i]);
            option->setObjectName(QStringLiteral("%1(%2)").arg(optionName).arg(i + 1));
            group->addButton(option, i + 1);
            options.append(option);
            row->addWidget(option);
        }
        row->addSpacing(12);
        row->addWidget(new QLabel(QStringLiteral("任意")));
        freeBox = new QLineEdit;
        freeBox->setObjectName(boxName);
        freeBox->setMaximumWidth(70);
        row->addWidget(freeBox);
        row->addWidget(new QLabel(unit));
        row->addStretch();
        return frame;
    };

    layout->addWidget(makeIncrementFrame(QStringLiteral("体重入力 刻み指定　（体重計の刻み）"),
                                         {QStringLiteral("０．１ Ｋｇ"), QStringLiteral("０．２ Ｋｇ"),
                                          QStringLiteral("０．５ Ｋｇ")},
                                         QStringLiteral("optKizami"), QStringLiteral("txtKizami"),
                                         QStringLiteral("Ｋｇ"), optKizami, m_weightOptions, txtKizami),
                      0, 0);
    layout->addWidget(makeIncrementFrame(QStringLiteral("体脂肪率入力 刻み指定　（体脂肪率計の刻み）"),
                                         {QStringLiteral("０．１ ％"), QStringLiteral("０．２ ％"),
                                          QStringLiteral("０．５ ％")},
                                         QStringLiteral("optKizami1"), QStringLiteral("txtKizami2"),
                                         QStringLiteral("％"), optKizami1, m_fatOptions, txtKizami2),
                      1, 0);
    for (int i = 0; i < 3; ++i) {
        connect(optKizami[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optKizami_Click(i + 1);
        });
        connect(optKizami1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optKizami1_Click(i + 1);
        });
    }
    OnEnter(txtKizami, [this] { txtKizami_Enter(); });
    OnEnter(txtKizami2, [this] { txtKizami2_Enter(); });

    chkJikan = new QCheckBox(QStringLiteral("一言日記に自動的に時間を記録"));
    chkJikan->setObjectName(QStringLiteral("chkJikan"));
    connect(chkJikan, &QCheckBox::toggled, this, [this] { chkJikan_Click(); });
    layout->addWidget(chkJikan, 2, 0);

    // The status list editor's list; its buttons come with the editor.
    auto *listFrame = new QGroupBox(QStringLiteral("状況リスト編集"));
    auto *listLayout = new QVBoxLayout(listFrame);
    lstKoumoku = new QListWidget;
    lstKoumoku->setObjectName(QStringLiteral("lstKoumoku"));
    lstKoumoku->setToolTip(QStringLiteral("クリックすると選択されます"));
    listLayout->addWidget(lstKoumoku);
    layout->addWidget(listFrame, 0, 1, 3, 1);

    layout->addWidget(buildBmiMeter(), 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);
    return panel;
}

} // namespace zz
