#pragma once

#include "store/measurementrecord.h"

// A measurement with every field given; the fields a test does not look at
// take ordinary readings.
inline zz::MeasurementRecord TestRecord(const QString &date, const QString &status, float weight,
                                        float fat = 22.5f, qint16 metabolism = 1350, qint16 visceral = 8,
                                        float muscle = 45.2f, qint16 score = 95, float bone = 2.8f,
                                        const QString &comment = {})
{
    zz::MeasurementRecord r;
    r.date = date;
    r.status = status;
    r.weight = weight;
    r.bodyFat = fat;
    r.basalMetabolism = metabolism;
    r.visceralFat = visceral;
    r.muscleMass = muscle;
    r.muscleScore = score;
    r.boneMass = bone;
    r.comment = comment;
    return r;
}
