#include "base/displayformats.h"

#include "base/numbers.h"

#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

QString FormatKg(float value)
{
    return FormatFixed(value, 1, FloatDigits, 1, 0, "Kg"_L1);
}

QString FormatKg3(double value)
{
    return FormatFixed(value, 3, DoubleDigits, 1, 0, "Kg"_L1);
}

QString FormatOneDecimal(float value)
{
    return FormatFixed(value, 1, FloatDigits);
}

QString FormatOneDecimal(double value)
{
    return FormatFixed(value, 1, DoubleDigits);
}

QString FormatPercentSign(float value)
{
    return FormatFixed(value, 1, FloatDigits, 1, 0, "%"_L1);
}

QString FormatPercentOf(float fraction)
{
    // The fraction's own decimal text, moved two places: 0.1235 -> 12.35 -> 12.4.
    return FormatFixed(fraction, 1, FloatDigits, 1, 2, "%"_L1);
}

QString FormatTwoDigitOneDecimal(float value)
{
    return FormatFixed(value, 1, FloatDigits, 2);
}

QString FormatGrams(double value)
{
    return FormatFixed(value, 0, DoubleDigits, 1, 0, "g"_L1);
}

QString FormatShortDate(QStringView storedDate)
{
    return storedDate.mid(2).toString();
}

double KgAsListed(float value)
{
    // Read back from the shown text, so the chart and the list cannot differ.
    return LeadingNumber(FormatKg(value));
}

QString FormatYearMonth(int year, int month)
{
    return QStringLiteral("%1年%2月").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

} // namespace zz
