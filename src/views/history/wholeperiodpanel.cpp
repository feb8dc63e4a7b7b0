#include "views/history/wholeperiodpanel.h"
#include "base/numbers.h"
#include "shell/dialogs.h"
#include "views/common/trend.h"

#include <QCheckBox>
#include <QSettings>

#include "entry/entrylogic.h"
#include "shell/eventhooks.h"
#include "store/measurementfile.h"
#include "store/settingsfiles.h"
#include "ui/chartstack.h"
#include "ui/chartview.h"
#include "ui/colours.h"
#include "ui/named.h"
#include "views/common/wholeperiod.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

const QString TrendLineSetting = QStringLiteral("wholePeriod/trendLine");

// The weight, its moving average and the body fat; the trend line follows them.
QList<ChartView::SeriesSpec> WholePeriodSeries()
{
    return {{QStringLiteral("体重"), QuantityColour(Quantity::Weight), ChartAxis::Left},
            {QStringLiteral("平均"), QuantityColour(Quantity::Average), ChartAxis::Left},
            {QStringLiteral("体脂肪"), QuantityColour(Quantity::BodyFat), ChartAxis::Right}};
}

} // namespace

WholePeriodPanel::WholePeriodPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraRenTai"), host, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *bar = new QHBoxLayout;
    optTai1 = Named(new QRadioButton(QStringLiteral("体重")), QStringLiteral("optTai1"));
    optTai1->setStyleSheet(QuantityTextStyle(Quantity::Weight));
    optShi1 = Named(new QRadioButton(QStringLiteral("体脂肪率")), QStringLiteral("optShi1"));
    optShi1->setStyleSheet(QuantityTextStyle(Quantity::BodyFat));
    optKon1 = Named(new QRadioButton(QStringLiteral("混合")), QStringLiteral("optKon1"));
    optKon1->setStyleSheet(QuantityTextStyle(Quantity::Mixed));
    connect(optTai1, &QRadioButton::clicked, this, [this] { optTai1_Click(); });
    connect(optShi1, &QRadioButton::clicked, this, [this] { optShi1_Click(); });
    connect(optKon1, &QRadioButton::clicked, this, [this] { optKon1_Click(); });
    for (QRadioButton *option : {optTai1, optShi1, optKon1})
        bar->addWidget(option);
    bar->addSpacing(16);

    bar->addWidget(new QLabel(QStringLiteral("移動平均")));
    cboIdou = Named(new QComboBox, QStringLiteral("cboIdou"));
    cboIdou->setEditable(true);
    cboIdou->setInsertPolicy(QComboBox::NoInsert);
    cboIdou->setMinimumWidth(70);
    connect(cboIdou, &QComboBox::activated, this, [this] { cboIdou_Click(); });
    OnEnter(cboIdou, [this] { cboIdou_Click(); });
    bar->addWidget(cboIdou);
    bar->addWidget(new QLabel(QStringLiteral("回")));
    bar->addSpacing(16);

    cmdMokuChk = Named(new QPushButton(QStringLiteral("目標まで残り　")), QStringLiteral("cmdMokuChk"));
    cmdMokuChk->setToolTip(QStringLiteral("グラフの下限を目標体重に切り替えます"));
    cmdMokuChk->setMinimumWidth(190);
    connect(cmdMokuChk, &QPushButton::clicked, this, [this] { cmdMokuChk_Click(); });
    bar->addWidget(cmdMokuChk);
    bar->addSpacing(16);
    // The trend line is a preference of the user's, off on first use.
    chkTrend = Named(new QCheckBox(QStringLiteral("傾向線")), QStringLiteral("chkTrend"));
    chkTrend->setToolTip(QStringLiteral("一晩の水分などに左右されない体重の流れを重ねて表示します"));
    chkTrend->setChecked(QSettings().value(TrendLineSetting, false).toBool());
    connect(chkTrend, &QCheckBox::toggled, this, [this] { chkTrend_Click(); });
    bar->addWidget(chkTrend);
    bar->addStretch();

    const struct
    {
        const char16_t *name, *caption, *toolTip;
        void (WholePeriodPanel::*handler)();
    } chartButtons[] = {
        {u"cmdTai", u"体", u"体重グラフ", &WholePeriodPanel::cmdTai_Click},
        {u"cmdTaisya", u"代", u"基礎代謝・内臓脂肪グラフ", &WholePeriodPanel::cmdTaisya_Click},
        {u"cmdKinr", u"筋", u"筋肉量・筋肉スコアグラフ", &WholePeriodPanel::cmdKinr_Click},
        {u"cmdKotur", u"骨", u"骨量グラフ", &WholePeriodPanel::cmdKotur_Click},
    };
    for (const auto &b : chartButtons) {
        auto *button = Named(new QPushButton(QString::fromUtf16(b.caption)), QString::fromUtf16(b.name));
        button->setToolTip(QString::fromUtf16(b.toolTip));
        button->setFixedSize(34, 30);
        connect(button, &QPushButton::clicked, this, b.handler);
        bar->addWidget(button);
    }
    layout->addLayout(bar);

    auto *captions = new QHBoxLayout;
    lblG11 = Named(new QLabel, QStringLiteral("lblG11"));
    lblG12 = Named(new QLabel, QStringLiteral("lblG12"));
    captions->addWidget(lblG11);
    captions->addSpacing(20);
    captions->addWidget(lblG12);
    captions->addStretch();
    layout->addLayout(captions);

    // Four charts at one place; each later one lies in front of the one before.
    auto *charts = new QGridLayout;
    const ChartStack stack = AddChartStack(charts, QStringLiteral("mcrRentai"), WholePeriodSeries());
    mcrRentai = stack.weight;
    setTrendSeries(chkTrend->isChecked());
    mcrRentai2 = stack.metabolism;
    mcrRentai3 = stack.muscle;
    mcrRentai4 = stack.bone;
    HideWholeBodyCharts();
    layout->addLayout(charts, 1);

    lblNichis = Named(new QLabel, QStringLiteral("lblNichis"));
    lblKiro = Named(new QLabel, QStringLiteral("lblKiro"));
    for (QLabel *label : {lblNichis, lblKiro}) {
        label->setFrameShape(QFrame::StyledPanel);
        label->setStyleSheet(FixedLightStyle(QStringLiteral("white"), QStringLiteral("padding: 3px 6px;")));
        layout->addWidget(label);
    }
}

