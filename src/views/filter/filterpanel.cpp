#include "views/filter/filterpanel.h"
#include "base/storeddate.h"
#include "shell/csvexportflow.h"
#include "shell/measurementmenu.h"

#include "base/clock.h"
#include "print/printout.h"
#include "shell/eventhooks.h"
#include "store/measurementfile.h"
#include "ui/chartstack.h"
#include "ui/chartview.h"
#include "ui/colours.h"
#include "ui/datebox.h"
#include "ui/gridview.h"
#include "ui/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

QPushButton *Button(const QString &name, const QString &caption, int width = 0)
{
    auto *button = Named(new QPushButton(caption), name);
    if (width > 0)
        button->setFixedWidth(width);
    return button;
}

QLabel *GroupLabel(const QString &name, const QString &caption)
{
    auto *label = Named(new QLabel(caption), name);
    label->setStyleSheet(HeadingStyle(u"font-weight: bold;"_s));
    return label;
}

// Pale yellow on the button of the criterion in force.
// Sunday's and Saturday's buttons are written in red and blue; on the pale
// highlight they keep the deep hues, on the window's buttons the scheme's.
QColor WeekdayColour(int weekday, bool onHighlight)
{
    const bool dark = IsDarkScheme() && !onHighlight;
    if (weekday == 0)
        return dark ? QColor(255, 110, 110) : QColor(220, 0, 0);
    return dark ? QColor(130, 160, 255) : QColor(0, 0, 220);
}

} // namespace

FilterPanel::FilterPanel(PanelHost &host, QWidget *parent) : Panel(QStringLiteral("fraTaijyu"), host, parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildCriteria());
    layout->addWidget(buildDisplay(), 1);
}

QWidget *FilterPanel::buildCriteria()
{
    auto *area = new QWidget;
    area->setFixedWidth(300);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    // Status
    auto *statusHead = new QHBoxLayout;
    statusHead->addWidget(GroupLabel(u"Label7(0)"_s, u"状況指定"_s));
    statusHead->addStretch();
    cmdAllact = Button(u"cmdAllact"_s, u"全部"_s, 56);
    statusHead->addWidget(cmdAllact);
    layout->addLayout(statusHead);
    lstAct2 = Named(new QListView, u"lstAct2"_s);
    lstAct2->setModel(host().statusListModel());
    lstAct2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(lstAct2, 1);
    auto *search = new QHBoxLayout;
    txtKey = Named(new QLineEdit, u"txtKey"_s);
    cmdKensaku = Button(u"cmdKensaku"_s, u"検索"_s, 56);
    search->addWidget(txtKey);
    search->addWidget(cmdKensaku);
    layout->addLayout(search);
    connect(cmdAllact, &QPushButton::clicked, this, [this] { cmdAllact_Click(); });
    connect(lstAct2, &QListView::clicked, this, [this] { lstAct2_Click(); });
    OnFocusIn(txtKey, [this](Qt::FocusReason) { txtKey_GotFocus(); });
    OnEnter(txtKey, [this] { txtKey_KeyPress(); });
    connect(cmdKensaku, &QPushButton::clicked, this, [this] { cmdKensaku_Click(); });

    // Weekday
    auto *weekHead = new QHBoxLayout;
    weekHead->addWidget(GroupLabel(u"Label7(2)"_s, u"曜日指定"_s));
    weekHead->addStretch();
    cmdAllWeek = Button(u"cmdAllWeek"_s, u"全部"_s, 56);
    weekHead->addWidget(cmdAllWeek);
    layout->addLayout(weekHead);
    connect(cmdAllWeek, &QPushButton::clicked, this, [this] { cmdAllWeek_Click(); });
    auto *week = new QHBoxLayout;
    week->setSpacing(2);
    const QString weekdays[] = {u"日"_s, u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s};
    for (int i = 0; i < 7; ++i) {
        auto *button = Button(u"cmdWeek(%1)"_s.arg(i), weekdays[i], 38);
        if (i == 0 || i == 6)
            button->setProperty("weekday", i);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdWeek_Click(i); });
        cmdWeek.append(button);
        highlight(button, false);
        week->addWidget(button);
    }
    layout->addLayout(week);

    // Period
    auto *periodHead = new QHBoxLayout;
    periodHead->addWidget(GroupLabel(u"Label7(1)"_s, u"期間指定"_s));
    periodHead->addStretch();
    cmdAllDay = Button(u"cmdAllDay"_s, u"全部"_s, 56);
    periodHead->addWidget(cmdAllDay);
    layout->addLayout(periodHead);
    connect(cmdAllDay, &QPushButton::clicked, this, [this] { cmdAllDay_Click(); });
    m_periodButtons.append(cmdAllDay);
    const struct
    {
        int number;
        const char16_t *caption;
        int offsetDays;
    } periods[] = {{1, u"前日", 1},    {8, u"３日", 2},    {2, u"１週間", 7}, {3, u"２週間", 14},
                   {4, u"１ヶ月", 30}, {5, u"３ヶ月", 90}, {6, u"半年", 180}, {7, u"１年", 365}};
    auto *periodGrid = new QGridLayout;
    periodGrid->setSpacing(2);
    int slot = 0;
    for (const auto &period : periods) {
        auto *button = Button(u"cmdKikan%1"_s.arg(period.number), QString::fromUtf16(period.caption));
        const int offset = period.offsetDays;
        connect(button, &QPushButton::clicked, this,
                [this, button, offset] { cmdKikan_Click(button, offset); });
        m_periodButtons.append(button);
        periodGrid->addWidget(button, slot / 4, slot % 4);
        ++slot;
    }
    layout->addLayout(periodGrid);
    auto *range = new QHBoxLayout;
    cboStdate = Named(new QComboBox, u"cboStdate"_s);
    cboEddate = Named(new QComboBox, u"cboEddate"_s);
    m_dates = new QStringListModel(this);
    for (QComboBox *box : {cboStdate, cboEddate})
        MakeDateBox(box, m_dates);
    cmdKikanF = Button(u"cmdKikanF"_s, u"任意"_s, 48);
    connect(cmdKikanF, &QPushButton::clicked, this, [this] { cmdKikanF_Click(); });
    m_periodButtons.append(cmdKikanF);
    range->addWidget(cboStdate, 1);
    range->addWidget(new QLabel(u"～"_s));
    range->addWidget(cboEddate, 1);
    range->addWidget(cmdKikanF);
    layout->addLayout(range);
    return area;
}

