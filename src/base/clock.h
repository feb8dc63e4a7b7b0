#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace zz {

// The one place the program reads the clock. Tests fix it.
namespace Clock {
QDateTime now();
QDate today();
QTime timeOfDay();
// Fixes now() (and today() and timeOfDay()) until reset with an invalid value.
void setFixed(const QDateTime &fixed);

// The time of day in the Japanese system form H:mm:ss ("8:05:09", "17:42:10").
QString FormatTimeOfDay(const QTime &time);
} // namespace Clock

} // namespace zz
