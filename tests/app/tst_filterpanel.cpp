// The filtered-view panel walked through the real window: every criteria
// button, the search text, 検索, every display switch and option.

#include "base/clock.h"
#include "controls.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>

using namespace zz;
using namespace Qt::StringLiterals;

class TestFilterPanel : public WindowTest
{
    Q_OBJECT

    GridModel *list() { return child<GridView>(u"msgBunseki"_s)->gridModel(); }
    QStringList listed()
    {
        QStringList dates;
        for (int r = 1; r < list()->gridRowCount(); ++r)
            dates.append(list()->text(r, 1) + list()->text(r, 3));
        return dates;
    }
    bool highlighted(const QString &name)
    {
        return child<QPushButton>(name)->styleSheet().contains(u"255, 255, 192"_s);
    }

private Q_SLOTS:
    void init()
    {
        // Today is Monday 2026/12/07.
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(u"2026/11/23"_s, u"朝起きて"_s, 66.0f),
                                TestRecord(u"2026/11/30"_s, u"夕食後"_s, 65.5f),
                                TestRecord(u"2026/11/30"_s, u"朝起きて"_s, 65.4f),
                                TestRecord(u"2026/12/05"_s, u"夕食後"_s, 65.0f),
                                TestRecord(u"2026/12/06"_s, QString(), 64.8f),
                                TestRecord(u"2026/12/07"_s, u"朝起きて"_s, 64.6f)},
                               PersonalData{u"花子"_s, 160.0f, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    // Opened again with the diary unchanged, the panel is shown as it was
    // built, reset as opening resets it; after a change it is built afresh.
    void builtAgainOnlyAfterAChange()
    {
        click(u"cmdTaijyu"_s);
        QSignalSpy rebuilt(list(), &QAbstractItemModel::modelReset);
        const QString bmi = list()->text(6, 9);
        click(u"cmdMain"_s);
        click(u"cmdTaijyu"_s);
        QCOMPARE(rebuilt.count(), 0);
        QCOMPARE(list()->gridRowCount(), 7);

        // A filter left in force: opening lists everything again.
        click(u"cmdWeek(1)"_s);
        QCOMPARE(list()->gridRowCount(), 5);
        child<QComboBox>(u"cboStdate"_s)->setEditText(u"2026/12/01"_s);
        click(u"cmdMain"_s);
        click(u"cmdTaijyu"_s);
        QCOMPARE(list()->gridRowCount(), 7);
        QCOMPARE(child<QComboBox>(u"cboStdate"_s)->currentText(), u"2026/11/23"_s);
        QVERIFY(highlighted(u"cmdAllWeek"_s) && !highlighted(u"cmdWeek(1)"_s));
        click(u"cmdMain"_s);
        rebuilt.clear();
        click(u"cmdTaijyu"_s);
        QCOMPARE(rebuilt.count(), 0);

        // New personal data change the BMI column.
        click(u"cmdSettei"_s);
        child<QLineEdit>(u"txtSincyou"_s)->setText(u"150"_s);
        click(u"cmdPHozon1"_s);
        click(u"cmdTaijyu"_s);
        QVERIFY(rebuilt.count() > 0);
        QVERIFY(list()->text(6, 9) != bmi);

        // A comment saved on the diary panel (a change of the measurements).
        click(u"cmdMemo"_s);
        auto *diary = child<GridView>(u"msgMemoList"_s);
        Q_EMIT diary->cellClicked(6, 7);
        child<QLineEdit>(u"txtMemo"_s)->setText(u"よく眠れた"_s);
        click(u"cmdMemoHozon"_s);
        rebuilt.clear();
        click(u"cmdTaijyu"_s);
        QVERIFY(rebuilt.count() > 0);
    }

    void criteriaAndDisplays()
    {
        click(u"cmdTaijyu"_s);
        QVERIFY(child<QWidget>(u"fraTaijyu"_s)->isVisible());
        QCOMPARE(list()->gridRowCount(), 7);
        auto *start = child<QComboBox>(u"cboStdate"_s);
        auto *end = child<QComboBox>(u"cboEddate"_s);
        QCOMPARE(start->count(), 5);
        QCOMPARE(start->currentText(), u"2026/11/23"_s);
        QCOMPARE(end->currentText(), u"2026/12/07"_s);
        QVERIFY(highlighted(u"cmdAllDay"_s) && highlighted(u"cmdAllact"_s) && highlighted(u"cmdAllWeek"_s));

        // Weekday: Monday; then 検索 ignores it while the button stays lit.
        click(u"cmdWeek(1)"_s);
        QCOMPARE(listed(), (QStringList{u"26/11/23朝起きて"_s, u"26/11/30夕食後"_s, u"26/11/30朝起きて"_s,
                                        u"26/12/07朝起きて"_s}));
        QVERIFY(highlighted(u"cmdWeek(1)"_s) && !highlighted(u"cmdAllWeek"_s));
        QVERIFY(child<QWidget>(u"fraTaijyu"_s)->isVisible());
        click(u"cmdKensaku"_s);
        QCOMPARE(list()->gridRowCount(), 6); // the record without a status is dropped
        QVERIFY(highlighted(u"cmdWeek(1)"_s));

        // Status from the list, with Monday still in force.
        ClickListRow(child<QAbstractItemView>(u"lstAct2"_s), 1);
        QCOMPARE(child<QLineEdit>(u"txtKey"_s)->text(), u"夕食後"_s);
        QCOMPARE(listed(), QStringList{u"26/11/30夕食後"_s});
        QVERIFY(!highlighted(u"cmdAllact"_s));

        // Typing: the box empties on focus, Enter applies.
        auto *key = child<QLineEdit>(u"txtKey"_s);
        key->setFocus();
        QVERIFY(key->text().isEmpty());
        key->insert(u"朝"_s);
        QTest::keyClick(key, Qt::Key_Return);
        QCOMPARE(list()->gridRowCount(), 4);
        click(u"cmdAllWeek"_s);
        QCOMPARE(list()->gridRowCount(), 4);
        click(u"cmdAllact"_s);
        QCOMPARE(list()->gridRowCount(), 7);
        QVERIFY(highlighted(u"cmdAllact"_s));

        // Periods end today; both bounds count.
        const struct
        {
            const char16_t *button, *start;
            int rows;
        } periods[] = {{u"cmdKikan1", u"2026/12/06", 2}, {u"cmdKikan8", u"2026/12/05", 3},
                       {u"cmdKikan2", u"2026/11/30", 5}, {u"cmdKikan3", u"2026/11/23", 6},
                       {u"cmdKikan4", u"2026/11/07", 6}, {u"cmdKikan5", u"2026/09/08", 6},
                       {u"cmdKikan6", u"2026/06/10", 6}, {u"cmdKikan7", u"2025/12/07", 6}};
        for (const auto &p : periods) {
            click(QString::fromUtf16(p.button));
            QCOMPARE(start->currentText(), QString::fromUtf16(p.start));
            QCOMPARE(end->currentText(), u"2026/12/07"_s);
            QCOMPARE(list()->gridRowCount(), p.rows + 1);
            QVERIFY(highlighted(QString::fromUtf16(p.button)));
        }
        start->setEditText(u"2026/12/06"_s);
        end->setEditText(u"2026/11/01"_s);
        click(u"cmdKikanF"_s);
        QCOMPARE(list()->gridRowCount(), 1);
        QCOMPARE(child<ChartView>(u"mcrBunseki"_s)->rowCount(), 1);
        QVERIFY(highlighted(u"cmdKikanF"_s) && !highlighted(u"cmdKikan7"_s));
        click(u"cmdAllDay"_s);
        QCOMPARE(start->currentText(), u"2026/11/23"_s);
        QCOMPARE(list()->gridRowCount(), 7);

        // Display switches and options.
        click(u"cmdTai2"_s);
        QVERIFY(child<QWidget>(u"msgBunseki2"_s)->isVisible() &&
                child<QWidget>(u"mcrBunseki2"_s)->isVisible());
        QCOMPARE(child<QLabel>(u"lblG21"_s)->text(), u"基礎代謝"_s);
        click(u"cmdKin"_s);
        QVERIFY(child<QWidget>(u"mcrBunseki3"_s)->isVisible() &&
                !child<QWidget>(u"mcrBunseki2"_s)->isVisible());
        QCOMPARE(child<QLabel>(u"lblG22"_s)->text(), u"筋肉スコア"_s);
        click(u"cmdKotu"_s);
        QVERIFY(child<QWidget>(u"mcrBunseki4"_s)->isVisible());
        QVERIFY(child<QLabel>(u"lblG22"_s)->text().isEmpty());
        click(u"cmdTai1"_s);
        QVERIFY(!child<QWidget>(u"msgBunseki2"_s)->isVisible() &&
                !child<QWidget>(u"mcrBunseki4"_s)->isVisible());
        auto *chart = child<ChartView>(u"mcrBunseki"_s);
        QVERIFY(chart->isSeriesHidden(2));
        click(u"optShi2"_s);
        QVERIFY(chart->isSeriesHidden(1) && !chart->isSeriesHidden(2) &&
                chart->isAxisHidden(ChartAxis::Left));
        click(u"optKon2"_s);
        QVERIFY(!chart->isSeriesHidden(1) && !chart->isSeriesHidden(2));
        click(u"optTai2"_s);
        QVERIFY(chart->isAxisHidden(ChartAxis::Right));
        QCOMPARE(child<QPushButton>(u"cmdPriData"_s)->toolTip(), u"表示中のデータで印刷"_s);

        // The button of the panel on screen rebuilds nothing.
        list()->setText(1, 0, u"x"_s);
        click(u"cmdTaijyu"_s);
        QCOMPARE(list()->text(1, 0), u"x"_s);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestFilterPanel)
#include "tst_filterpanel.moc"
