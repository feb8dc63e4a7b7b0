#include "views/common/bmi.h"

#include "base/displayformats.h"
#include "base/numbers.h"

#include <algorithm>
#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

namespace {
constexpr float GaugeLow = 17.0f;
constexpr float GaugeHigh = 32.0f;

// The square of the height in metres, in single precision like every BMI value.
float HeightSquared(float heightCm)
{
    const float metres = heightCm / 100.0f;
    return metres * metres;
}
} // namespace

BmiClass ClassifyBmiValue(float bmi)
{
    // 26.4 is compared as the single-precision value it becomes, so a BMI
    // computed as that very float is still mezzo forte.
    if (bmi < 17.0f)
        return {u"やせ過ぎ"_s, Colors::PaleBlue};
    if (bmi < 20.0f)
        return {u"やせ気味"_s, Colors::PaleCyan};
    if (bmi <= 24.0f)
        return {u"スタンダード"_s, Colors::PaleGreen};
    if (bmi <= 26.4f)
        return {u"でぶメゾフォルテ"_s, Colors::PaleYellow};
    if (bmi < 30.0f)
        return {u"でぶフォルテ"_s, Colors::PaleMagenta};
    return {u"でぶフォルテシモ"_s, Colors::PaleRed};
}

float BmiOf(float weight, float heightCm)
{
    return weight / HeightSquared(heightCm);
}

float StandardWeightOf(float heightCm)
{
    return HeightSquared(heightCm) * 22.0f;
}

float GaugeBmi(float bmi)
{
    return std::clamp(bmi, GaugeLow, GaugeHigh);
}

double PointerOffsetTwips(float gaugeBmi, double twipsPerPoint)
{
    return -((24.0 - double(gaugeBmi)) * twipsPerPoint + 240.0);
}

int ScrollValueFor(float gaugeBmi)
{
    // The default floating-point rounding mode sends halves to the even neighbour.
    return int(std::nearbyint(gaugeBmi * 10.0f));
}

BmiClassification ClassifyBmi(float weight, float heightCm)
{
    BmiClassification c;
    c.bmi = BmiOf(weight, heightCm);
    c.gaugeBmi = GaugeBmi(c.bmi);
    c.mainPointerOffsetTwips = PointerOffsetTwips(c.gaugeBmi, MainPanelTwipsPerPoint);
    c.meterPointerOffsetTwips = PointerOffsetTwips(c.gaugeBmi, MeterTwipsPerPoint);
    c.scrollValue = ScrollValueFor(c.gaugeBmi);
    c.bmiClass = ClassifyBmiValue(c.bmi);
    c.bmiText = FormatOneDecimal(c.bmi);
    return c;
}

BmiMeterView ComputeBmiMeter(int scrollValue, float heightCm, bool simulated, const QString &weightLabelText)
{
    BmiMeterView v;
    const float b = float(scrollValue) / 10.0f;
    v.weightText = simulated ? FormatOneDecimal(HeightSquared(heightCm) * b) : weightLabelText;
    v.pointerOffsetTwips = PointerOffsetTwips(b, MeterTwipsPerPoint);
    v.bmiClass = ClassifyBmiValue(b);
    v.bmiText = FormatOneDecimal(b);
    v.standardWeightText = FormatTwoDigitOneDecimal(StandardWeightOf(heightCm));

    // The obesity degree is worked out from the texts on show, so it agrees
    // with the rounded weight and standard weight the user reads beside it.
    const double shownWeight = LeadingNumber(v.weightText);
    const double shownStandard = LeadingNumber(v.standardWeightText);
    v.obesityText = FormatOneDecimal((shownWeight - shownStandard) / shownStandard * 100.0);
    return v;
}

} // namespace zz
