// The main panel's day list, day charts and BMI: members of the main window.

#include "app/dialogs.h"
#include "app/eventhooks.h"
#include "app/mainwindow.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/numbers.h"
#include "store/smallfiles.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "views/history/bmi.h"
#include "views/history/daycharts.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zz {

namespace {

QString StyleFor(const Rgb &rgb, const QString &extra = {})
{
    return QStringLiteral("background-color: rgb(%1, %2, %3); %4")
        .arg(rgb.r)
        .arg(rgb.g)
        .arg(rgb.b)
        .arg(extra);
}

QLabel *Named(QLabel *label, const QString &name)
{
    label->setObjectName(name);
    return label;
}

QLabel *FacePicture(const QString &name, const QString &resource)
{
    auto *label = Named(new QLabel, name);
    label->setPixmap(QIcon(resource).pixmap(72, 72));
    label->setFixedSize(76, 76);
    label->setAlignment(Qt::AlignCenter);
    label->setVisible(false);
    return label;
}

// The BMI classes' colour bar from 17 to 32 with the borders 20, 24, 26.4 and 30,
// `twipsPerPoint` twips per BMI point, starting 240 twips from the left so the
// pointer (480 twips wide, its tip in the middle) fits at 17.
QWidget *ColourBar(const QString &shapeName, QList<QLabel *> &parts, QLabel *&pointer,
                   const QString &pointerName, double twipsPerPoint)
{
    static const float borders[] = {17.0f, 20.0f, 24.0f, 26.4f, 30.0f, 32.0f};
    static const Rgb colours[] = {Colors::PaleCyan, Colors::PaleGreen, Colors::PaleYellow,
                                  Colors::PaleMagenta, Colors::PaleRed};
    auto *bar = new QWidget;
    const int pointerWidth = TwipsToPixels(480);
    const int pointerHeight = 14;
    const int barHeight = 14;
    auto x = [&](float bmi) { return TwipsToPixels(240 + (bmi - 17.0) * twipsPerPoint); };
    for (int i = 0; i < 5; ++i) {
        auto *part = Named(new QLabel(bar), QStringLiteral("%1(%2)").arg(shapeName).arg(i));
        part->setGeometry(x(borders[i]), pointerHeight, x(borders[i + 1]) - x(borders[i]), barHeight);
        part->setStyleSheet(StyleFor(colours[i], QStringLiteral("border: 1px solid #808080;")));
        parts.append(part);
    }
    pointer = Named(new QLabel(bar), pointerName);
    pointer->setPixmap(QIcon(QStringLiteral(":/pointer.svg")).pixmap(pointerWidth, pointerHeight));
    pointer->setGeometry(x(24.0f) - pointerWidth / 2, 0, pointerWidth, pointerHeight);
    bar->setFixedSize(x(32.0f) + pointerWidth / 2 + 2, pointerHeight + barHeight + 2);
    return bar;
}

QLabel *Caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setStyleSheet(QStringLiteral("color: #404040;"));
    return label;
}

QLabel *ValueLabel(const QString &name, int minWidth)
{
    auto *label = Named(new QLabel, name);
    label->setMinimumWidth(minWidth);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(QStringLiteral("background: white; padding: 2px 4px;"));
    return label;
}

} // namespace

QWidget *MainWindow::buildMainPanel()
{
    auto *panel = new QFrame;
    panel->setObjectName(QStringLiteral("fraMain"));
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildEntryArea());
    layout->addWidget(buildDayArea(), 1);
    return panel;
}

