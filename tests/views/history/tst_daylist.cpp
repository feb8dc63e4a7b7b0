#include "tablecells.h"
#include "testrecord.h"
#include "views/history/daylist.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zz::FaceMark)

namespace {

MeasurementRecord Rec(const QString &date, const QString &status, float weight, float fat,
                      qint16 metabolism = 1400, qint16 visceral = 9, float muscle = 40.0f, qint16 score = 90,
                      float bone = 2.9f)
{
    return TestRecord(date, status, weight, fat, metabolism, visceral, muscle, score, bone);
}

// A diary started on 2003/08/21 with two measurements on the start day, one
// the day before the day looked at most, two on that day and one later.
QList<MeasurementRecord> Diary()
{
    return {
        Rec(u"2003/08/21"_s, u"朝"_s, 74.5f, 30.0f, 1500, 10, 40.0f, 95, 3.0f),
        Rec(u"2003/08/21"_s, u"夜"_s, 74.9f, 30.2f),
        Rec(u"2004/04/12"_s, u"朝"_s, 73.5f, 29.0f),
        Rec(u"2004/04/13"_s, u"朝"_s, 73.4f, 28.5f, 1350, 9, 38.2f, 90, 2.8f),
        Rec(u"2004/04/13"_s, u"夜"_s, 73.2f, 28.0f, 1372, 9, 38.5f, 91, 3.0f),
        Rec(u"2004/05/01"_s, u"朝"_s, 72.0f, 27.0f),
    };
}

} // namespace

class TestDayList : public QObject
{
    Q_OBJECT

private slots:
    void weightRows_data();
    void weightRows();
    void compositionRowsOfADay();
    void marksCarryTheirColours();
    void summaryLabels_data();
    void summaryLabels();
    void referenceAndFileValues_data();
    void referenceAndFileValues();
    void dayExtremesAndChartRows();
    void recordCountIsNotLimitedTo16Bits();
    void noHeightLeavesBmiAndObesityEmpty();
};

void TestDayList::weightRows_data()
{
    QTest::addColumn<QList<MeasurementRecord>>("records");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<FaceMark>("face");

    QTest::newRow("later day: first row against the record before it, ends lower")
        << Diary() << u"2004/04/13"_s
        << QList<QStringList>{{u"1"_s, u"朝"_s, u"73.4Kg"_s, u"-0.1Kg"_s, u"↓"_s, u"0.0Kg"_s, u"→"_s,
                               u"28.7"_s, u"30.3%"_s, u"28.5%"_s},
                              {u"2"_s, u"夜"_s, u"73.2Kg"_s, u"-0.2Kg"_s, u"↓"_s, u"-0.2Kg"_s, u"↓"_s,
                               u"28.6"_s, u"30.0%"_s, u"28.0%"_s}}
        << FaceMark::Wara;

    QTest::newRow("start day: first measurement against itself, ends higher")
        << Diary() << u"2003/08/21"_s
        << QList<QStringList>{{u"1"_s, u"朝"_s, u"74.5Kg"_s, u"0.0Kg"_s, u"→"_s, u"0.0Kg"_s, u"→"_s,
                               u"29.1"_s, u"32.3%"_s, u"30.0%"_s},
                              {u"2"_s, u"夜"_s, u"74.9Kg"_s, u"0.4Kg"_s, u"↑"_s, u"0.4Kg"_s, u"↑"_s,
                               u"29.3"_s, u"33.0%"_s, u"30.2%"_s}}
        << FaceMark::Kana;

    QTest::newRow("day without measurements")
        << Diary() << u"2004/01/01"_s << QList<QStringList>{} << FaceMark::Nashi;

    QTest::newRow("0.04 kg is shown as 0.0Kg and marked as unchanged")
        << QList<MeasurementRecord>{Rec(u"2004/01/01"_s, u"朝"_s, 65.4f, 20.0f),
                                    Rec(u"2004/01/02"_s, u"朝"_s, 65.4f, 20.0f),
                                    Rec(u"2004/01/02"_s, u"夜"_s, 65.44f, 20.0f)}
        << u"2004/01/02"_s
        << QList<QStringList>{{u"1"_s, u"朝"_s, u"65.4Kg"_s, u"0.0Kg"_s, u"→"_s, u"0.0Kg"_s, u"→"_s,
                               u"25.5"_s, u"16.1%"_s, u"20.0%"_s},
                              {u"2"_s, u"夜"_s, u"65.4Kg"_s, u"0.0Kg"_s, u"→"_s, u"0.0Kg"_s, u"→"_s,
                               u"25.6"_s, u"16.2%"_s, u"20.0%"_s}}
        << FaceMark::Niko;

    QTest::newRow("65.4 then 65.1") << QList<MeasurementRecord>{Rec(u"2004/01/01"_s, u"朝"_s, 66.0f, 20.0f),
                                                                Rec(u"2004/01/05"_s, u"朝"_s, 65.4f, 20.0f),
                                                                Rec(u"2004/01/05"_s, u"夜"_s, 65.1f, 19.5f)}
                                    << u"2004/01/05"_s
                                    << QList<QStringList>{{u"1"_s, u"朝"_s, u"65.4Kg"_s, u"-0.6Kg"_s, u"↓"_s,
                                                           u"0.0Kg"_s, u"→"_s, u"25.5"_s, u"16.1%"_s,
                                                           u"20.0%"_s},
                                                          {u"2"_s, u"夜"_s, u"65.1Kg"_s, u"-0.3Kg"_s, u"↓"_s,
                                                           u"-0.3Kg"_s, u"↓"_s, u"25.4"_s, u"15.6%"_s,
                                                           u"19.5%"_s}}
                                    << FaceMark::Wara;

    QTest::newRow("the face follows the last row even when the middle went up")
        << QList<MeasurementRecord>{Rec(u"2004/01/01"_s, u"朝"_s, 66.0f, 20.0f),
                                    Rec(u"2004/01/05"_s, u"朝"_s, 65.0f, 20.0f),
                                    Rec(u"2004/01/05"_s, u"昼"_s, 66.0f, 20.0f),
                                    Rec(u"2004/01/05"_s, u"夜"_s, 65.0f, 20.0f)}
        << u"2004/01/05"_s
        << QList<QStringList>{{u"1"_s, u"朝"_s, u"65.0Kg"_s, u"-1.0Kg"_s, u"↓"_s, u"0.0Kg"_s, u"→"_s,
                               u"25.4"_s, u"15.4%"_s, u"20.0%"_s},
                              {u"2"_s, u"昼"_s, u"66.0Kg"_s, u"1.0Kg"_s, u"↑"_s, u"1.0Kg"_s, u"↑"_s,
                               u"25.8"_s, u"17.2%"_s, u"20.0%"_s},
                              {u"3"_s, u"夜"_s, u"65.0Kg"_s, u"-1.0Kg"_s, u"↓"_s, u"0.0Kg"_s, u"→"_s,
                               u"25.4"_s, u"15.4%"_s, u"20.0%"_s}}
        << FaceMark::Niko;
}

