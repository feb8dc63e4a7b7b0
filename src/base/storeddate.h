#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

namespace zz {

// Every file keeps its dates as "yyyy/mm/dd": ten characters, zero-padded, so
// that stored dates compare as text in date order. These are the only places
// that read or write that form.

// The date a stored text names; an invalid QDate for any other text (a wrong
// length or separator, a letter, no such day). Read by hand: QDate::fromString
// is slow for lists of thousands of days.
QDate StoredDateOf(QStringView storedDate);
QDate StoredDateOf(QByteArrayView storedDate);
// "yyyy/mm/dd"
QString StoredDateText(const QDate &date);

} // namespace zz