QWidget *MainWindow::buildDayArea()
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
    top->addLayout(summary);
    top->addSpacing(6);

    auto *bmiBox = new QVBoxLayout;
    bmiBox->setSpacing(2);
    lblMHyouka = Named(new QLabel, QStringLiteral("lblMHyouka"));
    lblMHyouka->setAlignment(Qt::AlignCenter);
    lblMHyouka->setMinimumWidth(150);
    lblMHyouka->setFrameShape(QFrame::StyledPanel);
    bmiBox->addWidget(lblMHyouka);
    bmiBox->addWidget(ColourBar(QStringLiteral("Shape1"), Shape1, Image1, QStringLiteral("Image1"),
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
    msgDayList2->raise();
    msgDayList2->setVisible(false);
    layout->addLayout(grids, 5);

    // Chart captions and series options.
    auto *chartBar = new QHBoxLayout;
    lblG1 = Named(new QLabel, QStringLiteral("lblG1"));
    lblG1->setStyleSheet(QStringLiteral("color: rgb(0, 0, 192); font-weight: bold;"));
    lblG2 = Named(new QLabel, QStringLiteral("lblG2"));
    lblG2->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    chartBar->addWidget(lblG1);
    chartBar->addSpacing(20);
    chartBar->addWidget(lblG2);
    chartBar->addStretch();
    optTai = new QRadioButton(QStringLiteral("体重"));
    optTai->setObjectName(QStringLiteral("optTai"));
    optTai->setStyleSheet(QStringLiteral("color: blue;"));
    optShi = new QRadioButton(QStringLiteral("体脂肪率"));
    optShi->setObjectName(QStringLiteral("optShi"));
    optShi->setStyleSheet(QStringLiteral("color: red;"));
    optKon = new QRadioButton(QStringLiteral("混合"));
    optKon->setObjectName(QStringLiteral("optKon"));
    optKon->setStyleSheet(QStringLiteral("color: green;"));
    for (QRadioButton *option : {optTai, optShi, optKon})
        chartBar->addWidget(option);
    connect(optTai, &QRadioButton::clicked, this, [this] { optTai_Click(); });
    connect(optShi, &QRadioButton::clicked, this, [this] { optShi_Click(); });
    connect(optKon, &QRadioButton::clicked, this, [this] { optKon_Click(); });
    layout->addLayout(chartBar);

    // Four charts at one place; each later one lies in front of the one before.
    auto *charts = new QGridLayout;
    auto makeChart = [&](const QString &name, const QList<ChartView::SeriesSpec> &series) {
        auto *chart = new ChartView;
        chart->setObjectName(name);
        chart->setSeries(series);
        charts->addWidget(chart, 0, 0);
        chart->raise();
        return chart;
    };
    const QColor blue(0, 0, 255), red(255, 0, 0), green(0, 160, 0), orange(230, 120, 0);
    mcrMain = makeChart(QStringLiteral("mcrMain"),
                        {{QStringLiteral("体重"), blue, ChartAxis::Left},
                         {QStringLiteral("体脂肪率"), red, ChartAxis::Right}});
    mcrMain2 = makeChart(QStringLiteral("mcrMain2"),
                         {{QStringLiteral("基礎代謝"), orange, ChartAxis::Left},
                          {QStringLiteral("内臓脂肪"), green, ChartAxis::Right}});
    mcrMain3 = makeChart(QStringLiteral("mcrMain3"),
                         {{QStringLiteral("筋肉量"), blue, ChartAxis::Left},
                          {QStringLiteral("筋肉スコア"), green, ChartAxis::Right}});
    mcrMain4 = makeChart(QStringLiteral("mcrMain4"), {{QStringLiteral("骨量"), orange, ChartAxis::Left}});
    // The right-hand axes of the composition charts keep one fixed scale.
    mcrMain2->setAxisScale(ChartAxis::Right, 0, 30, 6);
    mcrMain3->setAxisScale(ChartAxis::Right, 0, 150, 5);
    mcrMain2->setVisible(false);
    mcrMain3->setVisible(false);
    mcrMain4->setVisible(false);
    connect(mcrMain, &ChartView::doubleClicked, this, [this] { mcrMain_DblClick(); });
    layout->addLayout(charts, 6);
    return area;
}

QWidget *MainWindow::buildBmiMeter()
{
    auto *frame = new QGroupBox(QStringLiteral("　ＢＭＩメーター (Body Mass Index)　と　肥満度　"));
    frame->setObjectName(QStringLiteral("fraBmiMeter"));
    auto *layout = new QGridLayout(frame);
    layout->setHorizontalSpacing(6);

    auto value = [](const QString &name) {
        auto *label = Named(new QLabel, name);
        label->setMinimumWidth(56);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setStyleSheet(QStringLiteral("background: white;"));
        return label;
    };
    Label9_25 = value(QStringLiteral("Label9(25)"));
    Label9_28 = value(QStringLiteral("Label9(28)"));
    Label9_30 = value(QStringLiteral("Label9(30)"));
    lblTai = value(QStringLiteral("lblTai"));
    lblHiman = value(QStringLiteral("lblHiman"));
    lblHyojun = {value(QStringLiteral("lblHyojun(0)")), value(QStringLiteral("lblHyojun(1)"))};
    lblHyouka = Named(new QLabel, QStringLiteral("lblHyouka"));
    lblHyouka->setAlignment(Qt::AlignCenter);
    lblHyouka->setMinimumWidth(160);
    lblHyouka->setFrameShape(QFrame::StyledPanel);

    // BMI = weight / height squared
    auto *bmiFormula = new QHBoxLayout;
    bmiFormula->addWidget(new QLabel(QStringLiteral("BMI(体格指数)")));
    bmiFormula->addWidget(Label9_25);
    bmiFormula->addWidget(new QLabel(QStringLiteral("＝")));
    auto *fraction = new QVBoxLayout;
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("体重（Ｋｇ）")));
    top->addWidget(Label9_28);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("身長（ｍ）")));
    bottom->addWidget(Label9_30);
    bottom->addWidget(new QLabel(QStringLiteral("²")));
    fraction->addLayout(top);
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    fraction->addWidget(line);
    fraction->addLayout(bottom);
    bmiFormula->addLayout(fraction);
    bmiFormula->addSpacing(16);
    bmiFormula->addWidget(new QLabel(QStringLiteral("肥満指数判定")));
    bmiFormula->addWidget(lblHyouka);
    bmiFormula->addStretch();
    layout->addLayout(bmiFormula, 0, 0);

    // The simulator: scroll bar over the colour bar, with a 17..32 scale.
    HScroll1 = new QScrollBar(Qt::Horizontal);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(170, 320);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(10);
    HScroll1->setValue(170);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    auto *bar = ColourBar(QStringLiteral("Shape2"), Shape2, Image2, QStringLiteral("Image2"),
                          MeterTwipsPerPoint);
    HScroll1->setFixedWidth(bar->width());
    auto *scale = new QWidget;
    scale->setFixedSize(bar->width(), 16);
    for (int bmi = 17; bmi <= 32; ++bmi) {
        auto *tick = new QLabel(QString::number(bmi), scale);
        tick->setStyleSheet(QStringLiteral("font-size: 9px; color: #404040;"));
        const int x = TwipsToPixels(240 + (bmi - 17) * MeterTwipsPerPoint);
        tick->setGeometry(x - 10, 0, 20, 16);
        tick->setAlignment(Qt::AlignCenter);
    }
    auto *meter = new QVBoxLayout;
    meter->setSpacing(2);
    meter->addWidget(bar);
    meter->addWidget(scale);
    meter->addWidget(HScroll1);
    layout->addLayout(meter, 1, 0);

    // Obesity degree = (weight - standard weight) / standard weight x 100
    auto *obesity = new QHBoxLayout;
    obesity->addWidget(new QLabel(QStringLiteral("肥満度（％）")));
    obesity->addWidget(lblHiman);
    obesity->addWidget(new QLabel(QStringLiteral("＝")));
    auto *obFraction = new QVBoxLayout;
    auto *obTop = new QHBoxLayout;
    obTop->addWidget(new QLabel(QStringLiteral("体重（Ｋｇ）           －標準体重（Ｋｇ）")));
    obTop->addWidget(lblTai);
    obTop->addWidget(lblHyojun[0]);
    auto *obBottom = new QHBoxLayout;
    obBottom->addWidget(new QLabel(QStringLiteral("標準体重（Ｋｇ）")));
    obBottom->addWidget(lblHyojun[1]);
    obFraction->addLayout(obTop);
    auto *line2 = new QFrame;
    line2->setFrameShape(QFrame::HLine);
    obFraction->addWidget(line2);
    obFraction->addLayout(obBottom);
    obesity->addLayout(obFraction);
    obesity->addWidget(new QLabel(QStringLiteral("×１００")));
    obesity->addSpacing(16);
    obesity->addWidget(new QLabel(QStringLiteral("適正　２２")));
    obesity->addStretch();
    layout->addLayout(obesity, 2, 0);
    return frame;
}

