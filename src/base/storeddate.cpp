#include "base/storeddate.h"

namespace zz {

namespace {

char16_t unitOf(QChar c)
{
    return c.unicode();
}

char16_t unitOf(char c)
{
    return char16_t(uchar(c));
}

// Works on the code units: the file's bytes or a text's characters.
template <typename Text>
QDate dateOf(Text text)
{
    auto unit = [&](qsizetype i) { return unitOf(text[i]); };
    if (text.size() != 10 || unit(4) != u'/' || unit(7) != u'/')
        return {};
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = unit(i);
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + int(c - u'0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

} // namespace

QDate StoredDateOf(QStringView storedDate)
{
    return dateOf(storedDate);
}

QDate StoredDateOf(QByteArrayView storedDate)
{
    return dateOf(storedDate);
}

QString StoredDateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace zz
