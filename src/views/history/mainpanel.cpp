#include "views/history/mainpanel.h"
#include "base/storeddate.h"
#include "views/common/trend.h"

#include "entry/entryarea.h"
#include "shell/measurementmenu.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/smallfiles.h"
#include "ui/bmibar.h"
#include "ui/chartstack.h"
#include "ui/chartview.h"
#include "ui/colours.h"
#include "ui/gridview.h"
#include "ui/named.h"
#include "views/common/chartscales.h"
#include "views/common/facedescriptions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QXYSeries>

namespace zz {

// The day lists show 11 grid rows; a longer day shows its last measurement.
constexpr int DayListRowsShown = 11;

namespace {

QLabel *FacePicture(const QString &name, const QString &resource)
{
    auto *label = Named(new QLabel, name);
    label->setPixmap(QIcon(resource).pixmap(72, 72));
    label->setFixedSize(76, 76);
    label->setAlignment(Qt::AlignCenter);
    label->setVisible(false);
    return label;
}

QLabel *Caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(QuietTextColour().name()));
    return label;
}

QLabel *ValueLabel(const QString &name, int minWidth)
{
    auto *label = Named(new QLabel, name);
    label->setMinimumWidth(minWidth);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(FixedLightStyle(QStringLiteral("white"), QStringLiteral("padding: 2px 4px;")));
    return label;
}

} // namespace

MainPanel::MainPanel(PanelHost &host, QWidget *parent) : Panel(QStringLiteral("fraMain"), host, parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_entry = new EntryArea(host);
    connect(m_entry, &EntryArea::headingClicked, this, &MainPanel::headingLabelClick);
    layout->addWidget(m_entry);
    layout->addWidget(buildDayArea(), 1);
}

