#pragma once

#include "store/csvtable.h"
#include "store/measurementfile.h"
#include "store/measurementrecord.h"
#include "store/storestatus.h"

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace zz {

// Measurements brought in from a CSV file that a scale's or a health app's
// export wrote: the text is decoded and split (RFC 4180), the columns are
// recognised from the header, and a plan says exactly what would be stored.

// The fields a column can give, in the order of the import dialog's combos.
enum class CsvField {
    Date,
    Time,
    Weight,
    BodyFat,
    BasalMetabolism,
    VisceralFat,
    MuscleMass,
    MuscleScore,
    Bone,
    Comment,
};
inline constexpr int CsvFieldCount = 10;

// What the user can change in the import dialog.
struct CsvChoices
{
    std::array<int, CsvFieldCount> columns; // column index per field, -1 none
    int statusColumn = -1;                  // a status column ("状況", "status") when the file has one
    bool pounds = false;
    bool fatIsMass = false; // the body-fat column holds kilograms
    QStringList statuses{QStringLiteral("朝"), QStringLiteral("昼"),
                         QStringLiteral("夜")}; // morning, midday, evening
    CsvChoices() { columns.fill(-1); }
};

// The columns recognised from the header (none without a header).
CsvChoices RecogniseCsvColumns(const CsvTable &table);

// One measurement the import would store, with the cells that were guessed.
// Kept compact (a file may hold a million rows); record() builds the record.
struct CsvImportRow
{
    QDate date;
    int minuteOfDay = -1;           // -1: the row had no time
    std::array<double, 7> values{}; // weight .. bone, as stored
    std::array<bool, 7> filled{};   // taken from a neighbour
    QString status, comment;

    MeasurementRecord record() const;
};

struct CsvImportPlan
{
    QList<CsvImportRow> rows; // in date and time order
    qint64 duplicates = 0;
    QList<qint64> unreadableLines;
    QStringList newStatuses; // statuses the status list lacks
    bool cancelled = false;  // `progress` said stop: the plan is incomplete
};

// What importing `table` with `choices` into a diary holding `diary` (file
// order) and the status list `statusList` stores.
CsvImportPlan PlanCsvImport(const CsvTable &table, const CsvChoices &choices,
                            const QList<MeasurementRecord> &diary, const QStringList &statusList,
                            const CsvProgress &progress = {});

// "取り込む測定 162件　重複 3件　読めない行 2件（12行目, 57行目）"
QString CsvSummaryText(const CsvImportPlan &plan);

// The changes of "データ.txt" that merge the plan's records in date order (on a
// date, the existing records first, then the imported ones in time order).
StoreStatus CsvMergeSplices(const QString &dir, const CsvImportPlan &plan, QList<LineSplice> &splices);

// Copies "データ.txt" and "状況リスト.txt" to
// "データ_CSV取り込み前_yyyymmdd-hhmmss.txt" and "状況リスト_CSV取り込み前_…".
StoreStatus BackUpBeforeCsvImport(const QString &dir, const QString &stamp);

} // namespace zz
