#include "base/clock.h"

namespace zz::Clock {

namespace {
QDateTime &fixedNow()
{
    static QDateTime value;
    return value;
}
} // namespace

QDateTime now()
{
    return fixedNow().isValid() ? fixedNow() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

QTime timeOfDay()
{
    return now().time();
}

void setFixed(const QDateTime &fixed)
{
    fixedNow() = fixed;
}

QString FormatTimeOfDay(const QTime &time)
{
    return time.toString(QStringLiteral("H:mm:ss"));
}

} // namespace zz::Clock
