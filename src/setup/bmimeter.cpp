#include "setup/bmimeter.h"

#include "base/numbers.h"
#include "ui/bmibar.h"
#include "ui/colours.h"
#include "ui/gridview.h"
#include "ui/named.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zz {

BmiMeter::BmiMeter(PanelHost &host, QWidget *parent)
    : QGroupBox(QStringLiteral("　ＢＭＩメーター (Body Mass Index)　と　肥満度　"), parent), m_host(host)
{
    setObjectName(QStringLiteral("fraBmiMeter"));
    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(6);

    auto value = [](const QString &name) {
        auto *label = Named(new QLabel, name);
        label->setMinimumWidth(56);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setStyleSheet(FixedLightStyle(QStringLiteral("white")));
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
    // The simulator is moved with the arrow keys too.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setAccessibleName(QStringLiteral("ＢＭＩシミュレーター"));
    HScroll1->setAccessibleDescription(QStringLiteral("動かすとそのＢＭＩになる体重と肥満度を計算します"));
    HScroll1->setRange(170, 320);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(10);
    HScroll1->setValue(170);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    auto *bar =
        BmiColourBar(QStringLiteral("Shape2"), Shape2, Image2, QStringLiteral("Image2"), MeterTwipsPerPoint);
    HScroll1->setFixedWidth(bar->width());
    auto *scale = new QWidget;
    scale->setFixedSize(bar->width(), 16);
    for (int bmi = 17; bmi <= 32; ++bmi) {
        auto *tick = new QLabel(QString::number(bmi), scale);
        tick->setStyleSheet(QStringLiteral("font-size: 9px; color: %1;").arg(QuietTextColour().name()));
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
}

void BmiMeter::ShowClassification(const BmiClassification &c)
{
    PlaceBmiPointer(Image2, Shape2[2], c.meterPointerOffsetTwips);
    m_meterSetByRefresh = true;
    if (HScroll1->value() != c.scrollValue)
        HScroll1->setValue(c.scrollValue); // runs UpdateBmiMeter, which clears the flag
    else
        m_meterSetByRefresh = false; // no move: the next user move is a simulation
    Label9_25->setText(c.bmiText);
}

void BmiMeter::SetFormulaValues(const QString &weight, const QString &heightMetres)
{
    Label9_28->setText(weight);
    Label9_30->setText(heightMetres);
}

void BmiMeter::ClearWeightLabel()
{
    lblTai->clear();
}

void BmiMeter::HScroll1_Change()
{
    UpdateBmiMeter();
}

void BmiMeter::UpdateBmiMeter()
{
    const WindowState &state = m_host.state();
    if (state.dayList.recordCount == 0 || !(state.personal.heightCm > 0))
        return;
    const bool simulated = !m_meterSetByRefresh;
    const BmiMeterView view =
        ComputeBmiMeter(HScroll1->value(), state.personal.heightCm, simulated, Label9_28->text());
    if (simulated)
        Label9_28->setText(view.weightText);
    PlaceBmiPointer(Image2, Shape2[2], view.pointerOffsetTwips);
    m_meterSetByRefresh = false;
    lblHyouka->setStyleSheet(BackgroundStyle(view.bmiClass.background));
    lblHyouka->setText(view.bmiClass.text);
    Label9_25->setText(view.bmiText);
    lblHyojun[0]->setText(view.standardWeightText);
    lblHyojun[1]->setText(view.standardWeightText);
    lblTai->setText(Label9_28->text());
    lblHiman->setText(view.obesityText);
}

} // namespace zz
