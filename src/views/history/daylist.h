#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"
#include "views/common/chartscales.h"

#include <QList>
#include <QString>

namespace zz {

enum class FaceMark { Nashi, Wara, Niko, Kana }; // none, laughing, smile, sulky

// Everything one pass of the day-list refresh produces from the measurement
// file, the selected day and the height. The window pushes it into the grids,
// labels, face mark and charts and keeps the values that other panels read.
struct DayListResult
{
    QList<TableRow> weightRows;      // msgDayList data rows, 10 cells each
    QList<TableRow> compositionRows; // msgDayList2 data rows, 9 cells each
    QList<qsizetype> recordIndices;  // the file position of each listed record
    CompositionSeries composition;   // the composition charts, one row per listed record

    QString lblDspNissuu, lblDspTai, lblDspBmi, lblDspHiman;
    FaceMark face = FaceMark::Nashi;

    MeasurementRecord referenceMeasurement; // last of the day, or the file's last record
    MeasurementRecord lastRecord;
    QString lastRecordDate;
    qint64 recordCount = 0;
    QString startDate;
    float startWeight = 0, startBmi = 0, startObesity = 0;
    float standardWeight = 0;
    float currentBmi = 0, currentObesity = 0;

    // Extremes of the day for the day chart's axes; a day without measurements
    // keeps the start values.
    float dayMaxWeight = NoHighest, dayMinWeight = NoLowest, dayMaxFat = NoHighest, dayMinFat = NoLowest;
    // The day chart's rows: weight and body fat of each measurement of the day.
    QList<float> dayWeights, dayFats;
};

// `selectedDate` is "yyyy/mm/dd". `records` is the whole file in file order and
// holds at least one record.
DayListResult ComputeDayList(const QList<MeasurementRecord> &records, const QString &selectedDate,
                             float heightCm);

// The days that hold measurements, as Julian day numbers in ascending order,
// each once (the calendar marks them).
QList<qint64> MeasuredDays(const QList<MeasurementRecord> &records);

// Headers and widths (twips) of the two day grids.
QStringList DayListHeaders();
QList<int> DayListWidths();
QStringList CompositionListHeaders();
QList<int> CompositionListWidths();

} // namespace zz