void WholePeriodPanel::PreparePanel()
{
    LoadWholeHistory();
    drawWholePeriodChart();
    optTai1->setChecked(true);
    optTai1_Click();
    lblG11->clear();
    lblG12->clear();
    // The captions are emptied, so the weight chart is the one in front.
    HideWholeBodyCharts();
}

void WholePeriodPanel::LoadWholeHistory()
{
    if (const StoreStatus status = ReadWholeHistory(dir(), m_history); !status) {
        host().ReportReadFailure(status);
        return;
    }
    if (isVisible())
        drawWholePeriodChart();
}

void WholePeriodPanel::drawWholePeriodChart()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0) {
        mcrRentai->setRowCount(1);
        return;
    }
    const WholePeriodView view = ComputeWholePeriod(history, MovingAverageWidthOf(cboIdou->currentText()),
                                                    state().personal.targetWeight);
    mcrRentai->setRowCount(int(history.recordCount()));
    mcrRentai->setSeriesValues(1, view.weights);
    mcrRentai->setSeriesValues(2, view.averages);
    mcrRentai->setSeriesValues(3, view.bodyFats);
    if (chkTrend->isChecked())
        mcrRentai->setSeriesValues(
            4, TrendChartValues(ComputeTrend(history.dates, history.weights), history.recordCount()));
    m_weightAxisMax = view.left.max;
    mcrRentai->setAxisScale(ChartAxis::Left, view.left.min, view.left.max);
    mcrRentai->setAxisScale(ChartAxis::Right, view.right.min, view.right.max);
    lblNichis->setText(view.lblNichis);
    lblKiro->setText(view.lblKiro);
    cmdMokuChk->setText(view.targetCaption);
}

void WholePeriodPanel::setTrendSeries(bool shown)
{
    QList<ChartView::SeriesSpec> series = WholePeriodSeries();
    if (shown)
        series.append({QStringLiteral("傾向"), QuantityColour(Quantity::Trend), ChartAxis::Left});
    mcrRentai->setSeries(series);
}

QList<int> WholePeriodPanel::weightSeries() const
{
    // The weight, its moving average and, when shown, its trend.
    return chkTrend->isChecked() ? QList<int>{1, 2, 4} : QList<int>{1, 2};
}

void WholePeriodPanel::chkTrend_Click()
{
    QSettings().setValue(TrendLineSetting, chkTrend->isChecked());
    setTrendSeries(chkTrend->isChecked());
    drawWholePeriodChart();
    // The weight / fat choice applies to the new series too.
    if (optShi1->isChecked())
        optShi1_Click();
    else if (optKon1->isChecked())
        optKon1_Click();
    else
        optTai1_Click();
}

