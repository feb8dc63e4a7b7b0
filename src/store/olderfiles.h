#pragma once

#include "store/measurementrecord.h"
#include "store/storestatus.h"

#include <QList>
#include <QString>

namespace zz {

// The data files of the two earlier editions, converted once to the current
// layout after the user has typed the values they never held.
//
// - weight-only: "連続体重.txt", three fields a record (date, status, weight);
// - first edition: "データ.txt" with six fields (date, status, weight, then
//   three texts: the comment, one that is dropped, a spare text);
// - second edition: the same six fields, the fifth the body fat (a number
//   other than 0).
// The layout is told by the number of fields, so a current diary (eleven
// fields) is never taken for an older one, whatever its values. The first
// record decides an edition file's layout; every line must then have it, or
// the file is malformed and nothing is written.
enum class OlderLayout { WeightOnly, FirstEdition, SecondEdition };

struct OlderRecord
{
    QString date, status;
    float weight = 0, bodyFat = 0;
    QString comment, spare;
};

struct OlderFile
{
    OlderLayout layout = OlderLayout::WeightOnly;
    QList<OlderRecord> records;
};

// Reads "連続体重.txt"; `found` is false when there is none (the normal case).
StoreStatus ReadWeightOnlyFile(const QString &dir, OlderFile &file, bool &found);
// Reads "データ.txt" when it is an edition file; `found` is false for a
// current diary (or none at all).
StoreStatus ReadEditionFile(const QString &dir, OlderFile &file, bool &found);

// The values typed once for every converted record.
struct TypedValues
{
    float bodyFat = 0; // not asked for the second edition
    qint16 basalMetabolism = 0, visceralFat = 0, muscleScore = 0;
    float muscleMass = 0, boneMass = 0;
};
QList<MeasurementRecord> ConvertOlderRecords(const OlderFile &file, const TypedValues &typed);

// Writes the converted weight-only records as "データ.txt", the file it
// replaces kept as "データbak.txt" first, then renames "連続体重.txt" to
// "連続体重bak.txt". An edition file: the old "データ.txt" is kept as
// "データbak.txt", the new one is written complete as "データ1.txt" and
// renamed over it in one step. A backup never overwrites a file: a taken name
// becomes "データbak(2).txt", "(3)" and so on. At every moment the folder
// holds a whole diary; an interrupted conversion is asked again next time.
StoreStatus WriteWeightOnlyImport(const QString &dir, const QList<MeasurementRecord> &records);
StoreStatus WriteEditionImport(const QString &dir, const QList<MeasurementRecord> &records);

// "データbak.txt", or the first of "データbak(2).txt", ... that is free.
QString FreeBackupName(const QString &dir, const QString &name);

} // namespace zz
