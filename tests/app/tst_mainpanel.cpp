// The main panel's charts, their switches and markers, and the BMI displays.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "controls.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QValueAxis>

using namespace zz;
using namespace Qt::StringLiterals;

class TestMainPanel : public WindowTest
{
    Q_OBJECT

    bool visible(const QString &name) { return child<QWidget>(name)->isVisibleTo(m_session->window.get()); }
    void clickLabel(const QString &name) { QTest::mouseClick(child<QLabel>(name), Qt::LeftButton); }
    static QValueAxis *axis(ChartView *chart, Qt::Alignment side)
    {
        const auto axes = chart->chart()->axes(Qt::Vertical);
        for (QAbstractAxis *a : axes)
            if (a->alignment() == side)
                return qobject_cast<QValueAxis *>(a);
        return nullptr;
    }
    void start(float height, const QList<MeasurementRecord> &records)
    {
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write(records, PersonalData{QStringLiteral("花子"), height, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void startWithDay()
    {
        start(168.5f, {TestRecord(QStringLiteral("2026/12/06"), QStringLiteral("朝"), 65.0f),
                       TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝"), 64.3f, 22.0f, 1350, 8,
                                  45.0f, 95, 2.8f),
                       TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("夜"), 65.2f, 23.5f, 1372, 9,
                                  45.5f, 96, 3.0f)});
    }

private Q_SLOTS:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0))); }
    void cleanup() { m_session.reset(); }

    void dayChartsAreFilledAndScaled()
    {
        startWithDay();
        auto *day = child<ChartView>(QStringLiteral("mcrMain"));
        auto *weight = qobject_cast<QLineSeries *>(day->chart()->series().at(0));
        QCOMPARE(weight->count(), 2);
        QCOMPARE(weight->at(1), QPointF(2, double(65.2f)));
        QCOMPARE(axis(day, Qt::AlignLeft)->min(), 64.0);
        QCOMPARE(axis(day, Qt::AlignLeft)->max(), 66.0);
        auto *metabolism = child<ChartView>(QStringLiteral("mcrMain2"));
        QCOMPARE(axis(metabolism, Qt::AlignLeft)->min(), 1340.0);
        QCOMPARE(axis(metabolism, Qt::AlignLeft)->max(), 1380.0);
        auto *bone = child<ChartView>(QStringLiteral("mcrMain4"));
        QVERIFY(qAbs(axis(bone, Qt::AlignLeft)->min() - 2.7) < 1e-5);
        QVERIFY(qAbs(axis(bone, Qt::AlignLeft)->max() - 3.1) < 1e-5);
        QCOMPARE(axis(bone, Qt::AlignLeft)->tickCount(), 5);

        // A day without measurements: no points, the scale kept.
        auto *calendar = child<QCalendarWidget>(QStringLiteral("mtvmain"));
        calendar->setSelectedDate(QDate(2026, 12, 1));
        Q_EMIT calendar->clicked(QDate(2026, 12, 1));
        QCOMPARE(weight->count(), 0);
        QCOMPARE(axis(day, Qt::AlignLeft)->min(), 64.0);
        QVERIFY(visible(QStringLiteral("imgNashi")));
    }

    void cellsShowThreeDigitWeightsWhole()
    {
        start(171.0f,
              {TestRecord(u"2026/11/01"_s, u"朝"_s, 105.0f), TestRecord(u"2026/12/07"_s, u"朝"_s, 103.2f),
               TestRecord(u"2026/12/07"_s, u"夜"_s, 90.8f)});
        const auto fits = [&](const QString &grid, int column, const QString &text) {
            auto *view = child<zz::GridView>(grid);
            return view->columnWidth(column) >= view->fontMetrics().horizontalAdvance(text) + 6;
        };
        QCOMPARE(child<zz::GridView>(u"msgDayList"_s)->gridModel()->text(1, 2), u"103.2Kg"_s);
        QVERIFY(fits(u"msgDayList"_s, 2, u"103.2Kg"_s));
        QCOMPARE(child<zz::GridView>(u"msgDayList"_s)->gridModel()->text(2, 5), u"-12.4Kg"_s);
        QVERIFY(fits(u"msgDayList"_s, 5, u"-12.4Kg"_s));
        click(u"cmdTaijyu"_s);
        QVERIFY(fits(u"msgBunseki"_s, 4, u"105.0Kg"_s));
        QVERIFY(fits(u"msgBunseki"_s, 7, u"-14.2Kg"_s));
    }

    void calendarMarksTheDaysWithMeasurements()
    {
        start(168.5f,
              {TestRecord(u"2026/10/30"_s, u"朝"_s, 66.0f), TestRecord(u"2026/12/06"_s, u"朝"_s, 65.0f),
               TestRecord(u"2026/12/07"_s, u"朝"_s, 64.3f)});
        auto *calendar = child<QCalendarWidget>(u"mtvmain"_s);
        const auto bold = [&](const QDate &day) {
            return calendar->dateTextFormat(day).fontWeight() == QFont::Bold;
        };
        QVERIFY(bold(QDate(2026, 12, 6)) && bold(QDate(2026, 12, 7)));
        QVERIFY(!bold(QDate(2026, 12, 5)));
        // An older month shows its days once the user turns to it.
        calendar->setCurrentPage(2026, 10);
        QVERIFY(bold(QDate(2026, 10, 30)));
        QVERIFY(!bold(QDate(2026, 10, 29)));
    }

    void eachHeadingLabelShowsItsMeasure_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shownChart"); // empty: only the day chart
        QTest::addColumn<QString>("g1");
        QTest::addColumn<QString>("g2");
        QTest::newRow("体重") << QStringLiteral("lblTaijyu") << QString() << QString() << QString();
        QTest::newRow("体脂") << QStringLiteral("lblShibou") << QString() << QString() << QString();
        QTest::newRow("代謝") << QStringLiteral("lblTaisya") << QStringLiteral("mcrMain2")
                              << QStringLiteral("基礎代謝") << QStringLiteral("内臓脂肪");
        QTest::newRow("内脂") << QStringLiteral("lblNaizo") << QStringLiteral("mcrMain2")
                              << QStringLiteral("基礎代謝") << QStringLiteral("内臓脂肪");
        QTest::newRow("筋量") << QStringLiteral("lblKinr") << QStringLiteral("mcrMain3")
                              << QStringLiteral("筋肉量") << QStringLiteral("筋肉スコア");
        QTest::newRow("筋ス") << QStringLiteral("lblKins") << QStringLiteral("mcrMain3")
                              << QStringLiteral("筋肉量") << QStringLiteral("筋肉スコア");
        QTest::newRow("骨量") << QStringLiteral("Label1(9)") << QStringLiteral("mcrMain4")
                              << QStringLiteral("骨量") << QString();
        QTest::newRow("気付きメモ") << QStringLiteral("Label1(3)") << QStringLiteral("mcrMain4")
                                    << QStringLiteral("骨量") << QString();
        QTest::newRow("一言入力欄") << QStringLiteral("Label1(2)") << QStringLiteral("mcrMain4")
                                    << QStringLiteral("骨量") << QString();
    }
    void eachHeadingLabelShowsItsMeasure()
    {
        QFETCH(QString, label);
        QFETCH(QString, shownChart);
        QFETCH(QString, g1);
        QFETCH(QString, g2);
        startWithDay();
        if (label.startsWith(u"Label1(2)") || label.startsWith(u"Label1(3)")) {
            // On the diary panel: open it, click, come back.
            QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdMemo")), Qt::LeftButton);
            clickLabel(label);
            QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdMain")), Qt::LeftButton);
        } else {
            clickLabel(label);
        }
        QCOMPARE(visible(QStringLiteral("msgDayList2")), !shownChart.isEmpty());
        for (const QString &chart :
             {QStringLiteral("mcrMain2"), QStringLiteral("mcrMain3"), QStringLiteral("mcrMain4")})
            QCOMPARE(visible(chart), chart == shownChart);
        QVERIFY(visible(QStringLiteral("mcrMain")));
        QVERIFY(visible(QStringLiteral("msgDayList")));
        QCOMPARE(child<QLabel>(QStringLiteral("lblG1"))->text(), g1);
        QCOMPARE(child<QLabel>(QStringLiteral("lblG2"))->text(), g2);
    }

    void headingLabelsSwitchGridAndCharts()
    {
        startWithDay();
        QVERIFY(!visible(QStringLiteral("msgDayList2")));
        clickLabel(QStringLiteral("lblTaisya"));
        QVERIFY(visible(QStringLiteral("msgDayList2")));
        QVERIFY(visible(QStringLiteral("mcrMain2")));
        QCOMPARE(child<QLabel>(QStringLiteral("lblG1"))->text(), QStringLiteral("基礎代謝"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblG2"))->text(), QStringLiteral("内臓脂肪"));
        clickLabel(QStringLiteral("lblKinr"));
        QVERIFY(visible(QStringLiteral("mcrMain3")));
        QVERIFY(visible(QStringLiteral("mcrMain2"))); // stays behind the muscle chart
        QCOMPARE(child<QLabel>(QStringLiteral("lblG1"))->text(), QStringLiteral("筋肉量"));
        clickLabel(QStringLiteral("Label1(0)")); // any member of the array acts as "骨量"
        QVERIFY(visible(QStringLiteral("mcrMain4")));
        QCOMPARE(child<QLabel>(QStringLiteral("lblG1"))->text(), QStringLiteral("骨量"));
        QVERIFY(child<QLabel>(QStringLiteral("lblG2"))->text().isEmpty());
        clickLabel(QStringLiteral("lblTaijyu"));
        for (const QString &name : {QStringLiteral("msgDayList2"), QStringLiteral("mcrMain2"),
                                    QStringLiteral("mcrMain3"), QStringLiteral("mcrMain4")})
            QVERIFY2(!visible(name), qPrintable(name));
        QVERIFY(visible(QStringLiteral("mcrMain")));
        QVERIFY(child<QLabel>(QStringLiteral("lblG1"))->text().isEmpty());
    }

    void seriesOptionsHideLineAndAxis()
    {
        startWithDay();
        auto *day = child<ChartView>(QStringLiteral("mcrMain"));
        QVERIFY(child<QRadioButton>(QStringLiteral("optKon"))->isChecked());
        child<QRadioButton>(QStringLiteral("optTai"))->click();
        QVERIFY(day->chart()->series().at(0)->isVisible());
        QVERIFY(!day->chart()->series().at(1)->isVisible());
        QVERIFY(!axis(day, Qt::AlignRight)->isVisible());
        QCOMPARE(qobject_cast<QLineSeries *>(day->chart()->series().at(1))->count(), 2); // data kept
        child<QRadioButton>(QStringLiteral("optKon"))->click();
        QVERIFY(day->chart()->series().at(1)->isVisible());
        QVERIFY(axis(day, Qt::AlignRight)->isVisible());
    }

    void threeDoubleClicksReturnTheMarkers()
    {
        startWithDay();
        auto *day = child<ChartView>(QStringLiteral("mcrMain"));
        QCOMPARE(day->markerStyle(1), MarkerStyle::None);
        QTest::mouseDClick(day->viewport(), Qt::LeftButton);
        QCOMPARE(m_session->diary.bytes(QStringLiteral("マーカー.TXT")), QByteArray("1\r\n"));
        QCOMPARE(day->markerStyle(1), MarkerStyle::Circle);
        QCOMPARE(child<ChartView>(QStringLiteral("mcrMain4"))->markerStyle(1), MarkerStyle::Circle);
        QTest::mouseDClick(day->viewport(), Qt::LeftButton);
        QCOMPARE(day->markerStyle(2), MarkerStyle::Ball);
        QTest::mouseDClick(day->viewport(), Qt::LeftButton);
        QCOMPARE(day->markerStyle(1), MarkerStyle::None);
        QCOMPARE(m_session->diary.bytes(QStringLiteral("マーカー.TXT")), QByteArray("0\r\n"));
    }

    void bmiClassAndMeter()
    {
        start(168.5f, {TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝"), 62.5f)});
        QCOMPARE(child<QLabel>(QStringLiteral("lblMHyouka"))->text(), QStringLiteral("スタンダード"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label9(25)"))->text(), QStringLiteral("22.0"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label9(28)"))->text(), QStringLiteral("62.5"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label9(30)"))->text(), QStringLiteral("1.685"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblHyojun(0)"))->text(), QStringLiteral("62.5"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblHiman"))->text(), QStringLiteral("0.0"));
        auto *scroll = child<QScrollBar>(QStringLiteral("HScroll1"));
        QCOMPARE(scroll->value(), 220);

        // The user moves the meter to its left end: a simulation.
        scroll->setValue(170);
        QCOMPARE(child<QLabel>(QStringLiteral("Label9(25)"))->text(), QStringLiteral("17.0"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblHyouka"))->text(), QStringLiteral("やせ気味"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label9(28)"))->text(), QStringLiteral("48.3"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblTai"))->text(), QStringLiteral("48.3"));
        QCOMPARE(child<QLabel>(QStringLiteral("lblHiman"))->text(), QStringLiteral("-22.7"));
        // The pointer follows: at 17 it is left of where it stood at 22.
        QVERIFY(child<QLabel>(QStringLiteral("Image2"))->x() <
                child<QLabel>(QStringLiteral("Shape2(1)"))->x());
    }

    void pointerStandsAtTheMiddlePartForBmi24()
    {
        // 24 x 1.6^2 = 61.44
        start(160.0f, {TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝"), 61.44f)});
        auto *pointer = child<QLabel>(QStringLiteral("Image1"));
        auto *middle = child<QLabel>(QStringLiteral("Shape1(2)"));
        QVERIFY(qAbs(pointer->x() + pointer->width() / 2 - middle->x()) <= 1);
        QCOMPARE(child<QLabel>(QStringLiteral("lblMHyouka"))->text(), QStringLiteral("スタンダード"));
    }

    void highBmiStopsThePointersAt32()
    {
        start(150.0f, {TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝"), 78.75f)}); // BMI 35
        QCOMPARE(child<QLabel>(QStringLiteral("lblMHyouka"))->text(), QStringLiteral("でぶフォルテシモ"));
        QCOMPARE(child<QScrollBar>(QStringLiteral("HScroll1"))->value(), 320);
    }
};

QTEST_MAIN(TestMainPanel)
#include "tst_mainpanel.moc"
