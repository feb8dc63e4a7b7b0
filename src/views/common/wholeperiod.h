#pragma once

#include "store/measurementrecord.h"
#include "store/storestatus.h"
#include "views/common/chartscales.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace zz {

// The whole weight history in file order, loaded by LoadWholeHistory for the
// whole-period panel and the four analyses. Its extremes are its own: the day
// chart keeps the day's extremes apart.
struct WholeHistory
{
    QList<float> weights;
    QList<float> bodyFats;
    QStringList dates; // as stored, "yyyy/mm/dd"
    float highestWeight = NoHighest, lowestWeight = NoLowest;
    float highestBodyFat = NoHighest, lowestBodyFat = NoLowest;
    QString lowestWeightDate; // the first record holding lowestWeight

    qsizetype recordCount() const { return weights.size(); }
};

// Strictly greater replaces a maximum, strictly smaller a minimum, so a later
// equal lowest weight keeps the first date.
WholeHistory WholeHistoryOf(const QList<MeasurementRecord> &records);
// The diary's whole history read afresh from the measurement file in `dir`.
StoreStatus ReadWholeHistory(const QString &dir, WholeHistory &history);

// Whole calendar days from one stored date to another.
qint64 DaysBetween(const QString &fromStoredDate, const QString &toStoredDate);

// The width N of the moving average from the text of cboIdou: a whole number
// of 1 or more, else none (then no row has an average).
std::optional<int> MovingAverageWidthOf(const QString &text);

// Row i (from 1) gets the sum of the N weights i - N + 1 .. i, added in single
// precision in that order, divided by N; rows before the N-th have no value.
QList<std::optional<double>> MovingAverageSeries(const QList<float> &weights, std::optional<int> width);

// What the whole-period panel shows of the history.
struct WholePeriodView
{
    QList<std::optional<double>> weights, averages, bodyFats; // series 1, 2, 3
    AxisScale left, right;
    QString lblNichis, lblKiro, targetCaption;
};
// Needs at least one record.
WholePeriodView ComputeWholePeriod(const WholeHistory &history, std::optional<int> width, float targetWeight);

// The lower edge of the weight axis: the lowest weight, or with the target
// floor on, the target weight; both taken down to a whole kilogram.
double WeightAxisFloor(float lowestWeight, float targetWeight, bool targetFloorOn);

} // namespace zz
