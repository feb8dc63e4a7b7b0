#include "views/common/trend.h"

#include "base/numbers.h"
#include "base/storeddate.h"
#include "views/common/chartscales.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

constexpr double Smoothing = 0.9;
constexpr int RateWindowDays = 28;
constexpr int RateMinimumDays = 7;
constexpr int RateMinimumSpan = 14;
constexpr double FlatRate = 0.05; // kg per week
constexpr qint64 ForecastLimitDays = 3650;

struct DaySum
{
    QDate day;
    double sum = 0;
    int count = 0;
    qsizetype lastRow = 0;
};

// Least-squares slope of `ys` against `xs`.
double Slope(const QList<double> &xs, const QList<double> &ys)
{
    const qsizetype n = xs.size();
    double mx = 0, my = 0;
    for (qsizetype i = 0; i < n; ++i) {
        mx += xs[i];
        my += ys[i];
    }
    mx /= double(n);
    my /= double(n);
    double sxy = 0, sxx = 0;
    for (qsizetype i = 0; i < n; ++i) {
        sxy += (xs[i] - mx) * (ys[i] - my);
        sxx += (xs[i] - mx) * (xs[i] - mx);
    }
    return sxy / sxx;
}

// The trend of `count` records given by their stored dates and weights.
template <typename DateAt, typename WeightAt>
Trend trendOf(qsizetype count, DateAt dateAt, WeightAt weightAt)
{
    // The days in the order first met. A diary is in date order, so a day
    // is either the last one met or a new one after it; only a day out of
    // order is looked up among the earlier ones.
    QList<DaySum> sums;
    QHash<qint64, qsizetype> indexOfDay; // made at the first day out of order
    bool outOfOrder = false;
    QString lastDate;
    qsizetype lastIndex = -1;
    for (qsizetype row = 0; row < count; ++row) {
        const QString &date = dateAt(row);
        if (lastIndex < 0 || date != lastDate) {
            const QDate day = StoredDateOf(date);
            if (!day.isValid())
                continue;
            if (!outOfOrder && (sums.isEmpty() || sums.constLast().day < day)) {
                sums.append({day, 0, 0, 0});
                lastIndex = sums.size() - 1;
            } else {
                if (!outOfOrder) {
                    outOfOrder = true;
                    for (qsizetype i = 0; i < sums.size(); ++i)
                        indexOfDay.insert(sums[i].day.toJulianDay(), i);
                }
                auto it = indexOfDay.constFind(day.toJulianDay());
                if (it == indexOfDay.cend()) {
                    it = indexOfDay.insert(day.toJulianDay(), sums.size());
                    sums.append({day, 0, 0, 0});
                }
                lastIndex = *it;
            }
            lastDate = date;
        }
        DaySum &s = sums[lastIndex];
        s.sum += double(weightAt(row));
        ++s.count;
        s.lastRow = row + 1;
    }
    if (outOfOrder)
        std::sort(sums.begin(), sums.end(), [](const DaySum &a, const DaySum &b) { return a.day < b.day; });

    Trend t;
    t.days.reserve(sums.size());
    for (const DaySum &s : sums) {
        TrendDay d{s.day, s.sum / s.count, 0, s.lastRow};
        if (t.days.isEmpty()) {
            d.trend = d.value;
        } else {
            const TrendDay &previous = t.days.constLast();
            const double gap = double(previous.day.daysTo(d.day));
            d.trend = previous.trend + (1 - std::pow(Smoothing, gap)) * (d.value - previous.trend);
        }
        t.days.append(d);
    }
    if (t.days.isEmpty())
        return t;

    const QDate last = t.days.constLast().day;
    QList<double> xs, ys;
    for (qsizetype i = t.days.size() - 1; i >= 0; --i) {
        const qint64 before = t.days[i].day.daysTo(last);
        if (before > RateWindowDays - 1)
            break;
        xs.prepend(double(-before));
        ys.prepend(t.days[i].trend);
    }
    if (xs.size() >= RateMinimumDays && xs.constLast() - xs.constFirst() >= RateMinimumSpan)
        t.slopePerDay = Slope(xs, ys);
    return t;
}

} // namespace

Trend ComputeTrend(const QList<MeasurementRecord> &records)
{
    return trendOf(
        records.size(), [&](qsizetype i) -> const QString & { return records[i].date; },
        [&](qsizetype i) { return records[i].weight; });
}

Trend ComputeTrend(const QStringList &dates, const QList<float> &weights)
{
    return trendOf(
        std::min(dates.size(), weights.size()), [&](qsizetype i) -> const QString & { return dates[i]; },
        [&](qsizetype i) { return weights[i]; });
}

QList<std::optional<double>> TrendChartValues(const Trend &trend, qsizetype rows)
{
    QList<std::optional<double>> values(rows);
    for (const TrendDay &day : trend.days) {
        if (day.lastRow < 1 || day.lastRow > rows)
            continue;
        values[day.lastRow - 1] = SevenDigits(day.trend);
    }
    return values;
}

QString TrendText(const Trend &trend)
{
    if (trend.days.isEmpty())
        return QString();
    QString text = u"傾向 "_s + FormatFixed(trend.days.constLast().trend, 1, DoubleDigits, 1, 0, "Kg"_L1);
    if (const std::optional<double> rate = trend.ratePerWeek()) {
        QString shown = FormatFixed(*rate, 2, DoubleDigits);
        if (shown != u"0.00"_s && !shown.startsWith(u'-'))
            shown.prepend(u'+');
        text += u"　"_s + shown + u"Kg/週"_s;
    }
    return text;
}

QString ForecastText(const Trend &trend, double targetWeight, double startWeight)
{
    if (targetWeight == 0)
        return u"目標体重が設定されていません"_s;
    const std::optional<double> rate = trend.ratePerWeek();
    if (!rate || trend.days.isEmpty())
        return u"予想には4週間分ほどの記録が必要です"_s;
    const double t = trend.days.constLast().trend;
    const double w = targetWeight, s = startWeight;
    if ((w < s && t <= w) || (w > s && t >= w) || w == s)
        return u"目標体重に到達しています"_s;
    if (std::fabs(*rate) < FlatRate)
        return u"横ばいのため予想できません"_s;
    const double b = *trend.slopePerDay;
    if ((w - t) * b < 0)
        return u"目標から離れています"_s;
    const double days = std::ceil((w - t) / b);
    if (days > double(ForecastLimitDays))
        return u"目標到達は10年以上先です"_s;
    const QDate reached = trend.days.constLast().day.addDays(qint64(days));
    return u"目標到達予想 "_s + StoredDateText(reached) + u" 頃"_s;
}

} // namespace zz
