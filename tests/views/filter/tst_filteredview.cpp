#include "tablecells.h"
#include "testrecord.h"
#include "views/filter/filteredview.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

MeasurementRecord Rec(const QString &date, const QString &status, float weight = 65.0f, float fat = 22.0f,
                      qint16 metabolism = 1350)
{
    return TestRecord(date, status, weight, fat, metabolism);
}

FilterRequest Request(const QString &start, const QString &end, const QString &search = {},
                      int weekday = AllWeekdays)
{
    return {{start, end, search, weekday}, !search.isEmpty(), weekday != AllWeekdays};
}

} // namespace

class TestFilteredView : public QObject
{
    Q_OBJECT

private slots:
    void passesFilter_data()
    {
        QTest::addColumn<MeasurementRecord>("record");
        QTest::addColumn<FilterCriteria>("criteria");
        QTest::addColumn<bool>("useStatus");
        QTest::addColumn<bool>("useWeekday");
        QTest::addColumn<bool>("passes");
        const FilterCriteria year2008{u"2008/01/01"_s, u"2008/12/31"_s, {}, AllWeekdays};
        const auto with = [&](const QString &search, int weekday = AllWeekdays) {
            FilterCriteria c = year2008;
            c.searchText = search;
            c.weekdayFilter = weekday;
            return c;
        };
        const MeasurementRecord morning = Rec(u"2008/03/14"_s, u"朝食前"_s); // a Friday
        QTest::newRow("period inclusive start")
            << Rec(u"2008/01/01"_s, u"朝"_s) << year2008 << false << false << true;
        QTest::newRow("period inclusive end")
            << Rec(u"2008/12/31"_s, u"朝"_s) << year2008 << false << false << true;
        QTest::newRow("before") << Rec(u"2007/12/31"_s, u"朝"_s) << year2008 << false << false << false;
        QTest::newRow("start after end")
            << morning << FilterCriteria{u"2008/05/01"_s, u"2008/01/01"_s, {}, 99} << false << false << false;
        QTest::newRow("typed 2008/3/5 sorts after 2008/12/31")
            << Rec(u"2008/12/31"_s, u"朝"_s) << FilterCriteria{u"2008/3/5"_s, u"2008/12/31"_s, {}, 99}
            << false << false << false;
        QTest::newRow("status part") << morning << with(u"朝"_s) << true << false << true;
        QTest::newRow("status elsewhere")
            << Rec(u"2008/03/14"_s, u"夕方"_s) << with(u"朝"_s) << true << false << false;
        QTest::newRow("full-width is not half-width")
            << Rec(u"2008/03/14"_s, u"a"_s) << with(u"ａ"_s) << true << false << false;
        QTest::newRow("empty status never passes")
            << Rec(u"2008/03/14"_s, QString()) << with(QString()) << true << false << false;
        QTest::newRow("empty search without status test")
            << Rec(u"2008/03/14"_s, QString()) << with(QString()) << false << false << true;
        QTest::newRow("Friday") << morning << with({}, 5) << false << true << true;
        QTest::newRow("not Sunday") << morning << with({}, 0) << false << true << false;
        QTest::newRow("weekday not asked") << morning << with({}, 0) << false << false << true;
    }
    void passesFilter()
    {
        QFETCH(MeasurementRecord, record);
        QFETCH(FilterCriteria, criteria);
        QFETCH(bool, useStatus);
        QFETCH(bool, useWeekday);
        QTEST(PassesFilter(record, criteria, useStatus, useWeekday), "passes");
    }

