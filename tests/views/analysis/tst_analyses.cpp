#include "tablecells.h"
#include "testrecord.h"
#include "views/analysis/analyses.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QStringList>;

WholeHistory History(const QList<float> &weights, const QStringList &dates = {})
{
    QList<MeasurementRecord> records;
    for (int i = 0; i < weights.size(); ++i) {
        const QString date =
            i < dates.size() ? dates[i] : QDate(2008, 1, 1).addDays(i).toString(u"yyyy/MM/dd"_s);
        records.append(TestRecord(date, u"朝"_s, weights[i]));
    }
    return WholeHistoryOf(records);
}

} // namespace

class TestAnalyses : public QObject
{
    Q_OBJECT

private slots:
    void timeSeries_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<bool>("toFirst");
        QTest::addColumn<QStringList>("differences");
        QTest::newRow("previous") << QList<float>{65.0f, 64.6f, 64.6f, 64.9f} << false
                                  << QStringList{u"±0.0Kg"_s, u"-0.4Kg"_s, u"±0.0Kg"_s, u"+0.3Kg"_s};
        QTest::newRow("first") << QList<float>{65.0f, 64.6f, 64.6f, 64.9f} << true
                               << QStringList{u"±0.0Kg"_s, u"-0.4Kg"_s, u"-0.4Kg"_s, u"-0.1Kg"_s};
        QTest::newRow("halves go upward") << QList<float>{65.0f, 64.75f, 65.0f} << false
                                          << QStringList{u"±0.0Kg"_s, u"-0.2Kg"_s, u"+0.3Kg"_s};
        QTest::newRow("small loss is no minus zero")
            << QList<float>{65.0f, 64.98f} << false << QStringList{u"±0.0Kg"_s, u"±0.0Kg"_s};
    }
    void timeSeries()
    {
        QFETCH(QList<float>, weights);
        QFETCH(bool, toFirst);
        const TimeSeriesList list = ComputeTimeSeries(History(weights), toFirst);
        QCOMPARE(list.differenceHeader, toFirst ? u"初回差"_s : u"前回差"_s);
        QTEST(Column(list.rows, 3), "differences");
        QCOMPARE(list.rows[1].cells.mid(0, 2), (QStringList{u"2回目"_s, u"2008/01/02"_s}));
    }

    void milestones_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("label");
        QTest::newRow("two steps") << QList<float>{70.0f, 69.6f, 69.4f, 68.9f, 69.2f}
                                   << QStringList{u"2008/01/01"_s, u"2008/01/03"_s, u"2008/01/05"_s,
                                                  u"2008/01/10"_s, u"2008/01/12"_s}
                                   << Rows{{u"0.5Kg減"_s, u"2008/01/05"_s, u"4日後"_s, u"4日後"_s},
                                           {u"1.0Kg減"_s, u"2008/01/10"_s, u"9日後"_s, u"5日後"_s}}
                                   << u"最高　1.1Kg減を達成してから　2日経過"_s;
        QTest::newRow("two steps at once") << QList<float>{70.0f, 68.8f} << QStringList{}
                                           << Rows{{u"0.5Kg減"_s, u"2008/01/02"_s, u"1日後"_s, u"1日後"_s},
                                                   {u"1.0Kg減"_s, u"2008/01/02"_s, u"1日後"_s, u"0日後"_s}}
                                           << u"最高　1.2Kg減を達成してから　0日経過"_s;
        QTest::newRow("rounded past the loss: last row empty")
            << QList<float>{70.0f, 68.54f} << QStringList{}
            << Rows{{u"0.5Kg減"_s, u"2008/01/02"_s, u"1日後"_s, u"1日後"_s},
                    {u"1.0Kg減"_s, u"2008/01/02"_s, u"1日後"_s, u"0日後"_s},
                    {u""_s, u""_s, u""_s, u""_s}}
            << u"最高　1.5Kg減を達成してから　0日経過"_s;
        QTest::newRow("regained, lowest twice")
            << QList<float>{70.0f, 69.5f, 70.5f, 69.5f, 70.0f} << QStringList{}
            << Rows{{u"0.5Kg減"_s, u"2008/01/02"_s, u"1日後"_s, u"1日後"_s}}
            << u"最高　0.5Kg減を達成してから　3日経過"_s;
        QTest::newRow("never below the first")
            << QList<float>{70.0f, 70.2f} << QStringList{} << Rows{} << QString();
    }
    void milestones()
    {
        QFETCH(QList<float>, weights);
        QFETCH(QStringList, dates);
        const MilestoneList list = ComputeMilestones(History(weights, dates));
        QTEST(Cells(list.rows), "rows");
        QTEST(list.label.value_or(QString()), "label");
    }

    void averageTrend_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<QStringList>("means");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("label");
        QTest::newRow("rose last") << QList<float>{70.0f, 69.0f, 69.5f, 70.5f}
                                   << QStringList{u"70.000Kg"_s, u"69.500Kg"_s, u"69.500Kg"_s, u"69.750Kg"_s}
                                   << QStringList{u"0g"_s, u"-500g"_s, u"±0g"_s, u"+250g"_s}
                                   << u"平均を上回ってしまいました..."_s;
        QTest::newRow("streak") << QList<float>{70.0f, 69.0f, 68.0f}
                                << QStringList{u"70.000Kg"_s, u"69.500Kg"_s, u"69.000Kg"_s}
                                << QStringList{u"0g"_s, u"-500g"_s, u"-500g"_s}
                                << u"連続ﾏｲﾅｽ記録 2回達成！"_s;
        QTest::newRow("single") << QList<float>{70.0f} << QStringList{u"70.000Kg"_s} << QStringList{u"0g"_s}
                                << u"平均を上回ってしまいました..."_s;
    }
    void averageTrend()
    {
        QFETCH(QList<float>, weights);
        const AverageTrendList list = ComputeAverageTrend(History(weights));
        QTEST(Column(list.rows, 2), "means");
        QTEST(Column(list.rows, 3), "changes");
        QTEST(list.label, "label");
        QCOMPARE(list.rows.last().cells[0], QString::number(weights.size()) + u"回目"_s);
    }

    void ranking_data()
    {
        QTest::addColumn<QList<float>>("weights");
        QTest::addColumn<bool>("oneKilo");
        QTest::addColumn<Rows>("rows");
        const QList<float> weights{64.2f, 64.7f, 64.8f, 64.6f, 65.1f, 65.3f, 65.4f, 65.6f};
        QTest::newRow("0.5 kg") << weights << false
                                << Rows{{u"1位"_s, u"64.5～64.9Kg"_s, u"3回"_s, u""_s},
                                        {u"2位"_s, u"65.0～65.4Kg"_s, u"3回"_s, u"0回"_s},
                                        {u"3位"_s, u"64.0～64.4Kg"_s, u"1回"_s, u"2回"_s},
                                        {u"4位"_s, u"65.5～65.9Kg"_s, u"1回"_s, u"0回"_s}};
        QTest::newRow("1.0 kg") << weights << true
                                << Rows{{u"1位"_s, u"64.0～64.9Kg"_s, u"4回"_s, u""_s},
                                        {u"2位"_s, u"65.0～65.9Kg"_s, u"4回"_s, u"0回"_s}};
        // Counts 1, 3, 2, 3 in band order: second, fourth, third, first.
        QTest::newRow("exchange order")
            << QList<float>{60.1f, 60.6f, 60.7f, 60.8f, 61.1f, 61.2f, 61.6f, 61.7f, 61.8f} << false
            << Rows{{u"1位"_s, u"60.5～60.9Kg"_s, u"3回"_s, u""_s},
                    {u"2位"_s, u"61.5～61.9Kg"_s, u"3回"_s, u"0回"_s},
                    {u"3位"_s, u"61.0～61.4Kg"_s, u"2回"_s, u"1回"_s},
                    {u"4位"_s, u"60.0～60.4Kg"_s, u"1回"_s, u"1回"_s}};
        // 65.49 lies in the last 0.01 kg of its band and still counts.
        QTest::newRow("boundaries") << QList<float>{65.0f, 65.49f, 64.99f} << false
                                    << Rows{{u"1位"_s, u"65.0～65.4Kg"_s, u"2回"_s, u""_s},
                                            {u"2位"_s, u"64.5～64.9Kg"_s, u"1回"_s, u"1回"_s}};
    }
    void ranking()
    {
        QFETCH(QList<float>, weights);
        QFETCH(bool, oneKilo);
        const WeightRanking ranking = ComputeWeightRanking(History(weights), oneKilo);
        QTEST(Cells(ranking.rows), "rows");
        QCOMPARE(ranking.frameCaption,
                 oneKilo ? u"    体重推移累積番付 < 1.0Kg刻み >"_s : u"    体重推移累積番付 < 0.5Kg刻み >"_s);
    }
};

QTEST_GUILESS_MAIN(TestAnalyses)
#include "tst_analyses.moc"
