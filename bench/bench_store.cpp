#include "benchtable.h"

#include "store/csvimport.h"
#include "store/diaryhistory.h"
#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/olderfiles.h"
#include "store/safefile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "views/average/dailyaverages.h"
#include "views/common/trend.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <memory>
#include <random>

namespace zzbench {

namespace {

void check(const zz::StoreStatus &status)
{
    if (!status) {
        QTextStream(stderr) << status.userText() << '\n';
        std::abort();
    }
}

// Copies every file of `from` into `to`, replacing what is there.
void copyDiary(const QString &from, const QString &to)
{
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files)) {
        QFile::remove(QDir(to).filePath(name));
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
    }
}

} // namespace

void WriteLargeDiary(const QString &dir, int records)
{
    // Years of a diary kept two to three times a day: a weight that drifts
    // down and up again, the body values that go with it, a handful of
    // statuses, now and then a comment.
    static const QStringList statuses{
        QStringLiteral("起床後"), QStringLiteral("朝食後"), QStringLiteral("昼食後"),
        QStringLiteral("夕食前"), QStringLiteral("入浴後"), QStringLiteral("就寝前"),
    };
    static const QStringList comments{
        QStringLiteral("ウォーキング30分"), QStringLiteral("飲み会で食べ過ぎた"),
        QStringLiteral("ケーキを一個だけ"), QStringLiteral("体が軽い"),
        QStringLiteral("7:05:12"),
    };
    std::mt19937 random(20040314);
    std::uniform_real_distribution<double> noise(-0.3, 0.3);
    std::uniform_int_distribution<int> perDay(1, 4);
    std::uniform_int_distribution<int> pick(0, 99);

    QList<zz::MeasurementRecord> list;
    list.reserve(records);
    QDate date(1980, 1, 1);
    double trend = 72.0;
    while (list.size() < records) {
        const int count = perDay(random);
        for (int i = 0; i < count && list.size() < records; ++i) {
            zz::MeasurementRecord r;
            r.date = date.toString(QStringLiteral("yyyy/MM/dd"));
            r.status =
                list.isEmpty() ? QStringLiteral("はじめの一歩") : statuses.at(pick(random) % statuses.size());
            r.weight = float(std::round((trend + i * 0.4 + noise(random)) * 10) / 10);
            r.bodyFat = float(std::round((26.0 + (trend - 70) * 0.5 + noise(random)) * 10) / 10);
            r.basalMetabolism = qint16(1330 + pick(random) % 30);
            r.visceralFat = qint16(8 + (trend > 71 ? 1 : 0));
            r.muscleMass = float(std::round((48.5 + noise(random)) * 10) / 10);
            r.muscleScore = qint16(94 + pick(random) % 6);
            r.boneMass = pick(random) < 70 ? 2.8f : 2.7f;
            if (pick(random) < 10)
                r.comment = comments.at(pick(random) % comments.size());
            list.append(r);
        }
        date = date.addDays(pick(random) < 10 ? 2 : 1);
        trend += (pick(random) - 52) * 0.002; // slowly down, with long ups
        trend = std::clamp(trend, 60.0, 85.0);
    }
    check(zz::RewriteMeasurements(dir, list));
    check(zz::WritePersonalData(dir, {QStringLiteral("ベンチ"), 165.0f, 62.0f}));
    check(zz::WriteStatusListQuoted(dir, statuses));
    check(zz::WriteNoticeMemo(dir, QStringLiteral("毎朝量る。")));
    check(zz::WriteMarkerSetting(dir, 0));
    check(zz::WriteHelpTourSetting(dir, 0));
    check(zz::WriteIncrements(dir, QStringLiteral("0.1"), QStringLiteral("0.1")));
    check(zz::WriteMovingAverageWidth(dir, QStringLiteral("10")));
    check(zz::WriteAutoTime(dir, 0));
}

QString DiaryDirectory(int records)
{
    static QMap<int, std::shared_ptr<QTemporaryDir>> made;
    auto found = made.find(records);
    if (found == made.end()) {
        auto dir = std::make_shared<QTemporaryDir>();
        WriteLargeDiary(dir->path(), records);
        found = made.insert(records, dir);
    }
    return (*found)->path();
}