    void rowsMarksAndDates()
    {
        const QList<MeasurementRecord> records{Rec(u"2008/03/10"_s, u"朝"_s, 65.0f, 22.0f, 1302),
                                               Rec(u"2008/03/10"_s, u"夜"_s, 65.04f, 22.5f, 1348),
                                               Rec(u"2008/03/11"_s, u"朝"_s, 65.3f, 21.5f, 1320),
                                               Rec(u"2008/03/10"_s, u"昼"_s, 66.2f, 24.0f),
                                               Rec(u"2008/03/12"_s, u"朝"_s, 63.0f, 23.0f, 1310)};
        const FilteredView v = ComputeFilteredView(records, 160.0f, std::nullopt);
        QCOMPARE(v.weightRows.size(), 5);
        QCOMPARE(v.weightRows[0].cells,
                 (QStringList{u"1"_s, u"08/03/10"_s, u"月"_s, u"朝"_s, u"65.0Kg"_s, u"0.0Kg"_s, u"→"_s,
                              u"0.0Kg"_s, u"→"_s, u"25.4"_s, u"15.4%"_s, u"22.0%"_s}));
        QCOMPARE(v.weightRows[0].backgrounds.value(6), Colors::PaleYellow);
        // The rounded text decides the mark: 0.04 kg shows 0.0Kg with "→".
        QCOMPARE(v.weightRows[1].cells.mid(5, 2), (QStringList{u"0.0Kg"_s, u"→"_s}));
        QCOMPARE(v.weightRows[2].cells.mid(5, 4), (QStringList{u"0.3Kg"_s, u"↑"_s, u"0.3Kg"_s, u"↑"_s}));
        QCOMPARE(v.weightRows[2].backgrounds.value(8), Colors::PaleRed);
        QCOMPARE(v.weightRows[4].cells.mid(5, 2), (QStringList{u"-3.2Kg"_s, u"↓"_s}));
        QCOMPARE(v.compositionRows[0].cells,
                 (QStringList{u"1"_s, u"08/03/10"_s, u"月"_s, u"朝"_s, u"65.0Kg"_s, u"22.0%"_s, u"1302kcal"_s,
                              u"8"_s, u"45.2Kg"_s, u"95"_s, u"2.8Kg"_s}));
        // A date again after another day is listed again; one day's records once.
        QCOMPARE(v.dates, (QStringList{u"2008/03/10"_s, u"2008/03/11"_s, u"2008/03/10"_s, u"2008/03/12"_s}));
        QCOMPARE(v.left, (AxisScale{63, 67, -1}));
        QCOMPARE(v.right, (AxisScale{17, 27, -1}));
        QCOMPARE(v.metabolism.left, (AxisScale{1290, 1360, 10}));
        QCOMPARE(v.weights.size(), 5);
    }

    void listedRowsCompareWithEachOther()
    {
        // With the weekday criterion, 前回差 compares Mondays with Mondays.
        const QList<MeasurementRecord> records{Rec(u"2008/03/10"_s, u"朝"_s, 65.0f),
                                               Rec(u"2008/03/11"_s, u"朝"_s, 60.0f),
                                               Rec(u"2008/03/17"_s, u"朝"_s, 64.5f)};
        const FilteredView v =
            ComputeFilteredView(records, 160.0f, Request(u"2008/01/01"_s, u"2008/12/31"_s, {}, 1));
        QCOMPARE(Column(v.weightRows, 0), (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(Column(v.weightRows, 5), (QStringList{u"0.0Kg"_s, u"-0.5Kg"_s}));
        QVERIFY(v.dates.isEmpty());
    }

    void nothingListed()
    {
        const FilteredView v = ComputeFilteredView({Rec(u"2008/03/10"_s, u"朝"_s)}, 160.0f,
                                                   Request(u"2009/01/01"_s, u"2009/12/31"_s));
        QVERIFY(v.weightRows.isEmpty() && v.compositionRows.isEmpty());
        QVERIFY(!v.left.usable() && !v.right.usable());
        QCOMPARE(v.metabolism.rowCount, 1);
        QCOMPARE(v.bone.left.divisions, -1);
    }

    void noHeightNoBmi()
    {
        const FilteredView v = ComputeFilteredView({Rec(u"2008/03/10"_s, u"朝"_s)}, 0.0f, std::nullopt);
        QCOMPARE(v.weightRows[0].cells.mid(9), (QStringList{QString(), QString(), u"22.0%"_s}));
    }
};

QTEST_GUILESS_MAIN(TestFilteredView)
#include "tst_filteredview.moc"