void MainWindow::SetupDayListColumns()
{
    const auto setup = [](GridView *grid, const QStringList &headers, const QList<int> &widths,
                          bool centredMarks) {
        GridModel *model = grid->gridModel();
        grid->setFontPointSize(11);
        model->setGridColumnCount(headers.size());
        model->setGridRowCount(1);
        model->setHeaders(headers);
        model->setHeaderAlignment(Qt::AlignCenter);
        for (int c = 0; c < headers.size(); ++c) {
            grid->setColumnWidthTwips(c, widths[c]);
            model->setColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        model->setColumnAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
        if (centredMarks) {
            model->setColumnAlignment(4, Qt::AlignCenter);
            model->setColumnAlignment(6, Qt::AlignCenter);
        }
    };
    setup(msgDayList, DayListHeaders(), DayListWidths(), true);
    setup(msgDayList2, CompositionListHeaders(), CompositionListWidths(), false);
}

void MainWindow::RefreshDayList()
{
    SetupDayListColumns();
    mcrMain->setRowCount(1);
    mcrMain2->setRowCount(1);

    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(m_dir, records);
    if (!status || records.isEmpty()) {
        reportReadFailure(status ? StoreStatus::failure(FileNames::Measurements,
                                                        QStringLiteral("測定データが1件もありません"))
                                 : status);
        return;
    }
    const QString selected = mtvmain->selectedDate().toString(QStringLiteral("yyyy/MM/dd"));
    applyDayList(ComputeDayList(records, selected, m_state.personal.heightCm));
}

void MainWindow::applyDayList(const DayListResult &result)
{
    msgDayList->gridModel()->setRows(result.weightRows);
    msgDayList2->gridModel()->setRows(result.compositionRows);
    for (GridView *grid : {msgDayList, msgDayList2}) {
        const int rows = grid->gridModel()->gridRowCount();
        if (rows > 11)
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
    const DayChartScales scales = DayChartAxes(result.dayMaxWeight, result.dayMinWeight,
                                               result.dayMaxFat, result.dayMinFat);
    mcrMain->setAxisScale(ChartAxis::Left, scales.left.min, scales.left.max, scales.left.divisions);
    mcrMain->setAxisScale(ChartAxis::Right, scales.right.min, scales.right.max, scales.right.divisions);

    m_state.referenceMeasurement = result.referenceMeasurement;
    m_state.lastRecord = result.lastRecord;
    m_state.lastRecordDate = result.lastRecordDate;
    m_state.recordCount = result.recordCount;
    m_state.startDate = result.startDate;
    m_state.standardWeight = result.standardWeight;

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

    buildCompositionCharts(result.compositionRows);

    m_state.currentStatus.clear();
    for (QLineEdit *box : std::as_const(m_boxes))
        box->clear();
}

void MainWindow::buildCompositionCharts(const QList<TableRow> &rows)
{
    const auto fill = [](ChartView *chart, const CompositionChart &data, bool twoSeries) {
        chart->setRowCount(data.rowCount);
        chart->setSeriesValues(1, data.series1);
        if (twoSeries)
            chart->setSeriesValues(2, data.series2);
        chart->setAxisScale(ChartAxis::Left, data.left.min, data.left.max, data.left.divisions);
    };
    fill(mcrMain2, BuildMetabolismChart(rows), true);
    fill(mcrMain3, BuildMuscleChart(rows), true);
    fill(mcrMain4, BuildBoneChart(rows), false);
}

void MainWindow::mtvmain_DateClick()
{
    RefreshDayList();
    lstAct->setFocus();
}

void MainWindow::headingLabelClick(const QString &label)
{
    // Each label sets only what its row names; the stacking order of the charts
    // does the rest.
    if (label == u"lblTaijyu" || label == u"lblShibou") {
        msgDayList2->setVisible(false);
        mcrMain2->setVisible(false);
        mcrMain3->setVisible(false);
        mcrMain4->setVisible(false);
        lblG1->clear();
        lblG2->clear();
    } else if (label == u"lblTaisya" || label == u"lblNaizo") {
        msgDayList2->setVisible(true);
        mcrMain2->setVisible(true);
        mcrMain3->setVisible(false);
        mcrMain4->setVisible(false);
        lblG1->setText(QStringLiteral("基礎代謝"));
        lblG2->setText(QStringLiteral("内臓脂肪"));
    } else if (label == u"lblKinr" || label == u"lblKins") {
        msgDayList2->setVisible(true);
        mcrMain3->setVisible(true);
        mcrMain4->setVisible(false);
        lblG1->setText(QStringLiteral("筋肉量"));
        lblG2->setText(QStringLiteral("筋肉スコア"));
    } else { // Label1, any member
        msgDayList2->setVisible(true);
        mcrMain4->setVisible(true);
        lblG1->setText(QStringLiteral("骨量"));
        lblG2->clear();
    }
}

void MainWindow::optTai_Click()
{
    mcrMain->setSeriesHidden(1, false);
    mcrMain->setAxisHidden(ChartAxis::Left, false);
    mcrMain->setSeriesHidden(2, true);
    mcrMain->setAxisHidden(ChartAxis::Right, true);
}

void MainWindow::optShi_Click()
{
    mcrMain->setSeriesHidden(1, true);
    mcrMain->setAxisHidden(ChartAxis::Left, true);
    mcrMain->setSeriesHidden(2, false);
    mcrMain->setAxisHidden(ChartAxis::Right, false);
}

void MainWindow::optKon_Click()
{
    mcrMain->setSeriesHidden(1, false);
    mcrMain->setAxisHidden(ChartAxis::Left, false);
    mcrMain->setSeriesHidden(2, false);
    mcrMain->setAxisHidden(ChartAxis::Right, false);
}

void MainWindow::ApplyMarkerStyle()
{
    const MarkerStyle style = m_state.markerMode == 1   ? MarkerStyle::Circle
                              : m_state.markerMode == 2 ? MarkerStyle::Ball
                                                        : MarkerStyle::None;
    for (ChartView *chart : {mcrMain, mcrMain2, mcrMain3})
        for (int series : {1, 2})
            chart->setMarkerStyle(series, style);
    mcrMain4->setMarkerStyle(1, style);
}

void MainWindow::mcrMain_DblClick()
{
    m_state.markerMode = NextMarkerMode(m_state.markerMode);
    ApplyMarkerStyle();
    const StoreStatus status = WriteMarkerSetting(m_dir, m_state.markerMode);
    if (!status)
        reportStoreFailure(status);
}

void MainWindow::placePointer(QWidget *pointer, QWidget *middlePart, double offsetTwips)
{
    pointer->move(middlePart->x() + TwipsToPixels(offsetTwips), pointer->y());
}

void MainWindow::ClassifyBmi()
{
    if (m_state.recordCount == 0)
        return;
    const BmiClassification c =
        zz::ClassifyBmi(m_state.referenceMeasurement.weight, m_state.personal.heightCm);
    placePointer(Image1, Shape1[2], c.mainPointerOffsetTwips);
    placePointer(Image2, Shape2[2], c.meterPointerOffsetTwips);

    m_state.meterSetByRefresh = true;
    if (HScroll1->value() != c.scrollValue)
        HScroll1->setValue(c.scrollValue); // runs UpdateBmiMeter, which clears the flag
    else
        m_state.meterSetByRefresh = false; // no move: the next user move is a simulation

    lblMHyouka->setStyleSheet(StyleFor(c.bmiClass.background));
    lblMHyouka->setText(c.bmiClass.text);
    Label9_25->setText(c.bmiText);
}

void MainWindow::HScroll1_Change()
{
    UpdateBmiMeter();
}

void MainWindow::UpdateBmiMeter()
{
    if (m_state.recordCount == 0)
        return;
    const bool simulated = !m_state.meterSetByRefresh;
    const BmiMeterView view = ComputeBmiMeter(HScroll1->value(), m_state.personal.heightCm, simulated,
                                              Label9_28->text());
    if (simulated)
        Label9_28->setText(view.weightText);
    placePointer(Image2, Shape2[2], view.pointerOffsetTwips);
    m_state.meterSetByRefresh = false;
    lblHyouka->setStyleSheet(StyleFor(view.bmiClass.background));
    lblHyouka->setText(view.bmiClass.text);
    Label9_25->setText(view.bmiText);
    lblHyojun[0]->setText(view.standardWeightText);
    lblHyojun[1]->setText(view.standardWeightText);
    lblTai->setText(Label9_28->text());
    lblHiman->setText(view.obesityText);
}

} // namespace zz
