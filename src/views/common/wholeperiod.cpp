#include "views/common/wholeperiod.h"
#include "base/storeddate.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "store/measurementfile.h"
#include "views/common/measurementrows.h"

#include <QDate>
#include <cmath>

namespace zz {

StoreStatus ReadWholeHistory(const QString &dir, WholeHistory &history)
{
    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir, records);
    if (status)
        history = WholeHistoryOf(records);
    return status;
}

WholeHistory WholeHistoryOf(const QList<MeasurementRecord> &records)
{
    WholeHistory h;
    h.weights.reserve(records.size());
    h.bodyFats.reserve(records.size());
    h.dates.reserve(records.size());
    for (const MeasurementRecord &r : records) {
        h.weights.append(r.weight);
        h.bodyFats.append(r.bodyFat);
        h.dates.append(r.date);
        if (r.weight > h.highestWeight)
            h.highestWeight = r.weight;
        if (r.weight < h.lowestWeight) {
            h.lowestWeight = r.weight;
            h.lowestWeightDate = r.date;
        }
        if (r.bodyFat > h.highestBodyFat)
            h.highestBodyFat = r.bodyFat;
        if (r.bodyFat < h.lowestBodyFat)
            h.lowestBodyFat = r.bodyFat;
    }
    return h;
}

qint64 DaysBetween(const QString &fromStoredDate, const QString &toStoredDate)
{
    return StoredDateOf(fromStoredDate).daysTo(StoredDateOf(toStoredDate));
}

std::optional<int> MovingAverageWidthOf(const QString &text)
{
    const double width = LeadingNumber(text);
    if (!(width >= 1) || std::floor(width) != width || width > 1e9)
        return std::nullopt;
    return int(width);
}

QList<std::optional<double>> MovingAverageSeries(const QList<float> &weights, std::optional<int> width)
{
    QList<std::optional<double>> averages(weights.size());
    if (!width)
        return averages;
    const qsizetype n = *width;
    for (qsizetype i = n - 1; i < weights.size(); ++i) {
        float sum = 0;
        for (qsizetype k = i - n + 1; k <= i; ++k)
            sum += weights[k];
        averages[i] = LeadingNumber(NumberText(sum / float(n)));
    }
    return averages;
}

double WeightAxisFloor(float lowestWeight, float targetWeight, bool targetFloorOn)
{
    return std::floor(AxisValueAsRead(targetFloorOn ? targetWeight : lowestWeight));
}

WholePeriodView ComputeWholePeriod(const WholeHistory &h, std::optional<int> width, float targetWeight)
{
    WholePeriodView v;
    const qsizetype n = h.recordCount();
    v.weights.reserve(n);
    v.bodyFats.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        v.weights.append(AxisValueAsRead(h.weights[i]));
        v.bodyFats.append(AxisValueAsRead(h.bodyFats[i]));
    }
    v.averages = MovingAverageSeries(h.weights, width);

    v.left.max = std::floor(TidyAxisValue(AxisValueAsRead(h.highestWeight) + WeightAxisHeadroom));
    v.left.min = WeightAxisFloor(h.lowestWeight, targetWeight, false);
    v.right.max = std::floor(TidyAxisValue(AxisValueAsRead(h.highestBodyFat) + LongFatAxisHeadroom));
    v.right.min = std::floor(TidyAxisValue(AxisValueAsRead(h.lowestBodyFat) - LongFatAxisFootroom));

    const float first = h.weights.first();
    const float last = h.weights.last();
    v.lblNichis =
        h.dates.first() + QStringLiteral(" ( ") + NumberText(first) + QStringLiteral("Kg ) でスタート ～ ") +
        h.dates.last() + QStringLiteral(" ( ") + NumberText(last) + QStringLiteral("Kg ) まで ") +
        QString::number(DaysBetween(h.dates.first(), h.dates.last())) + QStringLiteral("日経過 _ ") +
        FormatKg(std::fabs(first - last)) + DirectionWord(first - last);
    v.lblKiro = QStringLiteral("最小記録 ") + h.lowestWeightDate + QStringLiteral(" の ") +
                NumberText(h.lowestWeight) + QStringLiteral("Kg   初日から ") +
                FormatKg(first - h.lowestWeight) + DirectionWord(first - h.lowestWeight);
    v.targetCaption = QStringLiteral("目標まで残り　") + FormatKg(last - targetWeight);
    return v;
}

} // namespace zz
