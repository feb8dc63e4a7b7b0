#include "views/history/daylist.h"
#include "base/storeddate.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "views/common/bmi.h"
#include "views/common/measurementrows.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

DayListResult ComputeDayList(const QList<MeasurementRecord> &records, const QString &selectedDate,
                             float heightCm)
{
    DayListResult r;
    if (records.isEmpty())
        return r;

    MeasurementCells cells(heightCm);
    CompositionSeriesBuilder composition(CompositionSeries::Rounding::AsListed);
    r.standardWeight = cells.standardWeight();
    const bool hasHeight = heightCm > 0;

    // The first record is the start of the diet.
    const MeasurementRecord &first = records.constFirst();
    r.startDate = first.date;
    r.startWeight = first.weight;
    r.startBmi = BmiOf(first.weight, heightCm);
    r.startObesity = (first.weight - r.standardWeight) / r.standardWeight;

    int n = 1;
    float previousWeight = 0;
    float dayFirstWeight = 0;
    const MeasurementRecord *dayLast = nullptr;
    // lastRecord is, while a record is looked at, the one before it in the file.
    MeasurementRecord lastRecord;

    qsizetype index = -1;
    for (const MeasurementRecord &rec : records) {
        ++index;
        if (rec.date == selectedDate) {
            // The very first measurement of the diet is compared with itself;
            // any other first measurement of a day with the record before it.
            if (previousWeight == 0 && rec.date == r.startDate)
                previousWeight = rec.weight;
            if (previousWeight == 0)
                previousWeight = lastRecord.weight;
            if (n == 1)
                dayFirstWeight = rec.weight;

            TableRow weightRow;
            weightRow.cells << NumberText(n) << rec.status;
            cells.appendWeightCells(weightRow, rec, previousWeight, dayFirstWeight);
            r.weightRows.append(weightRow);
            r.recordIndices.append(index);

            TableRow compositionRow;
            compositionRow.cells << NumberText(n) << rec.status;
            cells.appendCompositionCells(compositionRow, rec);
            r.compositionRows.append(compositionRow);
            composition.append(rec);

            if (rec.weight > r.dayMaxWeight)
                r.dayMaxWeight = rec.weight;
            if (rec.weight < r.dayMinWeight)
                r.dayMinWeight = rec.weight;
            if (rec.bodyFat > r.dayMaxFat)
                r.dayMaxFat = rec.bodyFat;
            if (rec.bodyFat < r.dayMinFat)
                r.dayMinFat = rec.bodyFat;
            r.dayWeights.append(rec.weight);
            r.dayFats.append(rec.bodyFat);

            previousWeight = rec.weight;
            dayLast = &rec;
            ++n;
        }
        lastRecord = rec;
        ++r.recordCount;
    }

    r.composition = composition.take();
    r.lastRecord = lastRecord;
    r.lastRecordDate = lastRecord.date;

    // A day whose last measurement weighs 0 counts as a day without one, as
    // the previous weight is what tells them apart.
    r.referenceMeasurement = (previousWeight != 0 && dayLast) ? *dayLast : lastRecord;
    const float referenceWeight = r.referenceMeasurement.weight;
    r.currentBmi = BmiOf(referenceWeight, heightCm);
    r.currentObesity = (referenceWeight - r.standardWeight) / r.standardWeight;

    const qint64 days = StoredDateOf(r.startDate).daysTo(StoredDateOf(r.referenceMeasurement.date));
    r.lblDspNissuu = FormatShortDate(r.startDate) + u" → "_s + QString::number(days) + u"日経過"_s;
    r.lblDspTai = FormatKg(r.startWeight) + u" → "_s + FormatKg(std::fabs(referenceWeight - r.startWeight)) +
                  DirectionWord(r.startWeight - referenceWeight);
    if (hasHeight) {
        r.lblDspBmi = FormatOneDecimal(r.startBmi) + u" → "_s +
                      FormatOneDecimal(std::fabs(r.currentBmi - r.startBmi)) +
                      DirectionWord(r.startBmi - r.currentBmi);
        r.lblDspHiman = FormatPercentOf(r.startObesity) + u" → "_s +
                        FormatPercentOf(std::fabs(r.currentObesity - r.startObesity)) +
                        DirectionWord(r.startObesity - r.currentObesity);
    }

    // The face follows the mark of the day's last row against its first.
    r.face = FaceMark::Nashi;
    if (!r.weightRows.isEmpty()) {
        const QString mark = r.weightRows.constLast().cells.at(6);
        if (mark == u"↑"_s)
            r.face = FaceMark::Kana;
        else if (mark == u"→"_s)
            r.face = FaceMark::Niko;
        else if (mark == u"↓"_s)
            r.face = FaceMark::Wara;
    }
    return r;
}

QList<qint64> MeasuredDays(const QList<MeasurementRecord> &records)
{
    QList<qint64> days;
    const QString *last = nullptr;
    bool ascending = true;
    for (const MeasurementRecord &rec : records) {
        if (last && *last == rec.date)
            continue; // records of one day follow each other
        last = &rec.date;
        if (const QDate day = StoredDateOf(rec.date); day.isValid()) {
            ascending = ascending && (days.isEmpty() || days.constLast() < day.toJulianDay());
            days.append(day.toJulianDay());
        }
    }
    // A diary is in date order; one that is not is put in order here.
    if (!ascending) {
        std::sort(days.begin(), days.end());
        days.erase(std::unique(days.begin(), days.end()), days.end());
    }
    return days;
}

QStringList DayListHeaders()
{
    return {u"回"_s,     u"行動"_s, u"体重"_s,   u"前回差"_s, u"差"_s,
            u"初回差"_s, u"差"_s,   u"ＢＭＩ"_s, u"肥満度"_s, u"体脂肪"_s};
}

QList<int> DayListWidths()
{
    return {450, 2250, 900, 865, 400, 865, 400, 800, 840, 840};
}

QStringList CompositionListHeaders()
{
    return {u"回"_s,   u"行動"_s,   u"体重"_s, u"体脂肪"_s, u"基礎代謝"_s,
            u"脂肪"_s, u"筋肉量"_s, u"筋ス"_s, u"骨量"_s};
}

QList<int> CompositionListWidths()
{
    return {450, 2250, 900, 870, 1110, 650, 940, 630, 830};
}

} // namespace zz
