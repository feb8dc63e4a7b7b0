// The daily-average and calendar panels walked through the real window.

#include "base/clock.h"
#include "controls.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

class TestAverageCalendar : public WindowTest
{
    Q_OBJECT



private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(u"2026/11/30"_s, u"朝起きて"_s, 65.0f),
                                TestRecord(u"2026/11/30"_s, u"夕食後"_s, 66.0f),
                                TestRecord(u"2026/12/01"_s, u"朝起きて"_s, 65.2f),
                                TestRecord(u"2026/12/03"_s, u"朝起きて"_s, 64.9f),
                                TestRecord(u"2026/12/03"_s, u"夕食後"_s, 64.7f)},
                               PersonalData{u"花子"_s, 160.0f, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    void dailyAverages()
    {
        click(u"cmdAvgtai"_s);
        QVERIFY(child<QWidget>(u"fraAvgTai"_s)->isVisible());
        GridModel *list = child<GridView>(u"msgAvgtai"_s)->gridModel();
        QCOMPARE(list->gridRowCount(), 5);
        QCOMPARE(list->text(1, 2), u"65.5"_s);
        QCOMPARE(list->text(3, 1), u"26/12/02"_s);
        QVERIFY(list->text(3, 2).isEmpty());
        QCOMPARE(child<ChartView>(u"mcrAvgtai"_s)->value(3, 1), std::optional<double>(65.2));
        auto *start = child<QComboBox>(u"cboStdate2"_s);
        auto *end = child<QComboBox>(u"cboEddate2"_s);
        QCOMPARE(start->count(), 4);
        QCOMPARE(start->currentText(), u"26/11/30"_s);
        QCOMPARE(end->currentText(), u"26/12/03"_s);

        // A bad period is refused and changes nothing.
        end->setEditText(u"26/11/29"_s);
        click(u"cmdKikanF2"_s);
        QCOMPARE(m_session->boxes.titles(), QStringList{u"期間指定エラー"_s});
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(list->gridRowCount(), 5);

        end->setEditText(u"26/12/02"_s);
        start->setEditText(u"2026/12/01"_s);
        click(u"cmdKikanF2"_s);
        QCOMPARE(list->gridRowCount(), 3);
        QCOMPARE(list->text(1, 0), u"1"_s);
        QCOMPARE(list->text(1, 1), u"26/12/01"_s);

        // The export writes the rows on show.
        click(u"cmdAvgHozon"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"保存終了"_s);
        QCOMPARE(m_session->diary.bytes(u"日毎平均.txt"_s),
                 QByteArray("\"26/12/01\",65.2\r\n\"26/12/02\",0\r\n"));
        QCOMPARE(child<QPushButton>(u"cmdAvgPri"_s)->toolTip(), u"平均データを印刷"_s);
    }

    void calendar()
    {
        click(u"cmdCale"_s);
        QVERIFY(child<QWidget>(u"fraCale"_s)->isVisible());
        auto *grid = child<GridView>(u"msgList2"_s);
        GridModel *model = grid->gridModel();
        QCOMPARE(model->gridRowCount(), 3);
        QCOMPARE(model->text(1, 0), u"2026年11月"_s);
        QCOMPARE(model->background(1, 30), QColor(255, 192, 192)); // up
        QCOMPARE(model->background(2, 1), QColor(192, 192, 255));  // once
        QCOMPARE(model->background(2, 3), QColor(192, 255, 192));  // down
        QCOMPARE(child<QLabel>(u"lblNon_c"_s)->text(), u"未計測  5日"_s);
        QCOMPARE(child<QLabel>(u"lblHugou"_s)->text(), u"<"_s);
        QVERIFY(child<QLabel>(u"imgKana2"_s)->isVisible() && !child<QLabel>(u"imgWara2"_s)->isVisible());
        QVERIFY(child<QPushButton>(u"cmdSel1(0)"_s)->styleSheet().contains(u"255, 224, 192"_s));

        click(u"cmdSel1(1)"_s);
        QVERIFY(child<QWidget>(u"fraCale"_s)->isVisible());
        QCOMPARE(model->background(2, 1), QColor(255, 192, 192));
        QVERIFY(child<QPushButton>(u"cmdSel1(1)"_s)->styleSheet().contains(u"255, 224, 192"_s));
        QVERIFY(child<QPushButton>(u"cmdSel1(0)"_s)->styleSheet().isEmpty());

        // A double click on no real day does nothing; on a day it opens it.
        const auto doubleClick = [&](int row, int column) {
            const QRect cell = grid->visualRect(model->index(row - 1, column));
            // A real double click: press and release, then the double-click press.
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        };
        doubleClick(1, 31); // 31 November
        QVERIFY(child<QWidget>(u"fraCale"_s)->isVisible());
        doubleClick(2, 2);
        QVERIFY(child<QWidget>(u"fraMain"_s)->isVisible());
        QCOMPARE(child<QCalendarWidget>(u"mtvmain"_s)->selectedDate(), QDate(2026, 12, 2));
        QCOMPARE(m_session->window->state().dayList.referenceMeasurement.date, u"2026/12/03"_s);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestAverageCalendar)
#include "tst_averagecalendar.moc"
