#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace zz {

// Leading-number reading: blanks are skipped, then the longest leading decimal
// number (optional sign, digits, at most one ".", optional exponent) is read up
// to the first character that cannot continue it; 0 when there is none.
// "65.4kg" -> 65.4, "abc" -> 0, "" -> 0.
double LeadingNumber(QStringView text);

// Whole-text conversion: the text must be a number as a whole (optional blanks
// around it, optional sign, digits with at most one ".", optional exponent).
// "0.5" -> 0.5, "65kg" -> nullopt, "" -> nullopt.
std::optional<double> WholeNumber(QStringView text);
// The same, converted straight to single precision (no detour through double,
// so "65.4" gives the float nearest to 65.4); nullopt also outside float range.
std::optional<float> WholeNumberAsFloat(QStringView text);

// Rounds to a 16-bit integer with halves to the even neighbour (1350.5 -> 1350,
// 1351.5 -> 1352); nullopt outside -32768 .. 32767.
std::optional<qint16> RoundToInt16(double value);

// Number to text: shortest decimal form, "." as decimal point, no exponent for
// ordinary values, no trailing zeros, no decimal point for whole values.
// A float is shown with at most 7 significant digits (65.4f -> "65.4"),
// a double rounded to 15 significant digits first (65.4 + 0.1 -> "65.5").
QString NumberText(float value);
QString NumberText(double value);
QString NumberText(int value);
// NumberText(float) appended to a line being built, without a QString between.
void AppendNumberText(QByteArray &out, float value);

// Display formats. Values are rounded half away from zero as the user reads
// the number (the float's 7-digit or the double's 15-digit decimal form), and a
// value that rounds to zero never shows a minus sign.
QString FormatKg(float value);          // "0.0Kg"   65.4 -> "65.4Kg"
QString FormatKg3(double value);        // "0.000Kg"
QString FormatOneDecimal(float value);  // "0.0"
QString FormatOneDecimal(double value); // "0.0"
QString FormatPercentSign(float value); // "0.0" then "%": 22.5 -> "22.5%"
QString FormatPercentOf(float fraction);// "0.0%": the fraction times 100, 0.123 -> "12.3%"
QString FormatTwoDigitOneDecimal(float value); // "00.0": 5.25 -> "05.3"
QString FormatGrams(double value);      // "0g": a whole number of grams, then "g"

// Rounds value to `decimals` places half away from zero, taking the value as
// its decimal text of `significantDigits` digits; never returns "-0...".
QString FormatFixed(double value, int decimals, int significantDigits);

// Dates. Stored dates are "yyyy/mm/dd".
QString FormatShortDate(QStringView storedDate);  // "yy/mm/dd" from "yyyy/mm/dd"
QString FormatYearMonth(int year, int month);     // "yyyy年mm月"

} // namespace zz