void TestDayList::weightRows()
{
    QFETCH(QList<MeasurementRecord>, records);
    QFETCH(QString, date);
    QFETCH(QList<QStringList>, rows);
    QFETCH(FaceMark, face);

    const DayListResult r = ComputeDayList(records, date, 160.0f);
    QCOMPARE(Cells(r.weightRows), rows);
    QCOMPARE(r.compositionRows.size(), rows.size());
    QCOMPARE(r.face, face);
}

void TestDayList::compositionRowsOfADay()
{
    const DayListResult r = ComputeDayList(Diary(), u"2004/04/13"_s, 160.0f);
    const QList<QStringList> expected{
        {u"1"_s, u"朝"_s, u"73.4Kg"_s, u"28.5%"_s, u"1350kcal"_s, u"9"_s, u"38.2Kg"_s, u"90"_s, u"2.8Kg"_s},
        {u"2"_s, u"夜"_s, u"73.2Kg"_s, u"28.0%"_s, u"1372kcal"_s, u"9"_s, u"38.5Kg"_s, u"91"_s, u"3.0Kg"_s},
    };
    QCOMPARE(Cells(r.compositionRows), expected);
    for (const TableRow &row : r.compositionRows)
        QVERIFY(row.backgrounds.isEmpty());
}

void TestDayList::marksCarryTheirColours()
{
    const DayListResult r = ComputeDayList(Diary(), u"2004/04/13"_s, 160.0f);
    QCOMPARE(r.weightRows.size(), 2);
    const TableRow &first = r.weightRows.at(0);
    QCOMPARE(first.backgrounds.keys(), (QList<int>{4, 6}));
    QCOMPARE(first.backgrounds.value(4), Colors::PaleGreen);
    QCOMPARE(first.backgrounds.value(6), Colors::PaleYellow);

    const DayListResult up = ComputeDayList(Diary(), u"2003/08/21"_s, 160.0f);
    QCOMPARE(up.weightRows.at(1).backgrounds.value(4), Colors::PaleRed);
    QCOMPARE(up.weightRows.at(1).backgrounds.value(6), Colors::PaleRed);
}

void TestDayList::summaryLabels_data()
{
    QTest::addColumn<QList<MeasurementRecord>>("records");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("day with measurements") << Diary() << u"2004/04/13"_s
                                           << QStringList{u"03/08/21 → 236日経過"_s, u"74.5Kg → 1.3Kg 減"_s,
                                                          u"29.1 → 0.5 減"_s, u"32.3% → 2.3% 減"_s};
    QTest::newRow("day without measurements compares the last record")
        << Diary() << u"2004/01/01"_s
        << QStringList{u"03/08/21 → 254日経過"_s, u"74.5Kg → 2.5Kg 減"_s, u"29.1 → 1.0 減"_s,
                       u"32.3% → 4.4% 減"_s};
    QTest::newRow("start day going up") << Diary() << u"2003/08/21"_s
                                        << QStringList{u"03/08/21 → 0日経過"_s, u"74.5Kg → 0.4Kg 増"_s,
                                                       u"29.1 → 0.2 増"_s, u"32.3% → 0.7% 増"_s};
    QTest::newRow("weight equal to the start weight")
        << QList<MeasurementRecord>{Rec(u"2004/02/28"_s, u"朝"_s, 70.0f, 25.0f),
                                    Rec(u"2004/03/01"_s, u"朝"_s, 70.0f, 24.0f)}
        << u"2004/03/01"_s
        << QStringList{u"04/02/28 → 2日経過"_s, u"70.0Kg → 0.0Kg 同"_s, u"27.3 → 0.0 同"_s,
                       u"24.3% → 0.0% 同"_s};
}

