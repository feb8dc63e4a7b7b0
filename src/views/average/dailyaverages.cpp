#include "views/average/dailyaverages.h"
#include "base/storeddate.h"

#include "base/displayformats.h"
#include "base/numbers.h"

#include <QMap>
#include <QRegularExpression>
#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

// "yy/mm/dd" by hand: a diary of 25 years has 9,000 days to show.
QString ShortDateText(const QDate &date)
{
    const int parts[] = {date.year() % 100, date.month(), date.day()};
    QChar text[8];
    for (int i = 0; i < 3; ++i) {
        text[i * 3] = QChar(u'0' + parts[i] / 10);
        text[i * 3 + 1] = QChar(u'0' + parts[i] % 10);
        if (i < 2)
            text[i * 3 + 2] = u'/';
    }
    return QString(text, 8);
}

} // namespace

TableRow DailyAverageRow(const DailyAverageView &view, int i)
{
    const float average = view.rowAverages.at(i);
    TableRow row;
    row.cells = QStringList{QString::number(i + 1), ShortDateText(view.firstRowDay.addDays(i)),
                            std::isnan(average) ? QString() : FormatOneDecimal(average)};
    return row;
}

DailyAverageView ComputeDailyAverages(const QList<MeasurementRecord> &records,
                                      const std::optional<AveragePeriod> &period, ListRows rows)
{
    DailyAverageView v;
    if (records.isEmpty())
        return v;
    const QDate first = StoredDateOf(records.first().date);
    const QDate last = StoredDateOf(records.last().date);
    const qint64 dayCount = first.isValid() && last.isValid() ? first.daysTo(last) + 1 : 0;

    // One slot per day; the day cursor only moves forward, as the file is in
    // date order.
    QList<float> daySum(std::max<qint64>(dayCount, 0), 0.0f);
    QList<int> measured(daySum.size(), 0);
    float highest = NoHighest, lowest = NoLowest;
    qint64 cursor = 0;
    QString cursorDate;
    for (const MeasurementRecord &rec : records) {
        highest = std::max(highest, rec.weight);
        lowest = std::min(lowest, rec.weight);
        if (rec.date != cursorDate) {
            const QDate date = StoredDateOf(rec.date);
            if (!date.isValid())
                continue;
            const qint64 d = first.daysTo(date);
            if (d < cursor || d >= dayCount)
                continue; // out of date order: no slot ahead of the cursor holds it
            cursor = d;
            cursorDate = rec.date;
        }
        daySum[cursor] += rec.weight;
        ++measured[cursor];
    }
    v.y = WeightAxisOf(highest, lowest);

    qint64 from = 0, to = dayCount - 1;
    if (period) {
        from = std::max<qint64>(0, first.daysTo(period->start));
        to = std::min<qint64>(dayCount - 1, first.daysTo(period->end));
    } else {
        v.days.reserve(dayCount);
    }
    if (from <= to) {
        v.rowAverages.reserve(to - from + 1);
        v.points.reserve(to - from + 1);
    }
    v.firstRowDay = first.addDays(from);
    qint64 lowestRow = -1, highestRow = -1;
    for (qint64 d = from; d <= to; ++d) {
        if (!period)
            v.days.append(ShortDateText(first.addDays(d)));
        const float average = measured[d] > 0 ? daySum[d] / float(measured[d]) : NAN;
        if (!std::isnan(average)) {
            const qint64 row = d - from;
            if (lowestRow < 0 || average < v.rowAverages.at(lowestRow))
                lowestRow = row;
            if (highestRow < 0 || average > v.rowAverages.at(highestRow))
                highestRow = row;
        }
        v.rowAverages.append(average);
        // A day without measurements carries the day before forward.
        if (measured[d] == 0 && d > 0) {
            daySum[d] = daySum[d - 1];
            measured[d] = measured[d - 1];
        }
        v.points.append(measured[d] > 0
                            ? std::optional<double>(AxisValueAsRead(daySum[d] / float(measured[d])))
                            : std::nullopt);
    }
    for (qint64 row : {lowestRow, highestRow, qint64(v.rowAverages.size()) - 1})
        if (row >= 0 && !v.widestRows.contains(int(row)))
            v.widestRows.append(int(row));
    if (rows == ListRows::Made) {
        v.rows.reserve(v.rowAverages.size());
        for (int i = 0; i < v.rowAverages.size(); ++i)
            v.rows.append(DailyAverageRow(v, i));
    }
    return v;
}

std::optional<QDate> ParseAveragePeriodDate(const QString &text)
{
    static const QRegularExpression form(u"^\\s*(\\d{2}|\\d{4})/(\\d{1,2})/(\\d{1,2})\\s*$"_s);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int year = match.captured(1).toInt();
    if (match.captured(1).size() == 2)
        year += 2000;
    const QDate date(year, match.captured(2).toInt(), match.captured(3).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QList<ExportedDay> ExportedDays(const QList<TableRow> &rows)
{
    QList<ExportedDay> days;
    days.reserve(rows.size());
    for (const TableRow &row : rows)
        days.append({row.cells.value(1), LeadingNumber(row.cells.value(2))});
    return days;
}

QStringList AverageListHeaders(AverageUnit unit)
{
    switch (unit) {
    case AverageUnit::Week: return {u"数"_s, u"週"_s, u"体重"_s, u"体脂肪"_s};
    case AverageUnit::Month: return {u"数"_s, u"月"_s, u"体重"_s, u"体脂肪"_s};
    case AverageUnit::Day: break;
    }
    return {u"数"_s, u"日付"_s, u"体重"_s};
}

PeriodAverageView ComputePeriodAverages(const QList<MeasurementRecord> &records, AverageUnit unit,
                                        const std::optional<AveragePeriod> &period)
{
    struct Group
    {
        double weight = 0, fat = 0;
        int count = 0;
    };
    // Keyed by the first day of the week or month, so the map is in date order.
    QMap<QDate, Group> groups;
    PeriodAverageView v;
    float highest = NoHighest, lowest = NoLowest;
    QString lastDate;
    QDate lastFirstDay;
    for (const MeasurementRecord &rec : records) {
        highest = std::max(highest, rec.weight);
        lowest = std::min(lowest, rec.weight);
        if (rec.date != lastDate) {
            const QDate date = StoredDateOf(rec.date);
            if (!date.isValid())
                continue;
            lastFirstDay = unit == AverageUnit::Month ? QDate(date.year(), date.month(), 1)
                                                      : date.addDays(1 - date.dayOfWeek());
            lastDate = rec.date;
        }
        Group &g = groups[lastFirstDay];
        g.weight += double(rec.weight);
        g.fat += double(rec.bodyFat);
        ++g.count;
    }
    v.y = WeightAxisOf(highest, lowest);

    int number = 0;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const QDate first = it.key();
        if (period && (first < period->start || first > period->end))
            continue;
        const QString label =
            unit == AverageUnit::Month ? first.toString(u"yyyy/MM"_s) : ShortDateText(first) + u"週"_s;
        const double weight = it->weight / it->count;
        const double fat = it->fat / it->count;
        v.rows.append(
            {{QString::number(++number), label, FormatOneDecimal(weight), FormatOneDecimal(fat)}, {}});
        v.points.append(weight);
        v.exported.append(
            {label, LeadingNumber(FormatOneDecimal(weight)), LeadingNumber(FormatOneDecimal(fat))});
    }
    return v;
}

QList<int> AverageListWidths(AverageUnit unit)
{
    if (unit == AverageUnit::Day)
        return {500, 900, 550};
    return {500, 1100, 550, 650};
}

} // namespace zz
