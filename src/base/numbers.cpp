#include "base/numbers.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>

namespace zz {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

template <typename Char>
bool isDigit(Char c)
{
    return c >= Char(u'0') && c <= Char(u'9');
}

template <typename Text>
qsizetype numberLength(Text text)
{
    using Char = std::remove_cvref_t<decltype(text[0])>;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == Char(u'+') || text[i] == Char(u'-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == Char(u'.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == Char(u'e') || text[i] == Char(u'E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == Char(u'+') || text[j] == Char(u'-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > expStart)
            i = j;
    }
    return i;
}

// from_chars on a number text, which it must take whole; it takes no leading '+'.
template <typename T>
std::errc convert(QStringView number, T &value)
{
    const QByteArray latin = number.toLatin1();
    const char *begin = latin.constData();
    const char *end = begin + latin.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc() && result.ptr != end)
        return std::errc::invalid_argument;
    return result.ec;
}

// Converts a text already known to be a well-formed number.
double toDouble(QStringView number)
{
    double value = 0;
    if (convert(number, value) == std::errc::result_out_of_range) {
        // Too large: the sign decides; too small: zero.
        const bool negative = number.startsWith(u'-');
        if (number.contains(u"e-", Qt::CaseInsensitive))
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

// `text` without the blanks around it when what remains is a number as a
// whole; empty otherwise.
QStringView wholeNumberText(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    const qsizetype length = numberLength(text);
    return length > 0 && length == text.size() ? text : QStringView();
}

// A value as decimal digits: value = 0.d1 d2 d3 ... × 10^pointPosition, that is
// the first `pointPosition` digits stand before the decimal point (negative:
// zeros follow the point first). Fixed buffers: number texts are made for
// every cell of every list, so they must not allocate on the way.
struct Decimal
{
    bool negative = false;
    char digits[24] = {}; // no leading zero unless the value is zero
    int size = 0;
    int pointPosition = 0;

    char at(int i) const { return i >= 0 && i < size ? digits[i] : '0'; }
    bool isZero() const
    {
        for (int i = 0; i < size; ++i)
            if (digits[i] != '0')
                return false;
        return true;
    }
    void setZero()
    {
        digits[0] = '0';
        size = 1;
        pointPosition = 1;
    }
};

// A short text built in place.
struct TextBuffer
{
    char data[400]; // a double's 309 integer digits, decimals and a suffix
    int size = 0;
    void append(char c) { data[size++] = c; }
    void append(const char *from, int count)
    {
        for (int i = 0; i < count; ++i)
            data[size++] = from[i];
    }
    void appendZeros(int count)
    {
        for (int i = 0; i < count; ++i)
            data[size++] = '0';
    }
    QString toString() const { return QString::fromLatin1(data, size); }
};

Decimal toDecimal(double value, int significantDigits)
{
    Decimal d;
    d.negative = std::signbit(value);
    char buffer[64];
    // "d.dddde+XX", correctly rounded like printf's %e, without printf's cost.
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                       std::chars_format::scientific, significantDigits - 1);
    *written.ptr = '\0';
    const char *p = buffer;
    d.digits[d.size++] = *p++;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9' && d.size < int(sizeof d.digits) - 1)
            d.digits[d.size++] = *p++;
    }
    int exponent = 0;
    if (*p == 'e' || *p == 'E')
        exponent = std::atoi(p + 1);
    d.pointPosition = exponent + 1;
    if (d.isZero()) {
        d.setZero();
        d.negative = false;
    }
    return d;
}

// Rounds half away from zero to `decimals` places after the point.
void roundDecimal(Decimal &d, int decimals)
{
    const int keep = d.pointPosition + decimals;
    if (keep >= d.size)
        return;
    if (keep < 0) {
        d.setZero();
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.size = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            for (int j = d.size; j > 0; --j)
                d.digits[j] = d.digits[j - 1];
            d.digits[0] = '1';
            ++d.size;
            ++d.pointPosition;
        }
    }
    if (d.size == 0)
        d.setZero();
}