QWidget *FilterPanel::buildDisplay()
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *switches = new QHBoxLayout;
    auto *cmdTai1 = Button(u"cmdTai1"_s, u"体重"_s, 64);
    auto *cmdTai2 = Button(u"cmdTai2"_s, u"代謝"_s, 64);
    auto *cmdKin = Button(u"cmdKin"_s, u"筋肉"_s, 64);
    auto *cmdKotu = Button(u"cmdKotu"_s, u"骨量"_s, 64);
    for (QPushButton *button : {cmdTai1, cmdTai2, cmdKin, cmdKotu})
        switches->addWidget(button);
    switches->addSpacing(12);
    // The legend labels of the body-composition chart on show.
    auto legend = [&](const QString &frameName, const QString &labelName) {
        auto *frame = Named(new QFrame, frameName);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setMinimumWidth(110);
        auto *inner = new QHBoxLayout(frame);
        inner->setContentsMargins(4, 1, 4, 1);
        auto *label = Named(new QLabel, labelName);
        inner->addWidget(label);
        switches->addWidget(frame);
        return label;
    };
    lblG21 = legend(u"fraG21"_s, u"lblG21"_s);
    lblG22 = legend(u"fraG22"_s, u"lblG22"_s);
    switches->addStretch();
    auto *cmdPriData = Button(u"cmdPriData"_s, u"印刷"_s, 64);
    cmdPriData->setToolTip(u"表示中のデータで印刷"_s);
    connect(cmdPriData, &QPushButton::clicked, this, [this] { cmdPriData_Click(); });
    switches->addWidget(cmdPriData);
    auto *cmdCsvData = Button(u"cmdCsvData"_s, u"CSV"_s, 64);
    cmdCsvData->setToolTip(u"表示中のデータを CSV ファイルに書き出します"_s);
    connect(cmdCsvData, &QPushButton::clicked, this, [this] {
        const QList<qsizetype> indices = m_rowIndices;
        ExportCsvWithDialog(this, host(), &indices);
    });
    switches->addWidget(cmdCsvData);
    layout->addLayout(switches);
    connect(cmdTai1, &QPushButton::clicked, this, [this] { cmdTai1_Click(); });
    connect(cmdTai2, &QPushButton::clicked, this,
            [this] { showComposition(mcrBunseki2, u"基礎代謝"_s, u"内臓脂肪"_s); });
    connect(cmdKin, &QPushButton::clicked, this,
            [this] { showComposition(mcrBunseki3, u"筋肉量"_s, u"筋肉スコア"_s); });
    connect(cmdKotu, &QPushButton::clicked, this, [this] { showComposition(mcrBunseki4, u"骨量"_s, {}); });

    // The composition list lies over the weight list.
    auto *lists = new QGridLayout;
    msgBunseki = Named(new GridView, u"msgBunseki"_s);
    msgBunseki2 = Named(new GridView, u"msgBunseki2"_s);
    for (GridView *grid : {msgBunseki, msgBunseki2})
        AttachMeasurementActions(grid, host(), [this](int row) {
            if (row < 1 || row > m_rowIndices.size())
                return ListedMeasurement{};
            const qsizetype index = m_rowIndices.at(row - 1);
            return ListedMeasurement{index, m_listedFrom.at(index).date};
        });
    lists->addWidget(msgBunseki, 0, 0);
    lists->addWidget(msgBunseki2, 0, 0);
    msgBunseki2->raise();
    msgBunseki2->setVisible(false);
    layout->addLayout(lists, 5);

    auto *charts = new QGridLayout;
    const ChartStack stack =
        AddChartStack(charts, u"mcrBunseki"_s,
                      {{u"体重"_s, QuantityColour(Quantity::Weight), ChartAxis::Left},
                       {u"体脂肪率"_s, QuantityColour(Quantity::BodyFat), ChartAxis::Right}});
    mcrBunseki = stack.weight;
    mcrBunseki2 = stack.metabolism;
    mcrBunseki3 = stack.muscle;
    mcrBunseki4 = stack.bone;
    layout->addLayout(charts, 6);

    auto *options = new QHBoxLayout;
    options->addStretch();
    optTai2 = Named(new QRadioButton(u"体重"_s), u"optTai2"_s);
    optTai2->setStyleSheet(QuantityTextStyle(Quantity::Weight));
    optShi2 = Named(new QRadioButton(u"体脂肪率"_s), u"optShi2"_s);
    optShi2->setStyleSheet(QuantityTextStyle(Quantity::BodyFat));
    optKon2 = Named(new QRadioButton(u"混合"_s), u"optKon2"_s);
    optKon2->setStyleSheet(QuantityTextStyle(Quantity::Mixed));
    for (QRadioButton *option : {optTai2, optShi2, optKon2})
        options->addWidget(option);
    connect(optTai2, &QRadioButton::clicked, this, [this] { optTai2_Click(); });
    connect(optShi2, &QRadioButton::clicked, this, [this] { optShi2_Click(); });
    connect(optKon2, &QRadioButton::clicked, this, [this] { optKon2_Click(); });
    layout->addLayout(options);
    return area;
}

