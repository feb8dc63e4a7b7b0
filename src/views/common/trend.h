#pragma once

#include "store/measurementrecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zz {

// Where the diet is heading, computed one exact way so it can be checked.
//
// Each calendar day with a measurement has one value, the mean of that day's
// weights (the stored values, in double precision). The trend smooths them
// over time: the first day's trend is its value; a later day with value v, g
// days after the previous measured day, moves the trend by (1 - 0.9^g)(v -
// trend), so a gap does not freeze it. The rate is 7 times the least-squares
// slope of the trend over the measured days of the last 28 days (last - 27 ..
// last), given at least 7 such days spanning at least 14 days.
struct TrendDay
{
    QDate day;
    double value = 0; // the mean of the day's weights
    double trend = 0;
    qsizetype lastRow = 0; // the number (from 1) of the day's last record in the diary
};
struct Trend
{
    QList<TrendDay> days;              // in date order; empty for an empty diary
    std::optional<double> slopePerDay; // kg per day; none without enough days
    std::optional<double> ratePerWeek() const
    {
        return slopePerDay ? std::optional<double>(*slopePerDay * 7) : std::nullopt;
    }
};
Trend ComputeTrend(const QList<MeasurementRecord> &records);
// The same from the whole history's stored dates and weights in file order.
Trend ComputeTrend(const QStringList &dates, const QList<float> &weights);

// The trend line of the whole-period chart over `rows` rows: a point per
// measured day at the row of its last record, the trend as its decimal text of
// 7 significant digits (as the moving average is given); no point elsewhere.
QList<std::optional<double>> TrendChartValues(const Trend &trend, qsizetype rows);

// "傾向 91.2Kg　-0.45Kg/週": the last day's trend to 0.1 and the rate signed to
// 0.01 ("+0.20", "0.00"); without a rate only "傾向 91.2Kg". Empty for an
// empty diary.
QString TrendText(const Trend &trend);

// The forecast for the target weight (0: none) from the diet's start weight.
QString ForecastText(const Trend &trend, double targetWeight, double startWeight);

} // namespace zz
