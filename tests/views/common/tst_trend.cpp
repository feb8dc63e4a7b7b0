#include "base/storeddate.h"
#include "testrecord.h"
#include "views/common/trend.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

const QDate Day0(2026, 1, 1);

// (day offset from 2026/01/01, weight) pairs, in the given order.
using Weighings = QList<QPair<int, double>>;

QList<MeasurementRecord> Diary(const Weighings &weighings)
{
    QList<MeasurementRecord> records;
    for (const auto &[offset, weight] : weighings)
        records.append(TestRecord(StoredDateText(Day0.addDays(offset)), u"朝"_s, float(weight)));
    return records;
}

// A diary whose trend falls by exactly `perDay` kg a day from 80 for 28 days:
// each day's weight is the day before's trend minus 10 times the fall.
Weighings Falling(double perDay, int days = 28)
{
    Weighings w{{0, 80.0}};
    for (int k = 1; k < days; ++k)
        w.append({k, 80.0 - perDay * (k - 1) - 10 * perDay});
    return w;
}

Weighings Offsets(const QList<int> &offsets)
{
    Weighings w;
    for (int offset : offsets)
        w.append({offset, 70.0});
    return w;
}

} // namespace

class TestTrend : public QObject
{
    Q_OBJECT

private slots:
    void smoothing_data()
    {
        QTest::addColumn<Weighings>("weighings");
        QTest::addColumn<QList<double>>("trends");
        QTest::addColumn<QList<qsizetype>>("lastRows");

        QTest::newRow("one record") << Weighings{{0, 70.0}} << QList<double>{70.0} << QList<qsizetype>{1};
        QTest::newRow("two records on one day: their mean")
            << Weighings{{0, 70.0}, {0, 71.0}} << QList<double>{70.5} << QList<qsizetype>{2};
        QTest::newRow("a day later: a tenth of the way")
            << Weighings{{0, 70.0}, {1, 69.0}} << QList<double>{70.0, 69.9} << QList<qsizetype>{1, 2};
        // 70 + (1 - 0.9^3)(67 - 70) = 70 - 0.813
        QTest::newRow("a gap of three days moves it further")
            << Weighings{{0, 70.0}, {3, 67.0}} << QList<double>{70.0, 69.187} << QList<qsizetype>{1, 2};
        QTest::newRow("a record out of date order joins its day")
            << Weighings{{0, 70.0}, {1, 69.0}, {0, 72.0}} << QList<double>{71.0, 70.8}
            << QList<qsizetype>{3, 2};
    }
    void smoothing()
    {
        QFETCH(Weighings, weighings);
        QFETCH(QList<double>, trends);
        QFETCH(QList<qsizetype>, lastRows);
        const Trend t = ComputeTrend(Diary(weighings));
        QCOMPARE(t.days.size(), trends.size());
        for (qsizetype i = 0; i < trends.size(); ++i) {
            QVERIFY2(std::fabs(t.days[i].trend - trends[i]) < 1e-5, qPrintable(QString::number(t.days[i].trend)));
            QCOMPARE(t.days[i].lastRow, lastRows[i]);
        }
    }

    void rateNeedsSevenDaysOverFourteen_data()
    {
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<bool>("hasRate");
        QTest::newRow("7 days spanning 14") << QList<int>{0, 1, 2, 3, 4, 5, 14} << true;
        QTest::newRow("7 days spanning 13") << QList<int>{0, 1, 2, 3, 4, 5, 13} << false;
        QTest::newRow("6 days spanning 14") << QList<int>{0, 1, 2, 3, 4, 14} << false;
        QTest::newRow("a day before the 28 does not count")
            << QList<int>{0, 29, 30, 31, 32, 33, 42} << false;
        QTest::newRow("the first day of the 28 counts") << QList<int>{0, 1, 2, 3, 4, 5, 27} << true;
    }
    void rateNeedsSevenDaysOverFourteen()
    {
        QFETCH(QList<int>, offsets);
        QFETCH(bool, hasRate);
        QCOMPARE(ComputeTrend(Diary(Offsets(offsets))).ratePerWeek().has_value(), hasRate);
    }

    void texts_data()
    {
        QTest::addColumn<Weighings>("weighings");
        QTest::addColumn<double>("target");
        QTest::addColumn<QString>("trendText");
        QTest::addColumn<QString>("forecast");

        const Weighings falling = Falling(0.1); // trend 77.3 on 2026/01/28, -0.70 kg a week
        QTest::newRow("no target") << falling << 0.0 << u"傾向 77.3Kg　-0.70Kg/週"_s
                                   << u"目標体重が設定されていません"_s;
        QTest::newRow("one record: no rate")
            << Weighings{{0, 91.2}} << 65.0 << u"傾向 91.2Kg"_s << u"予想には4週間分ほどの記録が必要です"_s;
        // ceil((75.05 - 77.3) / -0.1) = 23 days after 2026/01/28
        QTest::newRow("heading for the target")
            << falling << 75.05 << u"傾向 77.3Kg　-0.70Kg/週"_s << u"目標到達予想 2026/02/20 頃"_s;
        QTest::newRow("target reached") << falling << 78.0 << u"傾向 77.3Kg　-0.70Kg/週"_s
                                        << u"目標体重に到達しています"_s;
        QTest::newRow("a target at the start counts as reached")
            << falling << 80.0 << u"傾向 77.3Kg　-0.70Kg/週"_s << u"目標体重に到達しています"_s;
        QTest::newRow("flat") << Offsets({0, 2, 4, 6, 8, 10, 12, 14}) << 65.0 << u"傾向 70.0Kg　0.00Kg/週"_s
                              << u"横ばいのため予想できません"_s;
        QTest::newRow("moving away") << falling << 85.0 << u"傾向 77.3Kg　-0.70Kg/週"_s
                                     << u"目標から離れています"_s;
        // -0.07 kg a week: (40 - 79.73) / -0.01 = 3973 days
        QTest::newRow("more than ten years")
            << Falling(0.01) << 40.0 << u"傾向 79.7Kg　-0.07Kg/週"_s << u"目標到達は10年以上先です"_s;
        // ceil((90.05 - 82.7) / 0.1) = 74 days after 2026/01/28
        QTest::newRow("gaining shows a plus") << Falling(-0.1) << 90.05 << u"傾向 82.7Kg　+0.70Kg/週"_s
                                              << u"目標到達予想 2026/04/12 頃"_s;
    }
    void texts()
    {
        QFETCH(Weighings, weighings);
        QFETCH(double, target);
        QFETCH(QString, trendText);
        QFETCH(QString, forecast);
        const QList<MeasurementRecord> records = Diary(weighings);
        const Trend t = ComputeTrend(records);
        QCOMPARE(TrendText(t), trendText);
        QCOMPARE(ForecastText(t, target, records.first().weight), forecast);
    }
};

QTEST_APPLESS_MAIN(TestTrend)
#include "tst_trend.moc"
