#include "base/clock.h"
#include "base/storeddate.h"
#include "store/measurementfile.h"
#include "testrecord.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "views/common/trend.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>

using namespace zz;
using namespace Qt::StringLiterals;

// The trend and forecast labels, the trend line of the whole-period chart and
// the weekly and monthly averages, through the real window.
class TestTrendAverages : public WindowTest
{
    Q_OBJECT

    QString text(const QString &label) { return child<QLabel>(label)->text(); }
    QList<MeasurementRecord> stored()
    {
        QList<MeasurementRecord> records;
        if (!ReadMeasurements(m_session->diary.dir(), records).ok)
            qFatal("diary unreadable");
        return records;
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().clear();
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        // 28 days from Monday 2026/11/09 whose trend falls by 0.1 kg a day
        // from 80: 77.3 on 2026/12/06, -0.70 kg a week.
        QList<MeasurementRecord> records;
        const QDate first(2026, 11, 9);
        records.append(TestRecord(StoredDateText(first), u"朝起きて"_s, 80.0f));
        for (int k = 1; k < 28; ++k)
            records.append(
                TestRecord(StoredDateText(first.addDays(k)), u"朝起きて"_s, float(79.0 - 0.1 * (k - 1))));
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write(records, PersonalData{u"花子"_s, 170.0f, 75.05f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    void labelsFollowASave()
    {
        QCOMPARE(text(u"lblTrend"_s), u"傾向 77.3Kg　-0.70Kg/週"_s);
        // ceil((75.05 - 77.3) / -0.1) = 23 days after 2026/12/06
        QCOMPARE(text(u"lblForecast"_s), u"目標到達予想 2026/12/29 頃"_s);

        ClickListRow(child<QAbstractItemView>(u"lstAct"_s), 0);
        child<QLineEdit>(u"txtTaiInp"_s)->setText(u"76"_s);
        click(u"cmdTaiHozon"_s);
        QCOMPARE(stored().size(), 29);
        // 77.3 + 0.1 x (76 - 77.3)
        QCOMPARE(text(u"lblTrend"_s), TrendText(ComputeTrend(stored())));
        QVERIFY(text(u"lblTrend"_s).startsWith(u"傾向 77.2Kg　-0."_s));

        // A new target reaches the forecast at once.
        click(u"cmdSettei"_s);
        child<QLineEdit>(u"txtMokuTai"_s)->setText(u"85"_s);
        click(u"cmdPHozon1"_s);
        QCOMPARE(text(u"lblForecast"_s), u"目標から離れています"_s);
    }

    void newPersonalDataReachEveryValueAtOnce()
    {
        QVERIFY(text(u"lblDspBmi"_s).startsWith(u"27.7 → "_s)); // 80 / 1.70²
        click(u"cmdSettei"_s);
        child<QLineEdit>(u"txtSincyou"_s)->setText(u"171"_s);
        click(u"cmdPHozon1"_s);
        QVERIFY(text(u"lblDspBmi"_s).startsWith(u"27.4 → "_s)); // 80 / 1.71²
        QCOMPARE(text(u"Label9(30)"_s), u"1.71"_s);
    }

    void trendLineOnTheWholePeriodChart()
    {
        click(u"cmdRentai"_s);
        auto *chart = child<ChartView>(u"mcrRentai"_s);
        QCOMPARE(chart->chart()->series().size(), 3);
        child<QCheckBox>(u"chkTrend"_s)->click();
        QCOMPARE(chart->chart()->series().size(), 4);
        QCOMPARE(chart->value(28, 4), std::optional<double>(77.3));
        QCOMPARE(chart->value(1, 4), std::optional<double>(80.0));
        QCOMPARE(chart->value(28, 1), std::optional<double>(76.4)); // the three keep their content
        QVERIFY(QSettings().value(u"wholePeriod/trendLine"_s).toBool());
        child<QCheckBox>(u"chkTrend"_s)->click();
        QCOMPARE(chart->chart()->series().size(), 3);
    }

    void weeklyAndMonthlyAverages()
    {
        click(u"cmdAvgtai"_s);
        GridModel *list = child<GridView>(u"msgAvgtai"_s)->gridModel();
        QVERIFY(child<QAbstractButton>(u"optAvgUnit(0)"_s)->isChecked());
        QCOMPARE(list->gridRowCount(), 29); // a row per day

        click(u"optAvgUnit(1)"_s);
        QCOMPARE(list->gridRowCount(), 5); // four weeks from Monday 2026/11/09
        QCOMPARE(list->text(1, 1), u"26/11/09週"_s);
        QCOMPARE(list->text(4, 1), u"26/11/30週"_s);
        QCOMPARE(list->text(1, 3), u"22.5"_s);
        // (80 + 79.0 + 78.9 + ... + 78.5) / 7
        QCOMPARE(list->text(1, 2), u"78.9"_s);
        QCOMPARE(child<ChartView>(u"mcrAvgtai"_s)->rowCount(), 4);
        click(u"cmdAvgHozon"_s);
        const QByteArray weekly = m_session->diary.bytes(u"週毎平均.txt"_s);
        QVERIFY(weekly.startsWith("\"26/11/09\x8f\x54\",78.9,22.5\r\n"));
        QCOMPARE(weekly.count("\r\n"), 4);

        click(u"optAvgUnit(2)"_s);
        QCOMPARE(list->gridRowCount(), 3);
        QCOMPARE(list->text(1, 1), u"2026/11"_s);
        QCOMPARE(list->text(2, 1), u"2026/12"_s);
        click(u"cmdAvgHozon"_s);
        QVERIFY(m_session->diary.bytes(u"月毎平均.txt"_s).startsWith("\"2026/11\","));

        // Every opening starts by the day again.
        click(u"cmdMain"_s);
        click(u"cmdAvgtai"_s);
        QVERIFY(child<QAbstractButton>(u"optAvgUnit(0)"_s)->isChecked());
        QCOMPARE(list->gridRowCount(), 29);
    }
};

QTEST_MAIN(TestTrendAverages)
#include "tst_trendaverages.moc"
