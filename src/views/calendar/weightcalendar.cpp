#include "views/calendar/weightcalendar.h"
#include "base/storeddate.h"

#include "base/displayformats.h"

#include <QSet>

namespace zz {

using namespace Qt::StringLiterals;

CalendarView ComputeCalendar(const QList<MeasurementRecord> &records, CalendarMode mode,
                             const QString &startDate, const QDate &today)
{
    CalendarView v;
    // The mode is the colours of the unchanged and the measured-once days.
    const Rgb sameColour = mode == CalendarMode::Detailed ? Colors::PaleYellow : Colors::PaleGreen;
    const Rgb onceColour = mode == CalendarMode::Detailed ? Colors::PaleBlue : Colors::PaleRed;

    QString currentMonth;
    QList<float> dayWeights;
    QDate previousDay;
    QString previousDate;
    qsizetype previousRow = -1;
    QSet<qint64> measuredDays;

    const auto closeDay = [&] {
        if (dayWeights.isEmpty() || !previousDay.isValid())
            return;
        Rgb colour;
        if (dayWeights.size() == 1) {
            ++v.once;
            colour = onceColour;
        } else if (dayWeights.last() < dayWeights.first()) {
            ++v.down;
            colour = Colors::PaleGreen;
        } else if (dayWeights.last() > dayWeights.first()) {
            ++v.up;
            colour = Colors::PaleRed;
        } else {
            ++v.same;
            colour = sameColour;
        }
        v.rows[previousRow].backgrounds.insert(previousDay.day(), colour);
        measuredDays.insert(previousDay.toJulianDay());
        dayWeights.clear();
    };

    for (const MeasurementRecord &rec : records) {
        if (rec.date != previousDate) {
            closeDay();
            const QDate date = StoredDateOf(rec.date);
            if (!date.isValid()) {
                previousDate = rec.date;
                previousDay = QDate();
                continue;
            }
            const QString month = FormatYearMonth(date.year(), date.month());
            if (month != currentMonth) {
                TableRow row;
                row.cells = QStringList(32);
                row.cells[0] = month;
                v.rows.append(row);
                currentMonth = month;
            }
            previousRow = v.rows.size() - 1;
            previousDay = date;
            previousDate = rec.date;
        }
        if (previousDay.isValid())
            dayWeights.append(rec.weight);
    }
    closeDay();

    // Days from the start through today without a measurement; never negative.
    const QDate start = StoredDateOf(startDate);
    if (start.isValid() && today >= start) {
        qint64 measuredInRange = 0;
        for (const qint64 day : std::as_const(measuredDays))
            if (day >= start.toJulianDay() && day <= today.toJulianDay())
                ++measuredInRange;
        v.notMeasured = int(start.daysTo(today) + 1 - measuredInRange);
    }

    const auto counter = [](const QString &text, int days) -> QString {
        return text + QString::number(days) + u"日"_s;
    };
    v.lblDn_c = counter(u"体重減  "_s, v.down);
    v.lblSm_c = counter(u"増減無し  "_s, v.same);
    v.lblUp_c = counter(u"体重増  "_s, v.up);
    v.lblOne_c = counter(u"１回だけ計測  "_s, v.once);
    v.lblNon_c = counter(u"未計測  "_s, v.notMeasured);
    const int good = v.down + v.same;
    const int bad = v.up + v.once;
    v.lblGenT = QString::number(good) + u"日"_s;
    v.lblZouT = QString::number(bad) + u"日"_s;
    if (good > bad) {
        v.lblHugou = u">"_s;
        v.face = CalendarFace::Wara;
    } else if (good == bad) {
        v.lblHugou = u"="_s;
        v.face = CalendarFace::Niko;
    } else {
        v.lblHugou = u"<"_s;
        v.face = CalendarFace::Kana;
    }
    return v;
}

std::optional<QDate> CalendarCellDate(const QString &monthText, int column)
{
    // "2004年03月"
    if (column < 1 || column > 31 || monthText.size() != 8 || monthText[4] != u'年' || monthText[7] != u'月')
        return std::nullopt;
    bool yearOk = false, monthOk = false;
    const int year = monthText.left(4).toInt(&yearOk);
    const int month = monthText.mid(5, 2).toInt(&monthOk);
    const QDate date(year, month, column);
    if (!yearOk || !monthOk || !date.isValid())
        return std::nullopt;
    return date;
}

QStringList CalendarHeaders()
{
    QStringList headers{u"年月"_s};
    for (int day = 1; day <= 31; ++day)
        headers.append(QString::number(day));
    return headers;
}

QList<int> CalendarWidths()
{
    QList<int> widths{1360};
    for (int day = 1; day <= 31; ++day)
        widths.append(310);
    return widths;
}

} // namespace zz
