#pragma once

#include <QString>
#include <QtGlobal>

namespace zz {

// One measurement: one line of the measurement file "データ.txt".
//
// The file holds these eleven fields per line, in this order, in code page 932
// with CR LF line ends. Records are kept in ascending date order; records of one
// date stay in the order they were entered. The first record is the start of the
// diet, the last one the latest measurement. Dates are "yyyy/mm/dd" and compare
// as plain text.
struct MeasurementRecord
{
    QString date;               // "yyyy/mm/dd"
    QString status;             // 状況
    float weight = 0;           // kg
    float bodyFat = 0;          // %
    qint16 basalMetabolism = 0; // kcal
    qint16 visceralFat = 0;
    float muscleMass = 0; // kg
    qint16 muscleScore = 0;
    float boneMass = 0; // kg
    QString comment;    // the one-line diary
    QString spare;      // kept as read; the import of older files puts their sixth field here

    friend bool operator==(const MeasurementRecord &, const MeasurementRecord &) = default;
};

} // namespace zz
