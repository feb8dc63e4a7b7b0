#include "store/averageexport.h"
#include "tablecells.h"
#include "testrecord.h"
#include "views/average/dailyaverages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

MeasurementRecord Rec(const QString &date, float weight)
{
    return TestRecord(date, u"朝"_s, weight);
}

} // namespace

class TestDailyAverages : public QObject
{
    Q_OBJECT

private slots:
    void wholeDiary()
    {
        // Days 1, 2 and 4; two measurements on day 1.
        const DailyAverageView v =
            ComputeDailyAverages({Rec(u"2004/03/14"_s, 65.0f), Rec(u"2004/03/14"_s, 66.0f),
                                  Rec(u"2004/03/15"_s, 64.9f), Rec(u"2004/03/17"_s, 64.4f)});
        QCOMPARE(Cells(v.rows), (QList<QStringList>{{u"1"_s, u"04/03/14"_s, u"65.5"_s},
                                                    {u"2"_s, u"04/03/15"_s, u"64.9"_s},
                                                    {u"3"_s, u"04/03/16"_s, QString()},
                                                    {u"4"_s, u"04/03/17"_s, u"64.4"_s}}));
        // The empty day carries the day before forward on the chart.
        QCOMPARE(v.points, (QList<std::optional<double>>{65.5, 64.9, 64.9, 64.4}));
        QCOMPARE(v.days, (QStringList{u"04/03/14"_s, u"04/03/15"_s, u"04/03/16"_s, u"04/03/17"_s}));
        QCOMPARE(v.y, (AxisScale{64, 66, -1}));
    }

    void oneDay()
    {
        const DailyAverageView v =
            ComputeDailyAverages({Rec(u"2004/03/14"_s, 65.0f), Rec(u"2004/03/14"_s, 65.4f)});
        QCOMPARE(v.rows.size(), 1);
        QCOMPARE(v.rows[0].cells[2], u"65.2"_s);
    }