// Fixed notation with exactly `decimals` places and at least
// `minIntegerDigits` digits before the point.
QString fixedText(Decimal d, int decimals, int minIntegerDigits = 1, QLatin1StringView suffix = {})
{
    roundDecimal(d, decimals);
    TextBuffer text;
    if (d.negative && !d.isZero())
        text.append('-');
    // Digits before the point, without leading zeros but at least the minimum.
    int first = 0;
    while (first < d.pointPosition - 1 && d.at(first) == '0')
        ++first;
    const int integerDigits = std::max(d.pointPosition - first, 0);
    text.appendZeros(std::max(minIntegerDigits - std::max(integerDigits, 1), 0));
    if (integerDigits == 0)
        text.append('0');
    for (int i = first; i < d.pointPosition; ++i)
        text.append(d.at(i));
    if (decimals > 0) {
        text.append('.');
        for (int i = 0; i < decimals; ++i)
            text.append(d.at(d.pointPosition + i));
    }
    text.append(suffix.data(), int(suffix.size()));
    return text.toString();
}

// Shortest form of a value rounded to `significantDigits`: trailing zeros
// dropped, no point for whole values, exponent only for very large or very
// small values ("1.5E+07", "1E-06").
void shortestText(double value, int significantDigits, TextBuffer &text)
{
    if (!std::isfinite(value)) {
        const char *word = std::isnan(value) ? "NaN" : value > 0 ? "Inf" : "-Inf";
        text.append(word, int(std::strlen(word)));
        return;
    }
    Decimal d = toDecimal(value, significantDigits);
    while (d.size > 1 && d.digits[d.size - 1] == '0')
        --d.size;
    if (d.isZero()) {
        text.append('0');
        return;
    }
    if (d.negative)
        text.append('-');
    const int exponent = d.pointPosition - 1;
    if (exponent >= significantDigits || exponent < -5) {
        text.append(d.digits[0]);
        if (d.size > 1) {
            text.append('.');
            text.append(d.digits + 1, d.size - 1);
        }
        char buffer[16];
        const int length =
            std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text.append(buffer, length);
        return;
    }
    if (d.pointPosition <= 0) {
        text.append("0.", 2);
        text.appendZeros(-d.pointPosition);
        text.append(d.digits, d.size);
    } else if (d.pointPosition >= d.size) {
        text.append(d.digits, d.size);
        text.appendZeros(d.pointPosition - d.size);
    } else {
        text.append(d.digits, d.pointPosition);
        text.append('.');
        text.append(d.digits + d.pointPosition, d.size - d.pointPosition);
    }
}

QString shortestText(double value, int significantDigits)
{
    TextBuffer text;
    shortestText(value, significantDigits, text);
    return text.toString();
}

} // namespace

qsizetype NumberLength(QStringView text)
{
    return numberLength(text);
}

qsizetype NumberLength(QByteArrayView text)
{
    return numberLength(text);
}

double LeadingNumber(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const QStringView rest = text.mid(start);
    const qsizetype length = numberLength(rest);
    if (length == 0)
        return 0;
    return toDouble(rest.left(length));
}

std::optional<double> NumberWithUnit(QStringView text)
{
    text = text.trimmed();
    const qsizetype length = numberLength(text);
    if (length == 0)
        return std::nullopt;
    // The unit may not hold a digit (of any width) or a decimal separator:
    // "48,5" and "65.4.2" say more than their first number.
    for (const QChar c : text.mid(length))
        if (c.isDigit() || c == u'.' || c == u',' || c == u'．' || c == u'，')
            return std::nullopt;
    return toDouble(text.left(length));
}

std::optional<double> WholeNumber(QStringView text)
{
    const QStringView number = wholeNumberText(text);
    if (number.isEmpty())
        return std::nullopt;
    return toDouble(number);
}

std::optional<float> WholeNumberAsFloat(QStringView text)
{
    const QStringView number = wholeNumberText(text);
    float value = 0;
    if (number.isEmpty() || convert(number, value) != std::errc())
        return std::nullopt;
    return value;
}

std::optional<qint16> RoundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString NumberText(float value)
{
    return shortestText(double(value), FloatDigits);
}

QString NumberText(double value)
{
    return shortestText(value, DoubleDigits);
}

void AppendNumberText(QByteArray &out, float value)
{
    TextBuffer text;
    shortestText(double(value), FloatDigits, text);
    out.append(text.data, text.size);
}

QString NumberText(int value)
{
    return QString::number(value);
}

QString FormatFixed(double value, int decimals, int significantDigits, int minIntegerDigits, int pointShift,
                    QLatin1StringView suffix)
{
    if (!std::isfinite(value))
        return shortestText(value, significantDigits) + suffix;
    Decimal d = toDecimal(value, significantDigits);
    if (!d.isZero())
        d.pointPosition += pointShift;
    return fixedText(d, decimals, minIntegerDigits, suffix);
}

} // namespace zz
