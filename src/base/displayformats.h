#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

namespace zz {

// How numbers and dates are shown in every list, label and printout.
// Display formats. Values are rounded half away from zero as the user reads
// the number (the float's 7-digit or the double's 15-digit decimal form), and a
// value that rounds to zero never shows a minus sign.
QString FormatKg(float value);                 // "0.0Kg"   65.4 -> "65.4Kg"
QString FormatKg3(double value);               // "0.000Kg"
QString FormatOneDecimal(float value);         // "0.0"
QString FormatOneDecimal(double value);        // "0.0"
QString FormatPercentSign(float value);        // "0.0" then "%": 22.5 -> "22.5%"
QString FormatPercentOf(float fraction);       // "0.0%": the fraction times 100, 0.123 -> "12.3%"
QString FormatTwoDigitOneDecimal(float value); // "00.0": 5.25 -> "05.3"
QString FormatGrams(double value);
// The number a "0.0Kg" cell shows: 38.25 -> 38.3.
double KgAsListed(float value); // "0g": a whole number of grams, then "g"

// Dates. Stored dates are "yyyy/mm/dd".
QString FormatShortDate(QStringView storedDate); // "yy/mm/dd" from "yyyy/mm/dd"
QString FormatYearMonth(int year, int month);    // "yyyy年mm月"

} // namespace zz
