#pragma once

// Every way the program writes the diary, each as "prepare a diary" and "do
// the write", shared by the interruption tests (a failure injected at each
// step) and the kill tests (the write in a child process killed at random).

#include "base/cp932.h"
#include "store/averageexport.h"
#include "store/backups.h"
#include "store/csvimport.h"
#include "store/diaryhistory.h"
#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/newstart.h"
#include "store/olderfiles.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "testrecord.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <functional>

namespace writepaths {

using namespace Qt::StringLiterals;

struct WritePath
{
    QString name;
    std::function<void(const QString &dir)> extra; // files beyond the ordinary diary
    std::function<zz::StoreStatus(const QString &dir)> write;
    bool emptyFolder = false; // runs on a folder without a diary (the first start)
};

inline void WriteRaw(const QString &dir, const QString &name, const QString &lines)
{
    QByteArray bytes;
    if (!zz::EncodeCp932(lines, bytes))
        qFatal("not encodable");
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

// An ordinary diary of 200 records with every small file.
inline void PrepareDiary(const QString &dir)
{
    QList<zz::MeasurementRecord> records;
    for (int i = 0; i < 200; ++i) {
        zz::MeasurementRecord r = TestRecord(QDate(2026, 1, 1).addDays(i / 2).toString(u"yyyy/MM/dd"_s),
                                             i % 2 ? u"夕食後"_s : u"朝起きて"_s, 70.0f - i * 0.01f);
        r.comment = i % 7 ? QString() : u"一言"_s;
        r.spare = i % 11 ? QString() : u"予備"_s;
        records.append(r);
    }
    const bool ok = zz::RewriteMeasurements(dir, records).ok &&
                    zz::WritePersonalData(dir, {u"花子"_s, 160.0f, 60.0f}).ok &&
                    zz::WriteStatusListPlain(dir, {u"朝起きて"_s, u"夕食後"_s, u"入浴後"_s}).ok &&
                    zz::WriteNoticeMemo(dir, u"メモ\r\n二行目"_s).ok && zz::WriteMarkerSetting(dir, 0).ok &&
                    zz::WriteHelpTourSetting(dir, 0).ok && zz::WriteIncrements(dir, u"0.1"_s, u"0.1"_s).ok &&
                    zz::WriteMovingAverageWidth(dir, u"10"_s).ok && zz::WriteAutoTime(dir, 0).ok;
    if (!ok)
        qFatal("cannot prepare the diary");
}

// The conversion of an edition "データ.txt", as the startup does it.
inline zz::StoreStatus ImportEditionFile(const QString &dir)
{
    zz::OlderFile file;
    bool found = false;
    if (zz::StoreStatus s = zz::ReadEditionFile(dir, file, found); !s || !found)
        return s; // nothing (left) to convert
    return zz::WriteEditionImport(dir, zz::ConvertOlderRecords(file, {}));
}

inline QList<WritePath> Paths()
{
    const auto none = [](const QString &) {};
    const auto records = [](const QString &dir) {
        QList<zz::MeasurementRecord> list;
        zz::ReadMeasurements(dir, list);
        return list;
    };
    return {
        {u"save: append"_s, none,
         [](const QString &dir) {
             return zz::AppendMeasurement(dir, TestRecord(u"2026/12/31"_s, u"朝"_s, 65.0f));
         }},
        {u"save: insert"_s, none,
         [](const QString &dir) {
             return zz::InsertMeasurementByDate(dir, TestRecord(u"2026/01/05"_s, u"朝"_s, 65.0f));
         }},
        {u"comment rewrite"_s, none,
         [records](const QString &dir) {
             return zz::ReplaceMeasurementComment(dir, 50, records(dir).at(50).date, u"ケーキ"_s);
         }},
        {u"status rename, measurements"_s, none,
         [](const QString &dir) {
             return zz::RenameStatusInMeasurements(dir, u"朝起きて"_s, u"起床直後"_s);
         }},
        {u"status rename, list"_s, none,
         [](const QString &dir) {
             return zz::WriteStatusListQuoted(dir, {u"起床直後"_s, u"夕食後"_s, u"入浴後"_s});
         }},
        {u"status add"_s, none, [](const QString &dir) { return zz::AppendStatusPlain(dir, u"散歩後"_s); }},
        {u"status free entry"_s, none,
         [](const QString &dir) { return zz::AppendStatusQuoted(dir, u"散歩後"_s); }},
        {u"status order and delete"_s, none,
         [](const QString &dir) {
             return zz::WriteStatusListPlain(dir, {u"入浴後"_s, u"朝起きて"_s});
         }},
        {u"status delete all"_s, none, [](const QString &dir) { return zz::WriteStatusListPlain(dir, {}); }},
        {u"memo"_s, none, [](const QString &dir) { return zz::WriteNoticeMemo(dir, u"新しいメモ"_s); }},
        {u"personal data"_s, none,
         [](const QString &dir) {
             return zz::WritePersonalData(dir, {u"Hanako"_s, 158.5f, 55.0f});
         }},
        {u"help tour"_s, none, [](const QString &dir) { return zz::WriteHelpTourSetting(dir, 1); }},
        {u"increments"_s, none,
         [](const QString &dir) { return zz::WriteIncrements(dir, u"0.2"_s, u"0.5"_s); }},
        {u"moving average"_s, none,
         [](const QString &dir) { return zz::WriteMovingAverageWidth(dir, u"7"_s); }},
        {u"automatic time"_s, none, [](const QString &dir) { return zz::WriteAutoTime(dir, 1); }},
        {u"marker"_s, none, [](const QString &dir) { return zz::WriteMarkerSetting(dir, 2); }},
        {u"export"_s, none,
         [](const QString &dir) {
             return zz::WriteDailyAverageExport(dir, {{u"26/01/01"_s, 69.9}, {u"26/01/02"_s, 0}});
         }},
        {u"new start"_s, none,
         [](const QString &dir) {
             return zz::StartNewDiary(dir, {u"Hanako"_s, 158.5f, 55.0f},
                                      TestRecord(u"2026/12/07"_s, u"はじめ"_s, 65.0f),
                                      QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
         }},
        {u"correct a measurement"_s, none,
         [records](const QString &dir) {
             const zz::MeasurementRecord old = records(dir).at(10);
             zz::MeasurementRecord changed = old;
             changed.date = u"2026/03/01"_s;
             changed.weight = 64.5f;
             QList<zz::LineSplice> done;
             return zz::CorrectMeasurement(dir, 10, old, changed, done);
         }},
        {u"delete a measurement"_s, none,
         [records](const QString &dir) {
             QList<zz::LineSplice> done;
             return zz::DeleteMeasurement(dir, 10, records(dir).at(10), done);
         }},
        {u"undo a deletion"_s,
         [records](const QString &dir) {
             QList<zz::LineSplice> done;
             if (!zz::DeleteMeasurement(dir, 10, records(dir).at(10), done) || done.size() != 1)
                 qFatal("cannot delete");
             WriteRaw(dir, u"deleted.bin"_s, QString::fromLatin1(done.first().oldLines.first().toBase64()));
         },
         [](const QString &dir) {
             QFile kept(QDir(dir).filePath(u"deleted.bin"_s));
             if (!kept.open(QIODevice::ReadOnly))
                 return zz::StoreStatus::failure(u"deleted.bin"_s, u"missing"_s);
             const QByteArray line = QByteArray::fromBase64(kept.readAll());
             return zz::SpliceMeasurementLines(dir, {{10, {}, {line}}});
         }},
        {u"backup"_s, none,
         [](const QString &dir) {
             return zz::BackUpDiary(dir, QDateTime(QDate(2026, 12, 7), QTime(8, 0)), true);
         }},
        {u"restore a backup"_s,
         [](const QString &dir) {
             if (!zz::BackUpDiary(dir, QDateTime(QDate(2026, 12, 6), QTime(8, 0)), true) ||
                 !zz::AppendMeasurement(dir, TestRecord(u"2026/12/31"_s, u"朝"_s, 65.0f)) ||
                 !zz::WriteNoticeMemo(dir, u"後のメモ"_s))
                 qFatal("cannot prepare the restore");
         },
         [](const QString &dir) {
             return zz::RestoreBackup(dir, u"20261206-080000"_s, QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
         }},
        {u"CSV import"_s,
         [](const QString &dir) {
             QFile csv(QDir(dir).filePath(u"scale.csv"_s));
             if (!csv.open(QIODevice::WriteOnly) ||
                 csv.write("Date,Weight (kg),Body Fat (%)\r\n2026-01-03 21:00,69.9,24\r\n"
                           "2026-02-01 07:00,69.5,23.5\r\n2027-01-01 07:00,68,23\r\n") < 0)
                 qFatal("cannot write the CSV file");
         },
         [](const QString &dir) {
             QFile csv(QDir(dir).filePath(u"scale.csv"_s));
             if (!csv.open(QIODevice::ReadOnly))
                 return zz::StoreStatus::failure(u"scale.csv"_s, u"missing"_s);
             zz::CsvTable table;
             QString fault;
             zz::ReadCsv(csv.readAll(), table, fault);
             QList<zz::MeasurementRecord> diary;
             zz::ReadMeasurements(dir, diary);
             const zz::CsvImportPlan plan =
                 zz::PlanCsvImport(table, zz::RecogniseCsvColumns(table), diary, {u"朝起きて"_s});
             QList<zz::LineSplice> splices;
             zz::StoreStatus status = zz::CsvMergeSplices(dir, plan, splices);
             return status ? zz::SpliceMeasurementLines(dir, splices) : status;
         }},
        {u"first start: sample install"_s, none,
         [](const QString &dir) { return zz::InstallSampleIfNoDiary(dir).status; }, true},
        {u"import: weight-only"_s,
         [](const QString &dir) {
             WriteRaw(dir, u"連続体重.txt"_s,
                      u"\"2003/01/05\",\"朝\",80.5\r\n\"2003/01/06\",\"夜\",80\r\n"_s);
         },
         [](const QString &dir) {
             zz::OlderFile file;
             bool found = false;
             if (zz::StoreStatus s = zz::ReadWeightOnlyFile(dir, file, found); !s || !found)
                 return s; // nothing (left) to convert
             return zz::WriteWeightOnlyImport(dir, zz::ConvertOlderRecords(file, {}));
         }},
        {u"import: first edition"_s,
         [](const QString &dir) {
             WriteRaw(dir, u"データ.txt"_s, u"\"2003/01/05\",\"朝\",80.5,\"\",\"x\",\"\"\r\n"_s);
         },
         ImportEditionFile},
        {u"import: second edition"_s,
         [](const QString &dir) {
             WriteRaw(dir, u"データ.txt"_s, u"\"2003/01/05\",\"朝\",80.5,\"\",25.5,\"\"\r\n"_s);
         },
         ImportEditionFile},
    };
}

// A fresh diary with what `path` needs besides.
inline void Prepare(const WritePath &path, const QString &dir)
{
    if (!path.emptyFolder)
        PrepareDiary(dir);
    path.extra(dir);
}

inline QMap<QString, QByteArray> Snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(dir).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

// Empty when every file now is its old or its new content, whole, and no
// file of the old diary is gone unless the completed write removes it;
// otherwise what is wrong.
inline QString CheckOldOrNew(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after,
                             const QMap<QString, QByteArray> &now)
{
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const bool old = before.contains(it.key()) && before[it.key()] == it.value();
        const bool fresh = after.contains(it.key()) && after[it.key()] == it.value();
        if (!old && !fresh)
            return it.key() + u" is neither its old nor its new content ("_s +
                   QString::number(it.value().size()) + u" bytes)"_s;
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!now.contains(it.key()) && after.contains(it.key()))
            return it.key() + u" is missing"_s;
    return {};
}

} // namespace writepaths