void FilterPanel::SetupFilteredListColumns()
{
    const auto setup = [](GridView *grid, const QStringList &headers, const QList<int> &widths) {
        grid->resetColumns(headers, widths, 10);
        GridModel *model = grid->gridModel();
        model->setColumnAlignment(1, Qt::AlignCenter);
        model->setColumnAlignment(2, Qt::AlignCenter);
        model->setColumnAlignment(3, Qt::AlignLeft | Qt::AlignVCenter);
    };
    setup(msgBunseki, FilteredListHeaders(), FilteredListWidths());
    msgBunseki->gridModel()->setColumnAlignment(6, Qt::AlignCenter);
    msgBunseki->gridModel()->setColumnAlignment(8, Qt::AlignCenter);
    setup(msgBunseki2, FilteredCompositionHeaders(), FilteredCompositionWidths());
}

void FilterPanel::PreparePanel()
{
    FillAllMeasurementsView();
    resetChoices();
}

void FilterPanel::ReopenPanel()
{
    if (!m_showsEveryMeasurement) {
        PreparePanel();
        return;
    }
    // The lists already hold every measurement: only what opening resets.
    ShowWholePeriod(cboStdate, cboEddate, m_dates->stringList());
    msgBunseki->showEnd();
    msgBunseki2->setTopRow(1);
    resetChoices();
}

