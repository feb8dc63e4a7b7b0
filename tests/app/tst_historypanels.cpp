// The whole-period panel and the analysis panel, walked through the real window.

#include "base/clock.h"
#include "controls.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QValueAxis>

using namespace zz;
using namespace Qt::StringLiterals;

class TestHistoryPanels : public WindowTest
{
    Q_OBJECT

    const QList<float> m_weights{70.0f, 69.6f, 69.4f, 68.9f, 69.2f, 69.0f, 68.8f, 68.7f, 69.1f, 68.6f, 68.5f};

    QLineSeries *series(const QString &chart, int index)
    {
        return qobject_cast<QLineSeries *>(child<ChartView>(chart)->chart()->series().at(index - 1));
    }
    QValueAxis *leftAxis(const QString &chart) { return child<ChartView>(chart)->valueAxis(ChartAxis::Left); }
    QString cell(const QString &grid, int row, int column)
    {
        return child<GridView>(grid)->gridModel()->text(row, column);
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        QList<MeasurementRecord> records;
        for (int i = 0; i < m_weights.size(); ++i)
            records.append(TestRecord(QDate(2026, 11, 27).addDays(i).toString(u"yyyy/MM/dd"_s), u"朝"_s,
                                      m_weights[i], 25.0f + float(i) / 10, qint16(1300 + i), 8, 45.0f, 95,
                                      2.8f));
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write(records, PersonalData{u"花子"_s, 160.0f, 60.5f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    void wholePeriodPanel()
    {
        click(u"cmdRentai"_s);
        QVERIFY(child<QWidget>(u"fraRenTai"_s)->isVisible());
        QCOMPARE(series(u"mcrRentai"_s, 1)->count(), 11);
        // Width 10: the average starts at the tenth measurement.
        QCOMPARE(series(u"mcrRentai"_s, 2)->count(), 2);
        QCOMPARE(series(u"mcrRentai"_s, 2)->at(0).x(), 10.0);
        QCOMPARE(float(series(u"mcrRentai"_s, 2)->at(0).y()), 69.13f);
        QCOMPARE(child<QLabel>(u"lblNichis"_s)->text(),
                 u"2026/11/27 ( 70Kg ) でスタート ～ 2026/12/07 ( 68.5Kg ) まで 10日経過 _ 1.5Kg 減"_s);
        QCOMPARE(child<QLabel>(u"lblKiro"_s)->text(), u"最小記録 2026/12/07 の 68.5Kg   初日から 1.5Kg 減"_s);
        QCOMPARE(child<QPushButton>(u"cmdMokuChk"_s)->text(), u"目標まで残り　8.0Kg"_s);
        QCOMPARE(leftAxis(u"mcrRentai"_s)->min(), 68.0);
        QCOMPARE(leftAxis(u"mcrRentai"_s)->max(), 70.0);
        QVERIFY(series(u"mcrRentai"_s, 3)->isVisible() == false);

        click(u"optShi1"_s);
        QVERIFY(!series(u"mcrRentai"_s, 1)->isVisible() && !series(u"mcrRentai"_s, 2)->isVisible());
        QVERIFY(series(u"mcrRentai"_s, 3)->isVisible());
        click(u"optKon1"_s);
        QVERIFY(series(u"mcrRentai"_s, 1)->isVisible() && series(u"mcrRentai"_s, 3)->isVisible());

        // The target floor and back.
        click(u"cmdMokuChk"_s);
        QCOMPARE(leftAxis(u"mcrRentai"_s)->min(), 60.0);
        QVERIFY(child<QPushButton>(u"cmdMokuChk"_s)->styleSheet().contains(u"255, 224, 192"_s));
        click(u"cmdMokuChk"_s);
        QCOMPARE(leftAxis(u"mcrRentai"_s)->min(), 68.0);

        // A new width redraws the average at once and is stored.
        auto *width = child<QComboBox>(u"cboIdou"_s);
        width->setEditText(u"1"_s);
        QTest::keyClick(width->lineEdit(), Qt::Key_Return);
        QCOMPARE(series(u"mcrRentai"_s, 2)->count(), 11);
        QVERIFY(m_session->diary.bytes(u"移動平均.TXT"_s).startsWith("1"));

        // The body-composition charts lie in front, one at a time.
        click(u"cmdTaisya"_s);
        QVERIFY(child<QWidget>(u"mcrRentai2"_s)->isVisible());
        QCOMPARE(series(u"mcrRentai2"_s, 1)->count(), 11);
        QCOMPARE(child<QLabel>(u"lblG11"_s)->text(), u"基礎代謝"_s);
        click(u"cmdKotur"_s);
        QVERIFY(child<QWidget>(u"mcrRentai4"_s)->isVisible() &&
                !child<QWidget>(u"mcrRentai2"_s)->isVisible());
        QVERIFY(child<QLabel>(u"lblG12"_s)->text().isEmpty());
        click(u"cmdTai"_s);
        QVERIFY(!child<QWidget>(u"mcrRentai4"_s)->isVisible());
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }

    void analysisPanel()
    {
        click(u"cmdBunseki"_s);
        QVERIFY(child<QWidget>(u"fraBunseki"_s)->isVisible());
        auto *series = child<GridView>(u"msgB1"_s);
        QCOMPARE(series->gridModel()->gridRowCount(), 12);
        // A long list shows its end: the last row whole at the bottom, the rows
        // above it filling the view, the top one whole too.
        const int lastIndex = series->gridModel()->rowCount() - 1;
        const QRect last = series->visualRect(series->gridModel()->index(lastIndex, 0));
        QVERIFY(last.top() >= 0 && last.bottom() < series->viewport()->height());
        QVERIFY(series->viewport()->height() - last.bottom() <= last.height());
        QCOMPARE(series->visualRect(series->gridModel()->index(series->topRow() - 1, 0)).top(), 0);
        QCOMPARE(cell(u"msgB1"_s, 0, 3), u"前回差"_s);
        QCOMPARE(cell(u"msgB1"_s, 2, 3), u"-0.4Kg"_s);
        click(u"Option1(1)"_s);
        QCOMPARE(cell(u"msgB1"_s, 0, 3), u"初回差"_s);
        QCOMPARE(cell(u"msgB1"_s, 11, 3), u"-1.5Kg"_s);

        QCOMPARE(cell(u"msgB2"_s, 3, 0), u"1.5Kg減"_s);
        QCOMPARE(cell(u"msgB2"_s, 3, 1), u"2026/12/07"_s);
        QCOMPARE(child<QLabel>(u"Label5(0)"_s)->text(), u"最高　1.5Kg減を達成してから　0日経過"_s);
        QCOMPARE(cell(u"msgB3"_s, 1, 2), u"70.000Kg"_s);
        QVERIFY(child<QLabel>(u"Label5(1)"_s)->text().startsWith(u"連続ﾏｲﾅｽ記録 "_s));

        QCOMPARE(child<QGroupBox>(u"fraB4"_s)->title(), u"    体重推移累積番付 < 0.5Kg刻み >"_s);
        QCOMPARE(cell(u"msgB4"_s, 1, 1), u"68.5～68.9Kg"_s);
        click(u"Option2(0)"_s);
        QCOMPARE(child<QGroupBox>(u"fraB4"_s)->title(), u"    体重推移累積番付 < 1.0Kg刻み >"_s);
        QCOMPARE(cell(u"msgB4"_s, 1, 1), u"68.0～68.9Kg"_s);
        QCOMPARE(cell(u"msgB4"_s, 1, 2), u"5回"_s);

        // Pressing the button of the panel on screen computes nothing again.
        series->gridModel()->setText(1, 0, u"x"_s);
        click(u"cmdBunseki"_s);
        QCOMPARE(cell(u"msgB1"_s, 1, 0), u"x"_s);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestHistoryPanels)
#include "tst_historypanels.moc"
