#pragma once

#include "store/measurementline.h"
#include "store/measurementrecord.h"
#include "store/storestatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zz {

// The measurement file "データ.txt": eleven comma-separated fields per line,
// texts between double quotes with no escaping, numbers unquoted in their
// shortest form (65, 65.4; integers as plain digits), code page 932, CR LF,
// no header. Every function takes the diary directory and closes every file
// before it returns; no file stays open between user actions.
//
// Whole-file rewrites go through a complete temporary file that is flushed,
// synced and renamed over the old one, so "データ.txt" is never missing or half
// written; an append writes its whole line at once and cuts the file back to
// its old length when that fails. A text that the format cannot hold (a double
// quote, a line break, a character code page 932 lacks) is refused before
// anything is written.

// Every record in file order. A malformed line is an error naming the line.
StoreStatus ReadMeasurements(const QString &dir, QList<MeasurementRecord> &records);

namespace testing {
// The next ReadMeasurements reads the file even when it is unchanged (for
// timing the reading itself).
void ForgetMeasurementsRead();
} // namespace testing

// The first record only (the start of the diet).
StoreStatus ReadStartRecord(const QString &dir, MeasurementRecord &record);

struct LineSplice;

// Adds the record as the last line. `done`, when given, receives the change
// as lines (for taking it back).
StoreStatus AppendMeasurement(const QString &dir, const MeasurementRecord &record,
                              QList<LineSplice> *done = nullptr);

// Places the record after every record whose date is not later than its own,
// through the temporary file "データコピー.txt".
StoreStatus InsertMeasurementByDate(const QString &dir, const MeasurementRecord &record,
                                    QList<LineSplice> *done = nullptr);

// The file holds exactly these records afterwards.
StoreStatus RewriteMeasurements(const QString &dir, const QList<MeasurementRecord> &records);

// Replaces `status` by newStatus in every record whose status equals oldStatus
// exactly, through "データＣＨＧ.txt"; every other byte of the file stays as it was.
StoreStatus RenameStatusInMeasurements(const QString &dir, const QString &oldStatus, const QString &newStatus,
                                       QList<LineSplice> *done = nullptr);

// A change of consecutive lines: the lines `oldLines` found from line `from`
// (counted from 0 in the file as it is) are replaced by `newLines`. Lines are
// whole lines with their CR LF.
struct LineSplice
{
    qsizetype from = 0;
    QList<QByteArray> oldLines;
    QList<QByteArray> newLines;
};

// The file's bytes and its lines (views into the bytes, line ends included).
StoreStatus ReadMeasurementLines(const QString &dir, QByteArray &bytes, QList<QByteArrayView> &lines);

// Applies `splices` (in file order, not overlapping, `from` counted in the file
// before any of them) in one rewrite; every other line keeps its bytes. When a
// line is not what `oldLines` says, the file changed outside the program and
// nothing is written. A change that would leave no record is refused.
StoreStatus SpliceMeasurementLines(const QString &dir, const QList<LineSplice> &splices);

// The splices that take the file back once `splices` were applied.
QList<LineSplice> InverseSplices(const QList<LineSplice> &splices);

// Replaces the comment of the record at `index` (file order, from 0), whose
// date must be `expectedDate`; only that field's bytes change. `done`, when
// given, receives the change made.
StoreStatus ReplaceMeasurementComment(const QString &dir, qsizetype index, const QString &expectedDate,
                                      const QString &comment, QList<LineSplice> *done = nullptr);

// The file holds only the start record afterwards.
StoreStatus CreateMeasurementFile(const QString &dir, const MeasurementRecord &startRecord);

// What opening the diary needs to know of the file. Only a last line that has
// no line end and is not a whole record counts as torn (an append that was
// interrupted); it is reported here instead of as a failure, with where it
// starts. Any other malformed line, or a file without records, is a failure.
struct MeasurementFileCheck
{
    qint64 recordCount = 0;     // whole records, the torn line not counted
    qint64 tornLineOffset = -1; // byte offset of the torn last line, -1 when none
    qint64 tornLineNumber = 0;
    QByteArray tornLine; // its bytes as found
};
StoreStatus CheckMeasurementFile(const QString &dir, MeasurementFileCheck &check);

} // namespace zz