    void period_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QList<std::optional<double>>>("points");
        QTest::newRow("inside, numbered from 1")
            << QDate(2004, 3, 15) << QDate(2004, 3, 16)
            << QList<QStringList>{{u"1"_s, u"04/03/15"_s, u"64.9"_s}, {u"2"_s, u"04/03/16"_s, QString()}}
            << QList<std::optional<double>>{64.9, 64.9};
        QTest::newRow("starts on an empty day after a measured one")
            << QDate(2004, 3, 16) << QDate(2004, 3, 17)
            << QList<QStringList>{{u"1"_s, u"04/03/16"_s, QString()}, {u"2"_s, u"04/03/17"_s, u"64.4"_s}}
            << QList<std::optional<double>>{64.9, 64.4};
        QTest::newRow("reaches beyond the diary: only its days")
            << QDate(2004, 3, 1) << QDate(2004, 12, 31)
            << QList<QStringList>{{u"1"_s, u"04/03/14"_s, u"65.5"_s},
                                  {u"2"_s, u"04/03/15"_s, u"64.9"_s},
                                  {u"3"_s, u"04/03/16"_s, QString()},
                                  {u"4"_s, u"04/03/17"_s, u"64.4"_s}}
            << QList<std::optional<double>>{65.5, 64.9, 64.9, 64.4};
        QTest::newRow("no day of the diary") << QDate(2005, 1, 1) << QDate(2005, 1, 31)
                                             << QList<QStringList>{} << QList<std::optional<double>>{};
    }
    void period()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        const DailyAverageView v =
            ComputeDailyAverages({Rec(u"2004/03/14"_s, 65.0f), Rec(u"2004/03/14"_s, 66.0f),
                                  Rec(u"2004/03/15"_s, 64.9f), Rec(u"2004/03/17"_s, 64.4f)},
                                 AveragePeriod{start, end});
        QTEST(Cells(v.rows), "rows");
        QTEST(v.points, "points");
        QVERIFY(v.days.isEmpty());
        QCOMPARE(v.y, (AxisScale{64, 66, -1})); // the whole file's extremes
    }

    void periodDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("yy/mm/dd") << u"04/03/28"_s << QDate(2004, 3, 28);
        QTest::newRow("yyyy/mm/dd") << u"2004/03/28"_s << QDate(2004, 3, 28);
        QTest::newRow("unpadded") << u"04/3/5"_s << QDate(2004, 3, 5);
        QTest::newRow("no such day") << u"04/02/30"_s << QDate();
        QTest::newRow("words") << u"きのう"_s << QDate();
        QTest::newRow("empty") << QString() << QDate();
    }
    void periodDates()
    {
        QFETCH(QString, text);
        QTEST(ParseAveragePeriodDate(text).value_or(QDate()), "date");
    }

    void exportMatchesTheGoldenFile()
    {
        const DailyAverageView v = ComputeDailyAverages(
            {Rec(u"2004/03/14"_s, 65.0f), Rec(u"2004/03/14"_s, 66.0f), Rec(u"2004/03/16"_s, 64.9f)});
        QTemporaryDir dir;
        QVERIFY(WriteDailyAverageExport(dir.path(), ExportedDays(v.rows)).ok);
        QFile written(dir.filePath(u"日毎平均.txt"_s)),
            golden(QStringLiteral(ZZ_TEST_DATA_DIR) + u"/daily_average_export.txt"_s);
        QVERIFY(written.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), golden.readAll());
    }

    void weeksAndMonths_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<std::optional<AveragePeriod>>("period");
        QTest::addColumn<QList<QStringList>>("rows");
        // 2007/12/30 is a Sunday: its week began on Monday 2007/12/24; the
        // next week spans the new year.
        QTest::newRow("weeks across the new year")
            << int(AverageUnit::Week) << std::optional<AveragePeriod>()
            << QList<QStringList>{{u"1"_s, u"07/12/24週"_s, u"65.5"_s, u"22.5"_s},
                                  {u"2"_s, u"07/12/31週"_s, u"64.5"_s, u"22.5"_s},
                                  {u"3"_s, u"08/01/14週"_s, u"64.0"_s, u"22.5"_s}};
        QTest::newRow("months") << int(AverageUnit::Month) << std::optional<AveragePeriod>()
                                << QList<QStringList>{{u"1"_s, u"2007/12"_s, u"65.0"_s, u"22.5"_s},
                                                      {u"2"_s, u"2008/01"_s, u"64.5"_s, u"22.5"_s}};
        QTest::newRow("a period keeps the weeks that begin in it")
            << int(AverageUnit::Week)
            << std::optional<AveragePeriod>({QDate(2007, 12, 25), QDate(2008, 1, 14)})
            << QList<QStringList>{{u"1"_s, u"07/12/31週"_s, u"64.5"_s, u"22.5"_s},
                                  {u"2"_s, u"08/01/14週"_s, u"64.0"_s, u"22.5"_s}};
    }
    void weeksAndMonths()
    {
        QFETCH(int, unit);
        QFETCH(std::optional<AveragePeriod>, period);
        QFETCH(QList<QStringList>, rows);
        const PeriodAverageView v = ComputePeriodAverages(
            {Rec(u"2007/12/30"_s, 66.0f), Rec(u"2007/12/30"_s, 65.0f), Rec(u"2007/12/31"_s, 64.0f),
             Rec(u"2008/01/02"_s, 65.0f), Rec(u"2008/01/15"_s, 64.0f)},
            AverageUnit(unit), period);
        QCOMPARE(Cells(v.rows), rows);
        QCOMPARE(v.points.size(), rows.size());
        QCOMPARE(v.exported.size(), rows.size());
    }

    void periodExportMatchesTheGoldenFile()
    {
        const PeriodAverageView v = ComputePeriodAverages(
            {Rec(u"2007/12/30"_s, 66.0f), Rec(u"2007/12/31"_s, 64.0f), Rec(u"2008/01/02"_s, 65.0f)},
            AverageUnit::Week);
        QTemporaryDir dir;
        QVERIFY(WritePeriodAverageExport(dir.path(), u"週毎平均.txt"_s, v.exported).ok);
        QFile written(dir.filePath(u"週毎平均.txt"_s)),
            golden(QStringLiteral(ZZ_TEST_DATA_DIR) + u"/weekly_average_export.txt"_s);
        QVERIFY(written.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), golden.readAll());
    }
};

QTEST_GUILESS_MAIN(TestDailyAverages)
#include "tst_dailyaverages.moc"
