#include "testrecord.h"
#include "views/common/chartscales.h"
#include "views/history/daylist.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

QList<std::optional<double>> Values(const QList<double> &values)
{
    return QList<std::optional<double>>(values.cbegin(), values.cend());
}

MeasurementRecord Rec(const QString &date, float weight, qint16 metabolism, qint16 visceral, float muscle,
                      qint16 score, float bone)
{
    return TestRecord(date, u"朝"_s, weight, 20.0f, metabolism, visceral, muscle, score, bone);
}

// One record per row with the two given composition values; the rest plain.
QList<MeasurementRecord> Records(const QList<QList<double>> &rows, int field)
{
    QList<MeasurementRecord> records;
    for (const QList<double> &values : rows) {
        MeasurementRecord r = Rec(u"2004/03/28"_s, 65.0f, 1300, 8, 37.0f, 85, 2.5f);
        if (field == 0) {
            r.basalMetabolism = qint16(values.at(0));
            r.visceralFat = qint16(values.at(1));
        } else if (field == 1) {
            r.muscleMass = float(values.at(0));
            r.muscleScore = qint16(values.at(1));
        } else {
            r.boneMass = float(values.at(0));
        }
        records.append(r);
    }
    return records;
}

CompositionSeries Listed(const QList<MeasurementRecord> &records)
{
    return CompositionSeriesOf(records, CompositionSeries::Rounding::AsListed);
}

} // namespace

class TestDayCharts : public QObject
{
    Q_OBJECT

private slots:
    void dayAxes_data();
    void dayAxes();
    void metabolism_data();
    void metabolism();
    void muscle_data();
    void muscle();
    void bone_data();
    void bone();
    void dayWithoutMeasurements();
    void buildersTakeTheDayListsValues();
    void markerModeCycles();
};

void TestDayCharts::dayAxes_data()
{
    QTest::addColumn<float>("maxWeight");
    QTest::addColumn<float>("minWeight");
    QTest::addColumn<float>("maxFat");
    QTest::addColumn<float>("minFat");
    QTest::addColumn<AxisScale>("left");
    QTest::addColumn<AxisScale>("right");

    QTest::newRow("64.3 and 65.2") << 65.2f << 64.3f << 22.4f << 21.7f << AxisScale{64, 66}
                                   << AxisScale{21, 23};
    QTest::newRow("one tenth over a whole number reaches the next")
        << 65.1f << 65.1f << 20.1f << 20.1f << AxisScale{65, 66} << AxisScale{20, 21};
    QTest::newRow("whole numbers stay")
        << 65.0f << 65.0f << 20.0f << 20.0f << AxisScale{65, 65} << AxisScale{20, 20};
    QTest::newRow("two decimals") << 65.09f << 64.99f << 20.05f << 19.95f << AxisScale{64, 65}
                                  << AxisScale{19, 20};
}

void TestDayCharts::dayAxes()
{
    QFETCH(float, maxWeight);
    QFETCH(float, minWeight);
    QFETCH(float, maxFat);
    QFETCH(float, minFat);
    QFETCH(AxisScale, left);
    QFETCH(AxisScale, right);

    const DayChartScales s = DayChartAxes(maxWeight, minWeight, maxFat, minFat);
    QCOMPARE(s.left, left);
    QCOMPARE(s.right, right);
    QVERIFY(s.left.usable());
}

void TestDayCharts::metabolism_data()
{
    QTest::addColumn<QList<QList<double>>>("values"); // metabolism, visceral fat
    QTest::addColumn<QList<double>>("series1");
    QTest::addColumn<QList<double>>("series2");
    QTest::addColumn<AxisScale>("axis");

    QTest::newRow("1350 to 1372") << QList<QList<double>>{{1350, 9}, {1372, 10}} << QList<double>{1350, 1372}
                                  << QList<double>{9, 10} << AxisScale{1340, 1380, 10};
    QTest::newRow("1350 alone") << QList<QList<double>>{{1350, 9}} << QList<double>{1350} << QList<double>{9}
                                << AxisScale{1340, 1360, 10};
    QTest::newRow("a zero metabolism") << QList<QList<double>>{{0, 0}, {1209, 8}} << QList<double>{0, 1209}
                                       << QList<double>{0, 8} << AxisScale{-10, 1210, 10};
}

void TestDayCharts::metabolism()
{
    QFETCH(QList<QList<double>>, values);
    QFETCH(QList<double>, series1);
    QFETCH(QList<double>, series2);
    QFETCH(AxisScale, axis);

    const CompositionChart c = BuildMetabolismChart(Listed(Records(values, 0)));
    QCOMPARE(c.rowCount, int(values.size()));
    QCOMPARE(c.series1, Values(series1));
    QCOMPARE(c.series2, Values(series2));
    QCOMPARE(c.left, axis);
}

void TestDayCharts::muscle_data()
{
    QTest::addColumn<QList<QList<double>>>("values"); // muscle mass, muscle score
    QTest::addColumn<QList<double>>("series1");
    QTest::addColumn<QList<double>>("series2");
    QTest::addColumn<AxisScale>("axis");

    QTest::newRow("38.2 to 38.5") << QList<QList<double>>{{38.2, 90}, {38.5, 91}} << QList<double>{38.2, 38.5}
                                  << QList<double>{90, 91} << AxisScale{38, 39, 10};
    QTest::newRow("a whole largest value stays the maximum")
        << QList<QList<double>>{{38.0, 90}, {37.9, 90}} << QList<double>{38.0, 37.9} << QList<double>{90, 90}
        << AxisScale{37, 38, 10};
}

