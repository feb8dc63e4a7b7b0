#include "testrecord.h"
#include "views/common/wholeperiod.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

// One measurement a day from 2004/03/14 with the given weights.
WholeHistory Daily(const QList<float> &weights, const QList<float> &fats = {})
{
    QList<MeasurementRecord> records;
    for (int i = 0; i < weights.size(); ++i)
        records.append(TestRecord(QDate(2004, 3, 14).addDays(i).toString(u"yyyy/MM/dd"_s), u"朝"_s,
                                  weights[i], i < fats.size() ? fats[i] : 25.0f));
    return WholeHistoryOf(records);
}

} // namespace

class TestWholePeriod : public QObject
{
    Q_OBJECT

private slots:
    void movingAverage()
    {
        QList<float> weights;
        for (int i = 1; i <= 25; ++i)
            weights.append(60.0f + float(i));
        const auto averages = MovingAverageSeries(weights, 10);
        QCOMPARE(averages.size(), 25);
        for (int i = 0; i < 9; ++i)
            QVERIFY(!averages[i]);
        QCOMPARE(*averages[9], 65.5);  // mean of 61 .. 70
        QCOMPARE(*averages[24], 80.5); // mean of 76 .. 85

        const auto same = MovingAverageSeries(weights, 1);
        for (int i = 0; i < 25; ++i)
            QCOMPARE(*same[i], double(weights[i]));

        // No usable width: no average line, nothing divided by zero.
        for (const QString &text : {u""_s, u"0"_s, u"abc"_s, u"2.5"_s})
            QVERIFY(!MovingAverageWidthOf(text));
        QCOMPARE(*MovingAverageWidthOf(u"10"_s), 10);
        const auto none = MovingAverageSeries(weights, std::nullopt);
        QVERIFY(std::none_of(none.begin(), none.end(), [](auto v) { return v.has_value(); }));
    }

    void progressTexts_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<float>("target");
        QTest::addColumn<QString>("nichis");
        QTest::addColumn<QString>("kiro");
        QTest::addColumn<QString>("caption");
        QTest::newRow("one record")
            << QList<float>{70.0f} << 60.0f
            << u"2004/03/14 ( 70Kg ) でスタート ～ 2004/03/14 ( 70Kg ) まで 0日経過 _ 0.0Kg 同"_s
            << u"最小記録 2004/03/14 の 70Kg   初日から 0.0Kg 同"_s << u"目標まで残り　10.0Kg"_s;
        QTest::newRow("lowest twice, first date kept")
            << QList<float>{74.5f, 70.2f, 71.0f, 70.2f, 72.0f} << 60.0f
            << u"2004/03/14 ( 74.5Kg ) でスタート ～ 2004/03/18 ( 72Kg ) まで 4日経過 _ 2.5Kg 減"_s
            << u"最小記録 2004/03/15 の 70.2Kg   初日から 4.3Kg 減"_s << u"目標まで残り　12.0Kg"_s;
        QTest::newRow("gained")
            << QList<float>{62.0f, 63.5f} << 60.0f
            << u"2004/03/14 ( 62Kg ) でスタート ～ 2004/03/15 ( 63.5Kg ) まで 1日経過 _ 1.5Kg 増"_s
            << u"最小記録 2004/03/14 の 62Kg   初日から 0.0Kg 同"_s << u"目標まで残り　3.5Kg"_s;
        QTest::newRow("target passed")
            << QList<float>{62.0f, 59.5f} << 60.0f
            << u"2004/03/14 ( 62Kg ) でスタート ～ 2004/03/15 ( 59.5Kg ) まで 1日経過 _ 2.5Kg 減"_s
            << u"最小記録 2004/03/15 の 59.5Kg   初日から 2.5Kg 減"_s << u"目標まで残り　-0.5Kg"_s;
    }
    void progressTexts()
    {
        QFETCH(QList<float>, weights);
        QFETCH(float, target);
        const WholePeriodView view = ComputeWholePeriod(Daily(weights), 10, target);
        QTEST(view.lblNichis, "nichis");
        QTEST(view.lblKiro, "kiro");
        QTEST(view.targetCaption, "caption");
    }

    void axesAndTargetFloor()
    {
        const WholeHistory h = Daily({72.3f, 69.6f, 71.1f}, {28.6f, 26.1f, 27.0f});
        QCOMPARE(h.lowestWeight, 69.6f);
        QCOMPARE(h.highestBodyFat, 28.6f);
        const WholePeriodView view = ComputeWholePeriod(h, 10, 65.0f);
        QCOMPARE(view.left, (AxisScale{69, 73, -1}));
        QCOMPARE(view.right, (AxisScale{22, 32, -1}));
        QCOMPARE(view.weights.size(), 3);
        QCOMPARE(*view.bodyFats[1], 26.1);
        QCOMPARE(WeightAxisFloor(h.lowestWeight, 65.5f, true), 65.0);
        QCOMPARE(WeightAxisFloor(h.lowestWeight, 65.5f, false), 69.0);
    }

    void compositionAsStoredFeedsTheDayBuilders()
    {
        const CompositionSeries values =
            CompositionSeriesOf({TestRecord(u"2004/03/14"_s, u"朝"_s, 70, 25, 1412, 9, 45.3f, 96, 2.9f)},
                                CompositionSeries::Rounding::AsStored);
        QCOMPARE(values.metabolism.first(), 1412.0);
        QCOMPARE(values.visceralFat.first(), 9.0);
        QCOMPARE(values.muscleMass.first(), 45.3);
        QCOMPARE(values.muscleScore.first(), 96.0);
        QCOMPARE(values.boneMass.first(), 2.9);
        const CompositionChart bone = BuildBoneChart(values);
        QCOMPARE(bone.left, (AxisScale{2.8, 3.0, 2}));
    }
};

QTEST_GUILESS_MAIN(TestWholePeriod)
#include "tst_wholeperiod.moc"
