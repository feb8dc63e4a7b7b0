#include "testrecord.h"
#include "views/calendar/weightcalendar.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

MeasurementRecord Rec(const QString &date, float weight)
{
    return TestRecord(date, u"朝"_s, weight);
}

} // namespace

class TestWeightCalendar : public QObject
{
    Q_OBJECT

private slots:
    void dayClasses_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<Rgb>("detailed");
        QTest::addColumn<Rgb>("simple");
        QTest::addColumn<QString>("counter");
        QTest::newRow("down") << QList<float>{65.4f, 65.0f} << Colors::PaleGreen << Colors::PaleGreen
                              << u"lblDn_c"_s;
        QTest::newRow("first equals last")
            << QList<float>{65.4f, 65.0f, 65.4f} << Colors::PaleYellow << Colors::PaleGreen << u"lblSm_c"_s;
        QTest::newRow("up") << QList<float>{99.8f, 100.2f} << Colors::PaleRed << Colors::PaleRed
                            << u"lblUp_c"_s;
        QTest::newRow("once") << QList<float>{65.0f} << Colors::PaleBlue << Colors::PaleRed << u"lblOne_c"_s;
    }
    void dayClasses()
    {
        QFETCH(QList<float>, weights);
        QFETCH(QString, counter);
        QList<MeasurementRecord> records;
        for (float w : weights)
            records.append(Rec(u"2004/03/05"_s, w));
        const CalendarView detailed =
            ComputeCalendar(records, CalendarMode::Detailed, u"2004/03/05"_s, QDate(2004, 3, 5));
        const CalendarView simple =
            ComputeCalendar(records, CalendarMode::Simple, u"2004/03/05"_s, QDate(2004, 3, 5));
        QCOMPARE(detailed.rows.size(), 1);
        QCOMPARE(detailed.rows[0].cells.size(), 32);
        QCOMPARE(detailed.rows[0].cells[0], u"2004年03月"_s);
        QTEST(detailed.rows[0].backgrounds.value(5), "detailed");
        QTEST(simple.rows[0].backgrounds.value(5), "simple");
        QCOMPARE(detailed.rows[0].backgrounds.keys(), QList<int>{5});
        const QString texts[] = {detailed.lblDn_c, detailed.lblSm_c, detailed.lblUp_c, detailed.lblOne_c};
        const QString names[] = {u"lblDn_c"_s, u"lblSm_c"_s, u"lblUp_c"_s, u"lblOne_c"_s};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(texts[i].endsWith(u"  1日"_s), names[i] == counter);
        QCOMPARE(detailed.lblNon_c, u"未計測  0日"_s);
    }

    void monthsCountersAndFace()
    {
        // March 5 and April 20; no row for the months between May and July.
        const CalendarView v = ComputeCalendar({Rec(u"2004/03/05"_s, 65.0f), Rec(u"2004/03/05"_s, 64.5f),
                                                Rec(u"2004/04/20"_s, 64.0f), Rec(u"2004/04/20"_s, 63.8f),
                                                Rec(u"2004/08/01"_s, 64.2f)},
                                               CalendarMode::Detailed, u"2004/03/05"_s, QDate(2004, 8, 2));
        QCOMPARE(v.rows.size(), 3);
        QCOMPARE(v.rows[1].cells[0], u"2004年04月"_s);
        QCOMPARE(v.rows[1].backgrounds.keys(), QList<int>{20});
        QCOMPARE(v.rows[2].cells[0], u"2004年08月"_s);
        QCOMPARE(v.lblDn_c, u"体重減  2日"_s);
        QCOMPARE(v.lblOne_c, u"１回だけ計測  1日"_s);
        // 2004/03/05 .. 2004/08/02 is 151 days, three of them measured.
        QCOMPARE(v.lblNon_c, u"未計測  148日"_s);
        QCOMPARE(v.lblGenT, u"2日"_s);
        QCOMPARE(v.lblZouT, u"1日"_s);
        QCOMPARE(v.lblHugou, u">"_s);
        QCOMPARE(v.face, CalendarFace::Wara);
    }

    void notMeasuredIsNeverNegative()
    {
        // Every day measured, and a record dated after today.
        const CalendarView v = ComputeCalendar(
            {Rec(u"2004/03/05"_s, 65.0f), Rec(u"2004/03/06"_s, 65.2f), Rec(u"2004/03/09"_s, 65.1f)},
            CalendarMode::Detailed, u"2004/03/05"_s, QDate(2004, 3, 6));
        QCOMPARE(v.lblNon_c, u"未計測  0日"_s);
        QCOMPARE(v.lblHugou, u"<"_s);
        QCOMPARE(v.face, CalendarFace::Kana);
    }

    void cellDates_data()
    {
        QTest::addColumn<QString>("month");
        QTest::addColumn<int>("column");
        QTest::addColumn<QDate>("date");
        QTest::newRow("a day") << u"2004年03月"_s << 5 << QDate(2004, 3, 5);
        QTest::newRow("month column") << u"2004年03月"_s << 0 << QDate();
        QTest::newRow("31 April") << u"2004年04月"_s << 31 << QDate();
        QTest::newRow("29 February, leap year") << u"2004年02月"_s << 29 << QDate(2004, 2, 29);
        QTest::newRow("29 February, common year") << u"2005年02月"_s << 29 << QDate();
        QTest::newRow("header text") << u"年月"_s << 3 << QDate();
    }
    void cellDates()
    {
        QFETCH(QString, month);
        QFETCH(int, column);
        QTEST(CalendarCellDate(month, column).value_or(QDate()), "date");
    }
};

QTEST_GUILESS_MAIN(TestWeightCalendar)
#include "tst_weightcalendar.moc"