void WholePeriodPanel::RedrawWholePeriodChart()
{
    // The weight and average lines again from the loaded history.
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    QList<std::optional<double>> weights;
    weights.reserve(history.recordCount());
    for (float weight : history.weights)
        weights.append(AxisValueAsRead(weight));
    mcrRentai->setRowCount(int(history.recordCount()));
    mcrRentai->setSeriesValues(1, weights);
    mcrRentai->setSeriesValues(
        2, MovingAverageSeries(history.weights, MovingAverageWidthOf(cboIdou->currentText())));
}

void WholePeriodPanel::cmdMokuChk_Click()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    m_targetFloorOn = !m_targetFloorOn;
    mcrRentai->setAxisScale(
        ChartAxis::Left,
        WeightAxisFloor(history.lowestWeight, state().personal.targetWeight, m_targetFloorOn),
        m_weightAxisMax);
    cmdMokuChk->setStyleSheet(m_targetFloorOn ? FixedLightStyle(QStringLiteral("rgb(255, 224, 192)"))
                                              : QString());
}

void WholePeriodPanel::HideWholeBodyCharts()
{
    mcrRentai2->setVisible(false);
    mcrRentai3->setVisible(false);
    mcrRentai4->setVisible(false);
}

CompositionSeries WholePeriodPanel::readComposition()
{
    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir(), records);
    host().ReportReadFailure(status);
    return status ? CompositionSeriesOf(records, CompositionSeries::Rounding::AsStored) : CompositionSeries();
}

void WholePeriodPanel::buildWholeBodyChart(ChartView *chart, const CompositionChart &values)
{
    DrawCompositionChart(chart, values);
    HideWholeBodyCharts();
    chart->setVisible(true);
}

void WholePeriodPanel::cmdTai_Click()
{
    HideWholeBodyCharts();
    ShowQuantityCaption(lblG11, {});
    ShowQuantityCaption(lblG12, {});
}

void WholePeriodPanel::cmdTaisya_Click()
{
    buildWholeBodyChart(mcrRentai2, BuildMetabolismChart(readComposition()));
    ShowQuantityCaption(lblG11, QStringLiteral("基礎代謝"));
    ShowQuantityCaption(lblG12, QStringLiteral("内臓脂肪"));
}

void WholePeriodPanel::cmdKinr_Click()
{
    buildWholeBodyChart(mcrRentai3, BuildMuscleChart(readComposition()));
    ShowQuantityCaption(lblG11, QStringLiteral("筋肉量"));
    ShowQuantityCaption(lblG12, QStringLiteral("筋肉スコア"));
}

void WholePeriodPanel::cmdKotur_Click()
{
    buildWholeBodyChart(mcrRentai4, BuildBoneChart(readComposition()));
    ShowQuantityCaption(lblG11, QStringLiteral("骨量"));
    ShowQuantityCaption(lblG12, {});
}

void WholePeriodPanel::optTai1_Click()
{
    // The weight and its moving average go together.
    ShowWeightChartPart(mcrRentai, WeightChartPart::Weight, weightSeries(), {3});
}

void WholePeriodPanel::optShi1_Click()
{
    ShowWeightChartPart(mcrRentai, WeightChartPart::BodyFat, weightSeries(), {3});
}

void WholePeriodPanel::optKon1_Click()
{
    ShowWeightChartPart(mcrRentai, WeightChartPart::Both, weightSeries(), {3});
}

void WholePeriodPanel::LoadMovingAverageWidth()
{
    cboIdou->clear();
    for (int i = 1; i <= 30; ++i)
        cboIdou->addItem(QString::number(i));
    QString width;
    host().ReportReadFailure(ReadMovingAverageWidth(dir(), width));
    cboIdou->setEditText(width);
}

void WholePeriodPanel::cboIdou_Click()
{
    const QString text = cboIdou->currentText();
    if (text.isEmpty())
        return;
    if (!NumberWithUnit(text)) {
        Dialogs::Exclamation(this, u"数値以外入力"_s, NotANumberText(u"移動平均の回数"_s));
        cboIdou->setEditText(QString());
        return;
    }
    if (!MovingAverageWidthAccepted(text) || UnstorableStatusMessage(text)) {
        cboIdou->setEditText(QString());
        return;
    }
    RedrawWholePeriodChart();
    const StoreStatus status = WriteMovingAverageWidth(dir(), text);
    if (!status)
        host().ReportStoreFailure(status);
}

} // namespace zz
