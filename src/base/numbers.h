#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace zz {

// The length of the longest decimal number at the start of `text` (optional
// sign, digits with at most one ".", an exponent only when it has digits); 0
// when the text does not start with a number. The one number grammar: every
// reader below and the measurement file's fields use it.
qsizetype NumberLength(QStringView text);
qsizetype NumberLength(QByteArrayView text);

// Leading-number reading: blanks are skipped, then the longest leading decimal
// number (optional sign, digits, at most one ".", optional exponent) is read up
// to the first character that cannot continue it; 0 when there is none.
// "65.4kg" -> 65.4, "abc" -> 0, "" -> 0.
double LeadingNumber(QStringView text);

// A box's number as the user may type it: a number, optionally followed by a
// unit ("65.4kg", "95点"), blanks around it allowed. Nothing that did not say
// its number: full-width digits, a decimal comma ("48,5"), "NaN", letters
// alone, a second number after the first. nullopt for those and for "".
std::optional<double> NumberWithUnit(QStringView text);

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

// Fixed notation with `decimals` places, rounded half away from zero on the
// value's decimal text of `significantDigits` digits (the number as the user
// reads it), at least `minIntegerDigits` digits before the point, the point
// moved `pointShift` places to the right first (2: a fraction as percent);
// never "-0..."; then `suffix` ("Kg"). The display formats are built on it.
QString FormatFixed(double value, int decimals, int significantDigits, int minIntegerDigits = 1,
                    int pointShift = 0, QLatin1StringView suffix = {});

// Significant digits of the two number types' texts.
inline constexpr int FloatDigits = 7;
inline constexpr int DoubleDigits = 15;

} // namespace zz