void FilterPanel::resetChoices()
{
    optTai2->setChecked(true);
    optTai2_Click();
    // Opening lists everything with every weekday: only the three "全部"
    // buttons are highlighted.
    for (QPushButton *button : std::as_const(cmdWeek))
        highlight(button, false);
    ResetPeriodButtons();
    highlight(cmdAllDay, true);
    highlight(cmdAllact, true);
    highlight(cmdAllWeek, true);
    weekdayFilter = AllWeekdays;
    ShowQuantityCaption(lblG21, {});
    ShowQuantityCaption(lblG22, {});
}

FilterCriteria FilterPanel::criteria() const
{
    return {cboStdate->currentText(), cboEddate->currentText(), txtKey->text(), weekdayFilter};
}

void FilterPanel::FillAllMeasurementsView()
{
    fill(std::nullopt);
}

void FilterPanel::FillFilteredView(bool useStatus, bool useWeekday)
{
    fill(FilterRequest{criteria(), useStatus, useWeekday});
}

void FilterPanel::RefreshFilteredView()
{
    FillFilteredView(!txtKey->text().isEmpty(), weekdayFilter != AllWeekdays);
}

void FilterPanel::fill(const std::optional<FilterRequest> &request)
{
    SetupFilteredListColumns();
    QList<MeasurementRecord> records;
    m_showsEveryMeasurement = false;
    const StoreStatus status = ReadMeasurements(dir(), records);
    if (!status) {
        host().ReportReadFailure(status);
        return;
    }
    const FilteredView view =
        ComputeFilteredView(records, state().personal.heightCm, request, ListRows::Left);
    m_showsEveryMeasurement = !request;

    // The lists make a row's texts only when it is shown.
    const auto rows =
        std::make_shared<const FilteredRows>(records, view.recordIndices, state().personal.heightCm);
    const int count = int(view.recordIndices.size());
    msgBunseki->gridModel()->setRowSource(
        {count, [rows](int row) { return rows->weightRow(row); }, view.widestRows});
    m_rowIndices = view.recordIndices;
    m_listedFrom = records;
    msgBunseki2->gridModel()->setRowSource(
        {count, [rows](int row) { return rows->compositionRow(row); }, view.widestRows});
    msgBunseki->showEnd();
    msgBunseki2->setTopRow(1);

    mcrBunseki->setRowCount(std::max(1, int(view.weights.size())));
    mcrBunseki->setSeriesValues(1, view.weights);
    mcrBunseki->setSeriesValues(2, view.bodyFats);
    mcrBunseki->setAxisScale(ChartAxis::Left, view.left.min, view.left.max);
    mcrBunseki->setAxisScale(ChartAxis::Right, view.right.min, view.right.max);

    if (!request) {
        // Both lists hold every date: one model, filled in one call.
        m_dates->setStringList(view.dates);
        ShowWholePeriod(cboStdate, cboEddate, view.dates);
    }

    DrawCompositionChart(mcrBunseki2, view.metabolism); // DrawFilteredMetabolismChart
    DrawCompositionChart(mcrBunseki3, view.muscle);     // DrawFilteredMuscleChart
    DrawCompositionChart(mcrBunseki4, view.bone);       // DrawFilteredBoneChart
}

void FilterPanel::cmdPriData_Click()
{
    // The chart on screen is pictured (a composition chart lies in front of
    // the weight chart); the list is the one on show, as its cells read.
    const bool composition = msgBunseki2->isVisibleTo(this);
    ChartView *shown = mcrBunseki;
    for (ChartView *chart : {mcrBunseki2, mcrBunseki3, mcrBunseki4})
        if (chart->isVisibleTo(this))
            shown = chart;
    Printout printout;
    printout.picture = shown->picture();
    printout.pictureMaxWidth = 1e9;
    printout.pictureMaxHeight = FilteredListY - 200;
    printout.header = FilteredHeader(composition);
    printout.body = FilteredLines(GridTexts(composition ? msgBunseki2 : msgBunseki), composition);
    printout.startY = FilteredListY;
    PrintWithConfirmation(this, printout, dir());
}

