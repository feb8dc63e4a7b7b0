#include "views/analysis/analyses.h"

#include "base/displayformats.h"
#include "base/numbers.h"

#include <cmath>

namespace zz {

namespace {

// Int(x × 10 + 0.5) / 10: one decimal, halves upward.
double RoundTenthUp(double x)
{
    return std::floor(x * 10 + 0.5) / 10;
}

QString SignText(double value)
{
    if (value == 0)
        return QStringLiteral("±");
    return value > 0 ? QStringLiteral("+") : QString();
}

QString Count(qsizetype n, const QString &unit)
{
    return QString::number(n) + unit;
}

} // namespace

QList<AnalysisListLayout> AnalysisListLayouts()
{
    return {
        {{QStringLiteral("回数"), QStringLiteral("日付"), QStringLiteral("体重"), QStringLiteral("初回差")},
         {1150, 1500, 1165, 1160}},
        {{QStringLiteral("区切り"), QStringLiteral("日付"), QStringLiteral("達成"), QStringLiteral("経過")},
         {1150, 1500, 1165, 1160}},
        {{QStringLiteral("回数"), QStringLiteral("体重"), QStringLiteral("平均体重"), QStringLiteral("差")},
         {1150, 1150, 1520, 1150}},
        {{QStringLiteral("順位"), QStringLiteral("体重範囲"), QStringLiteral("累積"), QStringLiteral("差")},
         {1150, 2000, 910, 910}},
    };
}

namespace {

double TimeSeriesDifference(const WholeHistory &h, bool toFirst, qsizetype i)
{
    if (i == 0)
        return 0;
    const float compared = toFirst ? h.weights[0] : h.weights[i - 1];
    return RoundTenthUp(double(h.weights[i] - compared));
}

// The rows holding the lowest and the highest value of each key, and the last row.
template <typename... Keys>
QList<int> WidestRows(qsizetype n, Keys... keys)
{
    QList<int> rows;
    const auto add = [&](qsizetype row) {
        if (!rows.contains(int(row)))
            rows.append(int(row));
    };
    const auto extremes = [&](auto key) {
        qsizetype lowest = 0, highest = 0;
        for (qsizetype i = 1; i < n; ++i) {
            if (key(i) < key(lowest))
                lowest = i;
            if (key(i) > key(highest))
                highest = i;
        }
        add(lowest);
        add(highest);
    };
    if (n == 0)
        return rows;
    (extremes(keys), ...);
    add(n - 1);
    return rows;
}

} // namespace

TableRow TimeSeriesRow(const WholeHistory &h, bool toFirst, qsizetype i)
{
    const double d = TimeSeriesDifference(h, toFirst, i);
    TableRow row;
    row.cells = QStringList{Count(i + 1, QStringLiteral("回目")), h.dates[i], FormatKg(h.weights[i]),
                            SignText(d) + FormatKg(float(d))};
    return row;
}

TimeSeriesList ComputeTimeSeries(const WholeHistory &h, bool toFirst, ListRows rows)
{
    TimeSeriesList list;
    list.differenceHeader = toFirst ? QStringLiteral("初回差") : QStringLiteral("前回差");
    const qsizetype n = h.recordCount();
    list.widestRows = WidestRows(
        n, [&](qsizetype i) { return h.weights[i]; },
        [&](qsizetype i) { return TimeSeriesDifference(h, toFirst, i); });
    if (rows == ListRows::Left)
        return list;
    list.rows.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        list.rows.append(TimeSeriesRow(h, toFirst, i));
    return list;
}

MilestoneList ComputeMilestones(const WholeHistory &h)
{
    MilestoneList list;
    const qsizetype n = h.recordCount();
    const float first = h.weights.first();
    const float loss = first - h.lowestWeight;
    const double rounded = RoundTenthUp(loss);
    const qsizetype s = qsizetype(std::floor(rounded / 0.5));
    if (s <= 0)
        return list;
    list.rows.resize(s);
    for (TableRow &row : list.rows)
        row.cells = QStringList(4);
    QList<bool> open(s, true);
    qint64 d = 0, p = 0;
    for (qsizetype i = 0; i < n; ++i) {
        for (qsizetype m = 1; m <= s; ++m) {
            if (open[m - 1] && first - h.weights[i] >= float(m) * 0.5f) {
                d = DaysBetween(h.dates.first(), h.dates[i]);
                list.rows[m - 1].cells = QStringList{
                    FormatFixed(double(m) * 0.5, 1, DoubleDigits) + QStringLiteral("Kg減"), h.dates[i],
                    Count(d, QStringLiteral("日後")), Count(d - p, QStringLiteral("日後"))};
                open[m - 1] = false;
            }
            p = d;
        }
    }
    list.label = QStringLiteral("最高　") + FormatKg(loss) + QStringLiteral("減を達成してから　") +
                 QString::number(DaysBetween(h.lowestWeightDate, h.dates.last())) + QStringLiteral("日経過");
    return list;
}

namespace {

double AverageChangeGrams(const QList<float> &averages, qsizetype i)
{
    return i == 0 ? 0.0 : (double(averages[i]) - double(averages[i - 1])) * 1000;
}

} // namespace

TableRow AverageTrendRow(const WholeHistory &h, const QList<float> &averages, qsizetype i)
{
    const double g = AverageChangeGrams(averages, i);
    QString sign;
    if (i > 0)
        sign = g > 0 ? QStringLiteral("+") : g == 0 ? QStringLiteral("±") : QString();
    TableRow row;
    row.cells = QStringList{Count(i + 1, QStringLiteral("回目")), FormatKg(h.weights[i]),
                            FormatKg3(double(averages[i])), sign + FormatGrams(g)};
    return row;
}

AverageTrendList ComputeAverageTrend(const WholeHistory &h, ListRows rows)
{
    AverageTrendList list;
    const qsizetype n = h.recordCount();
    list.averages.reserve(n);
    float sum = 0;
    qsizetype streak = 0;
    for (qsizetype i = 0; i < n; ++i) {
        sum += h.weights[i];
        list.averages.append(sum / float(i + 1));
        if (i > 0) {
            if (AverageChangeGrams(list.averages, i) > 0)
                streak = 0;
            else
                ++streak;
        }
    }
    list.label = streak > 0
                     ? QStringLiteral("連続ﾏｲﾅｽ記録 ") + QString::number(streak) + QStringLiteral("回達成！")
                     : QStringLiteral("平均を上回ってしまいました...");
    list.widestRows = WidestRows(
        n, [&](qsizetype i) { return h.weights[i]; }, [&](qsizetype i) { return list.averages[i]; },
        [&](qsizetype i) { return AverageChangeGrams(list.averages, i); });
    if (rows == ListRows::Left)
        return list;
    list.rows.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        list.rows.append(AverageTrendRow(h, list.averages, i));
    return list;
}

WeightRanking ComputeWeightRanking(const WholeHistory &h, bool oneKiloBands)
{
    WeightRanking ranking;
    const double w = oneKiloBands ? 1.0 : 0.5;
    ranking.frameCaption = oneKiloBands ? QStringLiteral("    体重推移累積番付 < 1.0Kg刻み >")
                                        : QStringLiteral("    体重推移累積番付 < 0.5Kg刻み >");
    const double top = std::floor(h.highestWeight) + 1;
    const double bottom = std::floor(h.lowestWeight);
    const qsizetype b = qsizetype(std::llround((top - bottom) / w));

    struct Band
    {
        double lower;
        qsizetype count;
    };
    QList<Band> bands(b + 1);
    for (qsizetype k = 0; k <= b; ++k)
        bands[k] = {RoundTenthUp(bottom + double(k) * w), 0};
    // The bounds are multiples of 0.5, so every weight falls into exactly one
    // band: lower <= weight < lower + w.
    for (const float weight : h.weights) {
        const qsizetype k = qsizetype(std::floor((double(weight) - bottom) / w));
        if (k >= 0 && k <= b && bands[k].lower <= weight && weight < bands[k].lower + w)
            ++bands[k].count;
    }
    // This exchange order decides the order of equal counts; keep it.
    for (qsizetype k = 0; k < b; ++k)
        for (qsizetype j = k + 1; j <= b; ++j)
            if (bands[k].count < bands[j].count)
                std::swap(bands[k], bands[j]);

    for (qsizetype k = 0; k <= b && bands[k].count > 0; ++k) {
        const Band &band = bands[k];
        TableRow row;
        row.cells =
            QStringList{Count(k + 1, QStringLiteral("位")),
                        FormatOneDecimal(band.lower) + QStringLiteral("～") +
                            FormatFixed(band.lower + w - 0.1, 1, DoubleDigits) + QStringLiteral("Kg"),
                        Count(band.count, QStringLiteral("回")),
                        k == 0 ? QString() : Count(bands[k - 1].count - band.count, QStringLiteral("回"))};
        ranking.rows.append(row);
    }
    return ranking;
}

} // namespace zz
