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

QString FormatYearMonth(int year, int month)
{
    return QStringLiteral("%1年%2月")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'));
}

QDate StoredDateOf(QStringView text)
{
    if (text.size() != 10 || text[4] != u'/' || text[7] != u'/')
        return {};
    int fields[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f) {
        for (int i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return {};
            fields[f] = fields[f] * 10 + (c - u'0');
        }
    }
    return QDate(fields[0], fields[1], fields[2]);
}

} // namespace zz