QWidget *MainPanel::buildDayArea()
{
    auto *area = new QWidget;
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    // Face mark, summary and BMI class.
    auto *top = new QHBoxLayout;
    auto *faces = new QGridLayout;
    imgNashi = FacePicture(QStringLiteral("imgNashi"), QStringLiteral(":/face_nashi.svg"));
    imgwara = FacePicture(QStringLiteral("imgwara"), QStringLiteral(":/face_wara.svg"));
    imgniko = FacePicture(QStringLiteral("imgniko"), QStringLiteral(":/face_niko.svg"));
    imgkana = FacePicture(QStringLiteral("imgkana"), QStringLiteral(":/face_kana.svg"));
    DescribeFaces(imgwara, imgniko, imgkana);
    imgNashi->setAccessibleName(QStringLiteral("フェイスマークなし"));
    imgNashi->setAccessibleDescription(QStringLiteral("この日の測定はまだありません"));
    for (QLabel *face : {imgNashi, imgwara, imgniko, imgkana})
        faces->addWidget(face, 0, 0);
    imgNashi->setVisible(true);
    top->addLayout(faces);

    auto *summary = new QGridLayout;
    summary->setHorizontalSpacing(6);
    summary->setVerticalSpacing(3);
    lblDspNissuu = ValueLabel(QStringLiteral("lblDspNissuu"), 165);
    lblDspTai = ValueLabel(QStringLiteral("lblDspTai"), 165);
    lblDspBmi = ValueLabel(QStringLiteral("lblDspBmi"), 125);
    lblDspHiman = ValueLabel(QStringLiteral("lblDspHiman"), 125);
    summary->addWidget(Caption(QStringLiteral("日数")), 0, 0);
    summary->addWidget(lblDspNissuu, 0, 1);
    summary->addWidget(Caption(QStringLiteral("体重")), 1, 0);
    summary->addWidget(lblDspTai, 1, 1);
    summary->addWidget(Caption(QStringLiteral("ＢＭＩ値")), 0, 2);
    summary->addWidget(lblDspBmi, 0, 3);
    summary->addWidget(Caption(QStringLiteral("肥満度")), 1, 2);
    summary->addWidget(lblDspHiman, 1, 3);
    // Where the diet is heading, under the summary.
    lblTrend = Named(new QLabel, QStringLiteral("lblTrend"));
    lblForecast = Named(new QLabel, QStringLiteral("lblForecast"));
    lblTrend->setToolTip(
        QStringLiteral("一晩の水分などに左右されない体重の流れと、最近4週間の1週間あたりの変化"));
    lblForecast->setToolTip(QStringLiteral("今の傾向が続いたときに目標体重に届く日"));
    summary->addWidget(lblTrend, 2, 0, 1, 2);
    summary->addWidget(lblForecast, 2, 2, 1, 2);
    top->addLayout(summary);
    top->addSpacing(6);

    auto *bmiBox = new QVBoxLayout;
    bmiBox->setSpacing(2);
    lblMHyouka = Named(new QLabel, QStringLiteral("lblMHyouka"));
    lblMHyouka->setAlignment(Qt::AlignCenter);
    lblMHyouka->setMinimumWidth(150);
    lblMHyouka->setFrameShape(QFrame::StyledPanel);
    bmiBox->addWidget(lblMHyouka);
    bmiBox->addWidget(BmiColourBar(QStringLiteral("Shape1"), Shape1, Image1, QStringLiteral("Image1"),
                                   MainPanelTwipsPerPoint));
    top->addLayout(bmiBox);
    top->addStretch();
    layout->addLayout(top);

    // The two day grids, the body-composition one lying over the weight one.
    auto *grids = new QGridLayout;
    msgDayList = new GridView;
    msgDayList->setObjectName(QStringLiteral("msgDayList"));
    msgDayList2 = new GridView;
    msgDayList2->setObjectName(QStringLiteral("msgDayList2"));
    grids->addWidget(msgDayList, 0, 0);
    grids->addWidget(msgDayList2, 0, 0);
    for (GridView *grid : {msgDayList, msgDayList2})
        AttachMeasurementActions(grid, this->host(), [this](int row) {
            return row <= m_rowRecords.size() ? ListedMeasurement{m_rowRecords.at(row - 1), m_rowDate}
                                              : ListedMeasurement{};
        });
    msgDayList2->raise();
    msgDayList2->setVisible(false);
    layout->addLayout(grids, 5);

    // Chart captions and series options.
    auto *chartBar = new QHBoxLayout;
    lblG1 = Named(new QLabel, QStringLiteral("lblG1"));
    lblG2 = Named(new QLabel, QStringLiteral("lblG2"));
    chartBar->addWidget(lblG1);
    chartBar->addSpacing(20);
    chartBar->addWidget(lblG2);
    chartBar->addStretch();
    optTai = new QRadioButton(QStringLiteral("体重"));
    optTai->setObjectName(QStringLiteral("optTai"));
    optTai->setStyleSheet(QuantityTextStyle(Quantity::Weight));
    optShi = new QRadioButton(QStringLiteral("体脂肪率"));
    optShi->setObjectName(QStringLiteral("optShi"));
    optShi->setStyleSheet(QuantityTextStyle(Quantity::BodyFat));
    optKon = new QRadioButton(QStringLiteral("混合"));
    optKon->setObjectName(QStringLiteral("optKon"));
    optKon->setStyleSheet(QuantityTextStyle(Quantity::Mixed));
    for (QRadioButton *option : {optTai, optShi, optKon})
        chartBar->addWidget(option);
    connect(optTai, &QRadioButton::clicked, this, [this] { optTai_Click(); });
    connect(optShi, &QRadioButton::clicked, this, [this] { optShi_Click(); });
    connect(optKon, &QRadioButton::clicked, this, [this] { optKon_Click(); });
    layout->addLayout(chartBar);

    // Four charts at one place; each later one lies in front of the one before.
    auto *charts = new QGridLayout;
    const ChartStack stack =
        AddChartStack(charts, QStringLiteral("mcrMain"),
                      {{QStringLiteral("体重"), QuantityColour(Quantity::Weight), ChartAxis::Left},
                       {QStringLiteral("体脂肪率"), QuantityColour(Quantity::BodyFat), ChartAxis::Right}});
    mcrMain = stack.weight;
    mcrMain2 = stack.metabolism;
    mcrMain3 = stack.muscle;
    mcrMain4 = stack.bone;
    connect(mcrMain, &ChartView::doubleClicked, this, [this] { mcrMain_DblClick(); });
    layout->addLayout(charts, 6);
    return area;
}