void TestDayCharts::muscle()
{
    QFETCH(QList<QList<double>>, values);
    QFETCH(QList<double>, series1);
    QFETCH(QList<double>, series2);
    QFETCH(AxisScale, axis);

    const CompositionChart c = BuildMuscleChart(Listed(Records(values, 1)));
    QCOMPARE(c.rowCount, int(values.size()));
    QCOMPARE(c.series1, Values(series1));
    QCOMPARE(c.series2, Values(series2));
    QCOMPARE(c.left, axis);
}

void TestDayCharts::bone_data()
{
    QTest::addColumn<QList<double>>("values"); // bone mass
    QTest::addColumn<QList<double>>("series");
    QTest::addColumn<AxisScale>("axis");

    QTest::newRow("2.8 and 3.0") << QList<double>{2.8, 3.0} << QList<double>{2.8, 3.0}
                                 << AxisScale{2.7, 3.1, 4};
    QTest::newRow("one bone mass") << QList<double>{2.9} << QList<double>{2.9} << AxisScale{2.8, 3.0, 2};
    QTest::newRow("smallest in the middle")
        << QList<double>{3.1, 2.6, 2.9} << QList<double>{3.1, 2.6, 2.9} << AxisScale{2.5, 3.2, 7};
}

void TestDayCharts::bone()
{
    QFETCH(QList<double>, values);
    QFETCH(QList<double>, series);
    QFETCH(AxisScale, axis);

    QList<QList<double>> rows;
    for (double value : values)
        rows.append(QList<double>{value});
    const CompositionChart c = BuildBoneChart(Listed(Records(rows, 2)));
    QCOMPARE(c.rowCount, int(values.size()));
    QCOMPARE(c.series1, Values(series));
    QVERIFY(c.series2.isEmpty());
    QCOMPARE(c.left, axis);
}

void TestDayCharts::dayWithoutMeasurements()
{
    // One empty row and no data point; no axis the chart could take, so each
    // chart keeps the scale it had.
    const CompositionSeries none;
    const CompositionChart charts[] = {BuildMetabolismChart(none), BuildMuscleChart(none),
                                       BuildBoneChart(none)};
    for (const CompositionChart &c : charts) {
        QCOMPARE(c.rowCount, 1);
        QVERIFY(c.series1.isEmpty());
        QVERIFY(c.series2.isEmpty());
        QVERIFY(!c.left.usable());
    }
    QCOMPARE(charts[2].left.divisions, -1);
    QVERIFY(!DayChartAxes(0, 999, 0, 999).left.usable());
    QVERIFY(!DayChartAxes(0, 999, 0, 999).right.usable());
}

void TestDayCharts::buildersTakeTheDayListsValues()
{
    const QList<MeasurementRecord> records{
        Rec(u"2004/03/27"_s, 65.0f, 1300, 8, 37.0f, 85, 2.5f),
        Rec(u"2004/03/28"_s, 64.3f, 1350, 9, 38.2f, 90, 2.8f),
        Rec(u"2004/03/28"_s, 65.2f, 1372, 10, 38.5f, 91, 3.0f),
    };
    const DayListResult day = ComputeDayList(records, u"2004/03/28"_s, 165.0f);

    const DayChartScales axes =
        DayChartAxes(day.dayMaxWeight, day.dayMinWeight, day.dayMaxFat, day.dayMinFat);
    QCOMPARE(axes.left, (AxisScale{64, 66}));

    const CompositionChart metabolism = BuildMetabolismChart(day.composition);
    QCOMPARE(metabolism.series1, Values({1350, 1372}));
    QCOMPARE(metabolism.series2, Values({9, 10}));
    QCOMPARE(metabolism.left, (AxisScale{1340, 1380, 10}));

    const CompositionChart muscle = BuildMuscleChart(day.composition);
    QCOMPARE(muscle.series1, Values({38.2, 38.5}));
    QCOMPARE(muscle.series2, Values({90, 91}));

    const CompositionChart bone = BuildBoneChart(day.composition);
    QCOMPARE(bone.series1, Values({2.8, 3.0}));
    QCOMPARE(bone.left, (AxisScale{2.7, 3.1, 4}));
}

void TestDayCharts::markerModeCycles()
{
    QCOMPARE(NextMarkerMode(MarkerMode::None), MarkerMode::Circle);
    QCOMPARE(NextMarkerMode(MarkerMode::Circle), MarkerMode::Ball);
    QCOMPARE(NextMarkerMode(MarkerMode::Ball), MarkerMode::None);
    for (int stored : {0, 1, 2}) {
        const MarkerMode start = MarkerModeOf(stored);
        QCOMPARE(StoredMarkerMode(start), stored);
        QCOMPARE(NextMarkerMode(NextMarkerMode(NextMarkerMode(start))), start);
    }
    // A setting the program never writes shows no markers.
    QCOMPARE(MarkerModeOf(7), MarkerMode::None);
}

QTEST_APPLESS_MAIN(TestDayCharts)
#include "tst_chartscales.moc"