void StoreBenchmarks(Table &table)
{
    {
        // A weight-only file of the first edition, read, converted and written.
        QTemporaryDir temp;
        QByteArray source;
        for (int i = 0; i < 10000; ++i)
            source += "\"" +
                      QDate(1990, 1, 1).addDays(i / 3).toString(QStringLiteral("yyyy/MM/dd")).toLatin1() +
                      "\",\"asa\"," + QByteArray::number(70 + (i % 50) / 10.0) + "\r\n";
        zz::TypedValues typed;
        typed.bodyFat = 25;
        typed.basalMetabolism = 1350;
        table.measure(
            QStringLiteral("import of a 10,000-record weight-only file"), 0,
            [&] {
                zz::OlderFile file;
                bool found = false;
                check(zz::ReadWeightOnlyFile(temp.path(), file, found));
                check(zz::WriteWeightOnlyImport(temp.path(), zz::ConvertOlderRecords(file, typed)));
            },
            3,
            [&] {
                for (const QString &name : QDir(temp.path()).entryList(QDir::Files))
                    QFile::remove(temp.filePath(name));
                QFile out(temp.filePath(QStringLiteral("連続体重.txt")));
                if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size())
                    qFatal("cannot write the weight-only file");
            });
    }

    for (int size : {1000, 10000, Records()}) {
        const QString dir = DiaryDirectory(size);
        QList<zz::MeasurementRecord> records;
        table.measure(
            QStringLiteral("ReadMeasurements, %1 records").arg(WithThousands(size)), size == 50000 ? 25 : 0,
            [&] { check(zz::ReadMeasurements(dir, records)); }, 10,
            [] { zz::testing::ForgetMeasurementsRead(); });
    }

    {
        // A correction (the date moved half the diary away), a deletion, and
        // the undo of each, in a 50,000-record diary; the rewrite included.
        QTemporaryDir temp;
        copyDiary(DiaryDirectory(Records()), temp.path());
        QList<zz::MeasurementRecord> all;
        check(zz::ReadMeasurements(temp.path(), all));
        const qsizetype at = 100;
        const zz::MeasurementRecord old = all.at(at);
        zz::MeasurementRecord corrected = old;
        corrected.weight += 1.0f;
        corrected.date = all.at(all.size() / 2).date;
        QList<zz::LineSplice> done;
        zz::DiaryHistory history;
        table.measure(
            QStringLiteral("correct a measurement (date moved), 50,000 records"), 50,
            [&] {
                check(zz::CorrectMeasurement(temp.path(), at, old, corrected, done));
                history.push({QString(), done, false, {}, {}});
            },
            5, [&] { history.undo(temp.path()); });
        table.measure(
            QStringLiteral("undo of the correction, 50,000 records"), 50,
            [&] { check(history.undo(temp.path())); }, 5, [&] { history.redo(temp.path()); });
        history.clear();
        table.measure(
            QStringLiteral("delete a measurement, 50,000 records"), 50,
            [&] {
                check(zz::DeleteMeasurement(temp.path(), at, old, done));
                history.push({QString(), done, false, {}, {}});
            },
            5, [&] { history.undo(temp.path()); });
        table.measure(
            QStringLiteral("undo of the deletion, 50,000 records"), 50,
            [&] { check(history.undo(temp.path())); }, 5, [&] { history.redo(temp.path()); });
        history.undo(temp.path());
    }

    {
        // A scale app's export of 1,000,000 rows read and planned (what the
        // preview needs), and 10,000 new rows merged into 50,000 records.
        const auto csvOf = [](int rows, int firstDay) {
            QByteArray csv("Date,Weight (kg),Body Fat (%),Comments\r\n");
            csv.reserve(qsizetype(rows) * 40);
            for (int i = 0; i < rows; ++i)
                csv += QDate(1950, 1, 1)
                           .addDays(firstDay + i / 3)
                           .toString(QStringLiteral("yyyy-MM-dd"))
                           .toLatin1() +
                       (i % 3 == 0   ? " 07:10"
                        : i % 3 == 1 ? " 12:40"
                                     : " 21:05") +
                       ',' + QByteArray::number(60 + (i % 200) / 10.0) + ',' +
                       QByteArray::number(20 + (i % 50) / 10.0) + ",\r\n";
            return csv;
        };
        const QByteArray million = csvOf(1000000, 0);
        table.measure(
            QStringLiteral("CSV: read and plan 1,000,000 rows (the preview)"), 2000,
            [&] {
                zz::CsvTable csv;
                QString fault;
                if (!zz::ReadCsv(million, csv, fault))
                    std::abort();
                zz::PlanCsvImport(csv, zz::RecogniseCsvColumns(csv), {}, {QStringLiteral("朝")});
            },
            2);
        QTemporaryDir temp;
        copyDiary(DiaryDirectory(Records()), temp.path());
        QList<zz::MeasurementRecord> diary;
        check(zz::ReadMeasurements(temp.path(), diary));
        const QByteArray tenThousand = csvOf(10000, 20000);
        QByteArray before;
        check(zz::ReadWholeFile(QDir(temp.path()).filePath(QStringLiteral("データ.txt")), before));
        table.measure(
            QStringLiteral("CSV: merge 10,000 rows into 50,000 records"), 500,
            [&] {
                zz::CsvTable csv;
                QString fault;
                zz::ReadCsv(tenThousand, csv, fault);
                const zz::CsvImportPlan plan =
                    zz::PlanCsvImport(csv, zz::RecogniseCsvColumns(csv), diary, {QStringLiteral("朝")});
                QList<zz::LineSplice> splices;
                check(zz::CsvMergeSplices(temp.path(), plan, splices));
                check(zz::SpliceMeasurementLines(temp.path(), splices));
            },
            3,
            [&] {
                const QString path = QDir(temp.path()).filePath(QStringLiteral("データ.txt"));
                check(zz::ReplaceFile(path, path + QStringLiteral(".tmp"), before));
            });
    }

    const QString large = DiaryDirectory(Records());
    zz::MeasurementRecord start;
    table.measure(
        QStringLiteral("ReadStartRecord, 50,000 records"), 0,
        [&] { check(zz::ReadStartRecord(large, start)); }, 10);

    QTemporaryDir work;
    const QString dir = work.path();
    auto restore = [&] { copyDiary(large, dir); };

    zz::MeasurementRecord added = start;
    added.date = QStringLiteral("2100/01/01");
    added.status = QStringLiteral("起床後");
    added.comment = QStringLiteral("7:00:00");
    table.measure(
        QStringLiteral("AppendMeasurement to 50,000 records (synced)"), 0,
        [&] { check(zz::AppendMeasurement(dir, added)); }, 5, restore);

    zz::MeasurementRecord early = start;
    early.date = QStringLiteral("1979/12/31");
    early.comment.clear();
    table.measure(
        QStringLiteral("InsertMeasurementByDate at the start of 50,000 records"), 0,
        [&] { check(zz::InsertMeasurementByDate(dir, early)); }, 5, restore);

    table.measure(
        QStringLiteral("RenameStatusInMeasurements, 50,000 records"), 0,
        [&] {
            check(
                zz::RenameStatusInMeasurements(dir, QStringLiteral("夕食前"), QStringLiteral("晩ご飯の前")));
        },
        5, restore);

    QList<zz::MeasurementRecord> records;
    check(zz::ReadMeasurements(large, records));
    table.measure(
        QStringLiteral("RewriteMeasurements, 50,000 records"), 0,
        [&] { check(zz::RewriteMeasurements(dir, records)); }, 5, restore);

    QString forecast;
    table.measure(
        QStringLiteral("trend and forecast, 50,000 records"), 10,
        [&] {
            const zz::Trend trend = zz::ComputeTrend(records);
            forecast = zz::TrendText(trend) + zz::ForecastText(trend, 60.0, records.first().weight);
        },
        10);
    for (const auto &[unit, name] :
         {std::pair{zz::AverageUnit::Week, "weekly"}, {zz::AverageUnit::Month, "monthly"}})
        table.measure(
            QStringLiteral("%1 averages, 50,000 records").arg(QLatin1StringView(name)), 50,
            [&, unit = unit] { zz::ComputePeriodAverages(records, unit); }, 10);

    table.measure(
        QStringLiteral("OpenDiary (checks every file), 50,000 records"), 0,
        [&] { check(zz::OpenDiary(dir).status); }, 5, restore);
}

} // namespace zzbench