void MainPanel::SetupDayListColumns()
{
    const auto setup = [](GridView *grid, const QStringList &headers, const QList<int> &widths,
                          bool centredMarks) {
        grid->resetColumns(headers, widths, 11);
        GridModel *model = grid->gridModel();
        model->setColumnAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
        if (centredMarks) {
            model->setColumnAlignment(4, Qt::AlignCenter);
            model->setColumnAlignment(6, Qt::AlignCenter);
        }
    };
    setup(msgDayList, DayListHeaders(), DayListWidths(), true);
    setup(msgDayList2, CompositionListHeaders(), CompositionListWidths(), false);
}

void MainPanel::RefreshDayList()
{
    SetupDayListColumns();
    mcrMain->setRowCount(1);
    mcrMain2->setRowCount(1);

    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir(), records);
    if (!status || records.isEmpty()) {
        host().ReportReadFailure(status ? StoreStatus::failure(FileNames::Measurements,
                                                               QStringLiteral("測定データが1件もありません"))
                                        : status);
        return;
    }
    const QString selected = StoredDateText(m_entry->selectedDate());
    applyDayList(ComputeDayList(records, selected, state().personal.heightCm));
    showTrend(records);
    m_entry->MarkMeasuredDays(MeasuredDays(records));
}

void MainPanel::applyDayList(const DayListResult &result)
{
    m_rowRecords = result.recordIndices;
    m_rowDate = result.recordIndices.isEmpty() ? QString() : StoredDateText(m_entry->selectedDate());
    msgDayList->gridModel()->setRows(result.weightRows);
    msgDayList2->gridModel()->setRows(result.compositionRows);
    for (GridView *grid : {msgDayList, msgDayList2}) {
        const int rows = grid->gridModel()->gridRowCount();
        if (rows > DayListRowsShown)
            grid->setTopRow(rows - 1);
    }

    // The day chart: one row per measurement of the day.
    const int n = result.dayWeights.size();
    mcrMain->setRowCount(std::max(1, n));
    QList<std::optional<double>> weights, fats;
    for (int i = 0; i < n; ++i) {
        weights.append(result.dayWeights[i]);
        fats.append(result.dayFats[i]);
    }
    mcrMain->setSeriesValues(1, weights);
    mcrMain->setSeriesValues(2, fats);
    const DayChartScales scales =
        DayChartAxes(result.dayMaxWeight, result.dayMinWeight, result.dayMaxFat, result.dayMinFat);
    mcrMain->setAxisScale(ChartAxis::Left, scales.left.min, scales.left.max, scales.left.divisions);
    mcrMain->setAxisScale(ChartAxis::Right, scales.right.min, scales.right.max, scales.right.divisions);

    host().setDayListValues(
        {result.referenceMeasurement, result.lastRecord, result.recordCount, result.startDate});

    ClassifyBmi();

    lblDspNissuu->setText(result.lblDspNissuu);
    lblDspTai->setText(result.lblDspTai);
    lblDspBmi->setText(result.lblDspBmi);
    lblDspHiman->setText(result.lblDspHiman);

    for (QLabel *face : {imgwara, imgniko, imgkana, imgNashi})
        face->setVisible(false);
    switch (result.face) {
    case FaceMark::Wara: imgwara->setVisible(true); break;
    case FaceMark::Niko: imgniko->setVisible(true); break;
    case FaceMark::Kana: imgkana->setVisible(true); break;
    case FaceMark::Nashi: imgNashi->setVisible(true); break;
    }

    buildCompositionCharts(result.composition);

    host().setCurrentStatus(QString());
    m_entry->ClearBoxes();
}