void TestDayList::summaryLabels()
{
    QFETCH(QList<MeasurementRecord>, records);
    QFETCH(QString, date);
    QFETCH(QStringList, labels);

    const DayListResult r = ComputeDayList(records, date, 160.0f);
    QCOMPARE((QStringList{r.lblDspNissuu, r.lblDspTai, r.lblDspBmi, r.lblDspHiman}), labels);
}

void TestDayList::referenceAndFileValues_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("referenceIndex");

    QTest::newRow("last measurement of the day") << u"2004/04/13"_s << 4;
    QTest::newRow("last measurement of the start day") << u"2003/08/21"_s << 1;
    QTest::newRow("no measurement: the file's last record") << u"2004/01/01"_s << 5;
    QTest::newRow("after the last record") << u"2005/01/01"_s << 5;
}

void TestDayList::referenceAndFileValues()
{
    QFETCH(QString, date);
    QFETCH(int, referenceIndex);

    const QList<MeasurementRecord> diary = Diary();
    const DayListResult r = ComputeDayList(diary, date, 160.0f);
    QCOMPARE(r.referenceMeasurement, diary.at(referenceIndex));
    QCOMPARE(r.lastRecord, diary.last());
    QCOMPARE(r.lastRecordDate, u"2004/05/01"_s);
    QCOMPARE(r.recordCount, qint64(diary.size()));
    QCOMPARE(r.startDate, u"2003/08/21"_s);
    QCOMPARE(r.startWeight, 74.5f);

    const float heightSquared = 1.6f * 1.6f;
    QCOMPARE(r.standardWeight, heightSquared * 22.0f);
    QCOMPARE(r.startBmi, 74.5f / heightSquared);
    QCOMPARE(r.currentBmi, diary.at(referenceIndex).weight / heightSquared);
    QCOMPARE(r.currentObesity, (diary.at(referenceIndex).weight - r.standardWeight) / r.standardWeight);
}

void TestDayList::dayExtremesAndChartRows()
{
    const DayListResult day = ComputeDayList(Diary(), u"2004/04/13"_s, 160.0f);
    QCOMPARE(day.dayMaxWeight, 73.4f);
    QCOMPARE(day.dayMinWeight, 73.2f);
    QCOMPARE(day.dayMaxFat, 28.5f);
    QCOMPARE(day.dayMinFat, 28.0f);
    QCOMPARE(day.dayWeights, (QList<float>{73.4f, 73.2f}));
    QCOMPARE(day.dayFats, (QList<float>{28.5f, 28.0f}));

    const DayListResult empty = ComputeDayList(Diary(), u"2004/01/01"_s, 160.0f);
    QCOMPARE(empty.dayMaxWeight, 0.0f);
    QCOMPARE(empty.dayMinWeight, 999.0f);
    QCOMPARE(empty.dayMaxFat, 0.0f);
    QCOMPARE(empty.dayMinFat, 999.0f);
    QVERIFY(empty.dayWeights.isEmpty());
    QVERIFY(empty.dayFats.isEmpty());
}

void TestDayList::recordCountIsNotLimitedTo16Bits()
{
    QList<MeasurementRecord> records;
    const QDate start(2000, 1, 1);
    for (int i = 0; i < 40000; ++i)
        records.append(Rec(start.addDays(i / 4).toString(u"yyyy/MM/dd"_s), u"朝"_s, 70.0f, 20.0f));
    const DayListResult r = ComputeDayList(records, u"2000/01/02"_s, 170.0f);
    QCOMPARE(r.recordCount, qint64(40000));
    QCOMPARE(r.weightRows.size(), 4);
    QCOMPARE(r.weightRows.at(3).cells.at(0), u"4"_s);
}

void TestDayList::noHeightLeavesBmiAndObesityEmpty()
{
    const DayListResult r = ComputeDayList(Diary(), u"2004/04/13"_s, 0.0f);
    QCOMPARE(r.weightRows[0].cells.mid(7), (QStringList{QString(), QString(), u"28.5%"_s}));
    QVERIFY(r.lblDspBmi.isEmpty() && r.lblDspHiman.isEmpty());
    QCOMPARE(r.lblDspTai, u"74.5Kg → 1.3Kg 減"_s);
}

QTEST_APPLESS_MAIN(TestDayList)
#include "tst_daylist.moc"