void FilterPanel::refreshAndShow()
{
    RefreshFilteredView();
    setVisible(true);
}

void FilterPanel::highlight(QPushButton *button, bool on)
{
    // A highlighted button is pale yellow with dark text; Sunday and Saturday
    // keep their red and blue.
    QString style = on ? FixedLightStyle(u"rgb(255, 255, 192)"_s) : QString();
    if (const QVariant weekday = button->property("weekday"); weekday.isValid())
        style += u" color: %1;"_s.arg(WeekdayColour(weekday.toInt(), on).name());
    button->setStyleSheet(style);
}

void FilterPanel::ResetPeriodButtons()
{
    for (QPushButton *button : std::as_const(m_periodButtons))
        highlight(button, false);
}

void FilterPanel::setPeriod(const QDate &start, const QDate &end)
{
    cboStdate->setEditText(StoredDateText(start));
    cboEddate->setEditText(StoredDateText(end));
}

void FilterPanel::cmdAllact_Click()
{
    host().HideAllPanels();
    txtKey->clear();
    refreshAndShow();
    highlight(cmdAllact, true);
}

void FilterPanel::lstAct2_Click()
{
    const QModelIndex current = lstAct2->currentIndex();
    if (!current.isValid())
        return;
    txtKey->setText(current.data().toString());
    host().HideAllPanels();
    highlight(cmdAllact, false);
    refreshAndShow();
}

void FilterPanel::txtKey_GotFocus()
{
    txtKey->clear();
}

void FilterPanel::txtKey_KeyPress()
{
    host().HideAllPanels();
    highlight(cmdAllact, false);
    refreshAndShow();
}

void FilterPanel::cmdKensaku_Click()
{
    FillFilteredView(true, false);
}

void FilterPanel::cmdWeek_Click(int index)
{
    highlight(cmdAllWeek, false);
    for (QPushButton *button : std::as_const(cmdWeek))
        highlight(button, false);
    weekdayFilter = index;
    host().HideAllPanels();
    refreshAndShow();
    highlight(cmdWeek[index], true);
}

void FilterPanel::cmdAllWeek_Click()
{
    host().HideAllPanels();
    for (QPushButton *button : std::as_const(cmdWeek))
        highlight(button, false);
    weekdayFilter = AllWeekdays;
    refreshAndShow();
    highlight(cmdAllWeek, true);
}

void FilterPanel::cmdKikan_Click(QPushButton *button, int offsetDays)
{
    host().HideAllPanels();
    ResetPeriodButtons();
    const QDate today = Clock::today();
    setPeriod(today.addDays(-offsetDays), today);
    refreshAndShow();
    highlight(button, true);
}

void FilterPanel::cmdAllDay_Click()
{
    host().HideAllPanels();
    ResetPeriodButtons();
    cboStdate->setEditText(state().dayList.startDate);
    cboEddate->setEditText(StoredDateText(Clock::today()));
    refreshAndShow();
    highlight(cmdAllDay, true);
}

void FilterPanel::cmdKikanF_Click()
{
    host().HideAllPanels();
    ResetPeriodButtons();
    refreshAndShow();
    highlight(cmdKikanF, true);
}

void FilterPanel::showComposition(ChartView *chart, const QString &caption1, const QString &caption2)
{
    msgBunseki2->setVisible(true);
    for (ChartView *c : {mcrBunseki2, mcrBunseki3, mcrBunseki4})
        c->setVisible(c == chart);
    ShowQuantityCaption(lblG21, caption1);
    ShowQuantityCaption(lblG22, caption2);
}

void FilterPanel::cmdTai1_Click()
{
    msgBunseki2->setVisible(false);
    for (ChartView *c : {mcrBunseki2, mcrBunseki3, mcrBunseki4})
        c->setVisible(false);
    ShowQuantityCaption(lblG21, {});
    ShowQuantityCaption(lblG22, {});
}

void FilterPanel::optTai2_Click()
{
    ShowWeightChartPart(mcrBunseki, WeightChartPart::Weight);
}

void FilterPanel::optShi2_Click()
{
    ShowWeightChartPart(mcrBunseki, WeightChartPart::BodyFat);
}

void FilterPanel::optKon2_Click()
{
    ShowWeightChartPart(mcrBunseki, WeightChartPart::Both);
}

} // namespace zz