void MainPanel::showTrend(const QList<MeasurementRecord> &records)
{
    const Trend trend = ComputeTrend(records);
    lblTrend->setText(TrendText(trend));
    lblForecast->setText(ForecastText(trend, state().personal.targetWeight, records.constFirst().weight));
}

void MainPanel::buildCompositionCharts(const CompositionSeries &values)
{
    DrawCompositionCharts({mcrMain, mcrMain2, mcrMain3, mcrMain4}, values);
}

void MainPanel::headingLabelClick(const QString &label)
{
    // Each label sets only what its row names; the stacking order of the charts
    // does the rest.
    if (label == u"lblTaijyu" || label == u"lblShibou") {
        msgDayList2->setVisible(false);
        mcrMain2->setVisible(false);
        mcrMain3->setVisible(false);
        mcrMain4->setVisible(false);
        ShowQuantityCaption(lblG1, {});
        ShowQuantityCaption(lblG2, {});
    } else if (label == u"lblTaisya" || label == u"lblNaizo") {
        msgDayList2->setVisible(true);
        mcrMain2->setVisible(true);
        mcrMain3->setVisible(false);
        mcrMain4->setVisible(false);
        ShowQuantityCaption(lblG1, QStringLiteral("基礎代謝"));
        ShowQuantityCaption(lblG2, QStringLiteral("内臓脂肪"));
    } else if (label == u"lblKinr" || label == u"lblKins") {
        msgDayList2->setVisible(true);
        mcrMain3->setVisible(true);
        mcrMain4->setVisible(false);
        ShowQuantityCaption(lblG1, QStringLiteral("筋肉量"));
        ShowQuantityCaption(lblG2, QStringLiteral("筋肉スコア"));
    } else { // Label1, any member
        msgDayList2->setVisible(true);
        mcrMain4->setVisible(true);
        ShowQuantityCaption(lblG1, QStringLiteral("骨量"));
        ShowQuantityCaption(lblG2, {});
    }
}

void MainPanel::optTai_Click()
{
    ShowWeightChartPart(mcrMain, WeightChartPart::Weight);
}

void MainPanel::optShi_Click()
{
    ShowWeightChartPart(mcrMain, WeightChartPart::BodyFat);
}

void MainPanel::optKon_Click()
{
    ShowWeightChartPart(mcrMain, WeightChartPart::Both);
}

void MainPanel::ApplyMarkerStyle()
{
    const MarkerStyle style = state().markerMode == MarkerMode::Circle ? MarkerStyle::Circle
                              : state().markerMode == MarkerMode::Ball ? MarkerStyle::Ball
                                                                       : MarkerStyle::None;
    for (ChartView *chart : {mcrMain, mcrMain2, mcrMain3})
        for (int series : {1, 2})
            chart->setMarkerStyle(series, style);
    mcrMain4->setMarkerStyle(1, style);
}

void MainPanel::mcrMain_DblClick()
{
    host().setMarkerMode(NextMarkerMode(state().markerMode));
    ApplyMarkerStyle();
    const StoreStatus status = WriteMarkerSetting(dir(), StoredMarkerMode(state().markerMode));
    if (!status)
        host().ReportStoreFailure(status);
}

void MainPanel::ClassifyBmi()
{
    // Without a height there is no BMI: class and pointers stay as they are.
    if (state().dayList.recordCount == 0 || !(state().personal.heightCm > 0))
        return;
    const BmiClassification c =
        zz::ClassifyBmi(state().dayList.referenceMeasurement.weight, state().personal.heightCm);
    PlaceBmiPointer(Image1, Shape1[2], c.mainPointerOffsetTwips);
    lblMHyouka->setStyleSheet(BackgroundStyle(c.bmiClass.background));
    lblMHyouka->setText(c.bmiClass.text);
    emit bmiClassified(c);
}

void MainPanel::ClearChartCaptions()
{
    lblG1->clear();
    lblG2->clear();
}

void MainPanel::SelectMixedChart()
{
    optKon->setChecked(true);
    optKon_Click();
}

void MainPanel::RedrawMainChart()
{
    mcrMain->update();
}

} // namespace zz
