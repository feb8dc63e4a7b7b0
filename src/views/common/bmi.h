#pragma once

#include "base/tablerow.h"

#include <QString>

namespace zz {

struct BmiClass
{
    QString text;
    Rgb background;
};

// The six classes, compared in order on the unrounded single-precision BMI:
// < 17 やせ過ぎ, < 20 やせ気味, <= 24 スタンダード, <= 26.4 でぶメゾフォルテ,
// < 30 でぶフォルテ, else でぶフォルテシモ.
BmiClass ClassifyBmiValue(float bmi);

float BmiOf(float weight, float heightCm);
float StandardWeightOf(float heightCm); // (height m)^2 x 22

// The gauge: the BMI limited to 17 .. 32.
float GaugeBmi(float bmi);
// Twips per BMI point of the two colour bars (main panel, meter).
inline constexpr double MainPanelTwipsPerPoint = 160;
inline constexpr double MeterTwipsPerPoint = 500;

// Pointer offsets, in twips, from the left edge of the middle part of the bar:
// -((24 - gauge) x twipsPerPoint + 240). Main panel 160 per point, meter 500.
double PointerOffsetTwips(float gaugeBmi, double twipsPerPoint);
// The meter's scroll value for a gauge BMI: x 10, rounded halves to even.
int ScrollValueFor(float gaugeBmi);

// What the classification of the current weight sets on the main panel and
// hands to the meter.
struct BmiClassification
{
    float bmi = 0;                      // unlimited, decides the class
    float gaugeBmi = 0;                 // limited to 17 .. 32, places the pointers
    BmiClass bmiClass;                  // lblMHyouka
    QString bmiText;                    // Label9(25) after the refresh, "0.0"
    double mainPointerOffsetTwips = 0;  // Image1 from Shape1(2)
    double meterPointerOffsetTwips = 0; // Image2 from Shape2(2)
    int scrollValue = 170;              // HScroll1
};
BmiClassification ClassifyBmi(float weight, float heightCm);

// What the BMI meter shows for a scroll value.
struct BmiMeterView
{
    QString bmiText;               // Label9(25), "0.0"
    QString weightText;            // Label9(28) and lblTai: the simulated weight in "0.0",
                                   // or weightLabelText unchanged when not simulated
    BmiClass bmiClass;             // lblHyouka
    QString standardWeightText;    // lblHyojun(0), lblHyojun(1), "00.0"
    QString obesityText;           // lblHiman, "0.0"
    double pointerOffsetTwips = 0; // Image2 from Shape2(2)
};
// `simulated`: the user moved the scroll bar (not the refresh). `weightLabelText`
// is the text Label9(28) shows when not simulated; lblTai copies it and the
// obesity degree is computed from the shown, rounded texts.
BmiMeterView ComputeBmiMeter(int scrollValue, float heightCm, bool simulated, const QString &weightLabelText);

} // namespace zz
