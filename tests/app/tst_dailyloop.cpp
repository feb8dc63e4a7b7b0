// The daily loop through the real window: choose a status, step the values,
// save, and see the row; plus the settings controls.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "controls.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "windowtest.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace zz;

namespace {
const QStringList kBoxes = {QStringLiteral("txtTaiInp"), QStringLiteral("txtShiInp"),
                            QStringLiteral("txtTaisya"), QStringLiteral("txtNaizo"),
                            QStringLiteral("txtKinr"),   QStringLiteral("txtKins"),
                            QStringLiteral("txtKotu")};
const QStringList kSteps = {QStringLiteral("cmdDn"),  QStringLiteral("cmdUp"),  QStringLiteral("cmdDn1"),
                            QStringLiteral("cmdUp1"), QStringLiteral("cmdDn2"), QStringLiteral("cmdUp2"),
                            QStringLiteral("cmdDn3"), QStringLiteral("cmdUp3"), QStringLiteral("cmdDn4"),
                            QStringLiteral("cmdUp4"), QStringLiteral("cmdDn5"), QStringLiteral("cmdUp5"),
                            QStringLiteral("cmdDn6"), QStringLiteral("cmdUp6")};
} // namespace

class TestDailyLoop : public WindowTest
{
    Q_OBJECT

    QLineEdit *box(int i) { return child<QLineEdit>(kBoxes[i]); }
    void click(const QString &name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void chooseStatus(int row) { ClickListRow(child<QAbstractItemView>(QStringLiteral("lstAct")), row); }
    QList<MeasurementRecord> records()
    {
        QList<MeasurementRecord> result;
        if (!ReadMeasurements(m_session->diary.dir(), result).ok)
            qFatal("diary unreadable");
        return result;
    }
    void start(int autoTime = 0)
    {
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write(
            {TestRecord(QStringLiteral("2026/12/01"), QStringLiteral("はじめの一歩"), 70.0f),
             TestRecord(QStringLiteral("2026/12/05"), QStringLiteral("朝起きて"), 69.4f),
             TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝起きて"), 69.0f)},
            PersonalData{QStringLiteral("花子"), 160.0f, 60.0f});
        QVERIFY(WriteAutoTime(m_session->diary.dir(), autoTime).ok);
        m_session->start();
        QVERIFY(m_session->window);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }

private Q_SLOTS:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(17, 42, 10))); }
    void cleanup() { m_session.reset(); }

    void choosingAStatusFillsTheBoxesAndEnablesSteps()
    {
        start();
        for (const QString &name : kSteps)
            QVERIFY(!child<QPushButton>(name)->isEnabled());
        box(0)->setText(QStringLiteral("12"));
        chooseStatus(1);
        QCOMPARE(m_session->window->state().currentStatus, QStringLiteral("夕食後"));
        const QStringList expected = {QStringLiteral("69"), QStringLiteral("22.5"), QStringLiteral("1350"),
                                      QStringLiteral("8"),  QStringLiteral("45.2"), QStringLiteral("95"),
                                      QStringLiteral("2.8")};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(box(i)->text(), expected[i]);
        for (const QString &name : kSteps)
            QVERIFY(child<QPushButton>(name)->isEnabled());
        QVERIFY(box(0)->hasFocus());
        QCOMPARE(box(0)->selectedText(), QStringLiteral("69"));
    }

    void saveAppendsAndTheRowAppears()
    {
        start(1);
        auto *grid = child<QWidget>(QStringLiteral("msgDayList"));
        auto *model = qobject_cast<QTableView *>(grid)->model();
        QCOMPARE(model->rowCount(), 1);
        chooseStatus(1);
        click(QStringLiteral("cmdDn"));
        click(QStringLiteral("cmdDn"));
        click(QStringLiteral("cmdDn"));
        QCOMPARE(box(0)->text(), QStringLiteral("68.7"));
        click(QStringLiteral("cmdTaiHozon"));
        QVERIFY(m_session->boxes.boxes.isEmpty());

        const QList<MeasurementRecord> saved = records();
        QCOMPARE(saved.size(), 4);
        QCOMPARE(saved.last().date, QStringLiteral("2026/12/07"));
        QCOMPARE(saved.last().status, QStringLiteral("夕食後"));
        QCOMPARE(saved.last().weight, 68.7f);
        QCOMPARE(saved.last().comment, QStringLiteral("17:42:10")); // automatic time on the append path
        QVERIFY(
            m_session->diary.bytes(QStringLiteral("データ.txt"))
                .endsWith(
                    "\"2026/12/"
                    "07\",\"\x97\x5b\x90\x48\x8c\xe3\",68.7,22.5,1350,8,45.2,95,2.8,\"17:42:10\",\"\"\r\n"));

        // The new row, its difference and mark; the boxes and status are emptied.
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("68.7Kg"));
        QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("-0.3Kg"));
        QCOMPARE(model->index(1, 4).data().toString(), QStringLiteral("↓"));
        QVERIFY(child<QWidget>(QStringLiteral("imgwara"))->isVisibleTo(m_session->window.get()));
        for (int i = 0; i < 7; ++i)
            QVERIFY(box(i)->text().isEmpty());
        for (const QString &name : kSteps)
            QVERIFY(!child<QPushButton>(name)->isEnabled());
        QCOMPARE(m_session->window->state().dayList.referenceMeasurement.weight, 68.7f);

        // A second press finds no status.
        click(QStringLiteral("cmdTaiHozon"));
        QCOMPARE(m_session->boxes.titles(), QStringList{QStringLiteral("行動未入力")});
        QCOMPARE(records().size(), 4);
    }

    void saveForAnEarlierDayInsertsWithoutTime()
    {
        start(1);
        auto *calendar = child<QCalendarWidget>(QStringLiteral("mtvmain"));
        calendar->setSelectedDate(QDate(2026, 12, 3));
        Q_EMIT calendar->clicked(QDate(2026, 12, 3));
        QVERIFY(child<QAbstractItemView>(QStringLiteral("lstAct"))->hasFocus());
        chooseStatus(0);
        QCOMPARE(box(0)->text(), QStringLiteral("69")); // the file's last record: the day has none
        box(0)->setText(QStringLiteral("69.9"));
        click(QStringLiteral("cmdTaiHozon"));
        const QList<MeasurementRecord> saved = records();
        QCOMPARE(saved.size(), 4);
        QCOMPARE(saved[1].date, QStringLiteral("2026/12/03"));
        QCOMPARE(saved[1].weight, 69.9f);
        QVERIFY(saved[1].comment.isEmpty());
        QCOMPARE(saved[2].date, QStringLiteral("2026/12/05"));
    }

    void largeChangeAskedAndNoWritesNothing()
    {
        start();
        chooseStatus(0);
        box(0)->setText(QStringLiteral("64"));
        m_session->boxes.answer(QMessageBox::No);
        click(QStringLiteral("cmdTaiHozon"));
        QCOMPARE(m_session->boxes.boxes.size(), 1);
        QCOMPARE(m_session->boxes.boxes[0].title, QStringLiteral("異常確認"));
        QCOMPARE(m_session->boxes.boxes[0].text,
                 QStringLiteral("前回より５Ｋｇ以上の変動がありますが間違いありませんか？"));
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(m_session->boxes.boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m_session->boxes.boxes[0].defaultButton, QMessageBox::No);
        QCOMPARE(records().size(), 3);
        QCOMPARE(box(0)->text(), QStringLiteral("64")); // kept for correction

        m_session->boxes.answer(QMessageBox::Yes);
        click(QStringLiteral("cmdTaiHozon"));
        QCOMPARE(records().size(), 4);
    }

    void refusalsInOrder_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("fat");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty weight") << QString() << QStringLiteral("20") << QStringLiteral("体重未入力");
        QTest::newRow("65kg") << QStringLiteral("65kg") << QStringLiteral("20")
                              << QStringLiteral("数値以外入力");
        QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("20") << QStringLiteral("異常入力");
        QTest::newRow("999") << QStringLiteral("999") << QStringLiteral("20") << QStringLiteral("入力制限");
        QTest::newRow("empty fat") << QStringLiteral("69") << QString() << QStringLiteral("体脂肪率未入力");
        QTest::newRow("fat -1") << QStringLiteral("69") << QStringLiteral("-1") << QStringLiteral("異常入力");
    }
    void refusalsInOrder()
    {
        QFETCH(QString, weight);
        QFETCH(QString, fat);
        QFETCH(QString, title);
        start();
        chooseStatus(0);
        box(0)->setText(weight);
        box(1)->setText(fat);
        click(QStringLiteral("cmdTaiHozon"));
        QCOMPARE(m_session->boxes.titles(), QStringList{title});
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(m_session->boxes.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(records().size(), 3);
    }

    void failedWriteKeepsTheBoxesAndTheList_data()
    {
        QTest::addColumn<QString>("day");
        QTest::newRow("append") << QStringLiteral("2026/12/07");
        QTest::newRow("insert") << QStringLiteral("2026/12/03");
    }
    void failedWriteKeepsTheBoxesAndTheList()
    {
        QFETCH(QString, day);
        start();
        const QByteArray before = m_session->diary.bytes(QStringLiteral("データ.txt"));
        auto *calendar = child<QCalendarWidget>(QStringLiteral("mtvmain"));
        const QDate date = QDate::fromString(day, QStringLiteral("yyyy/MM/dd"));
        calendar->setSelectedDate(date);
        Q_EMIT calendar->clicked(date);
        const int rows =
            qobject_cast<QTableView *>(child<QWidget>(QStringLiteral("msgDayList")))->model()->rowCount();
        chooseStatus(0);
        box(0)->setText(QStringLiteral("68.8"));
        testing::SetWriteFailure(testing::FailPoint::Write, ENOSPC, 10);
        click(QStringLiteral("cmdTaiHozon"));
        testing::ClearWriteFailure();
        QCOMPARE(m_session->boxes.boxes.size(), 1);
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(m_session->boxes.boxes[0].text.contains(QStringLiteral("データ.txt")),
                 qPrintable(m_session->boxes.boxes[0].text));
        QCOMPARE(m_session->diary.bytes(QStringLiteral("データ.txt")), before);
        QCOMPARE(box(0)->text(), QStringLiteral("68.8"));
        QCOMPARE(m_session->window->state().currentStatus, QStringLiteral("朝起きて"));
        QCOMPARE(
            qobject_cast<QTableView *>(child<QWidget>(QStringLiteral("msgDayList")))->model()->rowCount(),
            rows);
    }

    void enterWalksTheBoxesToTheSaveButton()
    {
        start();
        chooseStatus(0);
        box(1)->clear();
        box(1)->setFocus();
        QTest::keyClick(box(1), Qt::Key_Return);
        QVERIFY(box(1)->hasFocus()); // an empty box keeps the focus
        box(1)->setText(QStringLiteral("22.5"));
        QTest::keyClick(box(1), Qt::Key_Return);
        QVERIFY(box(2)->hasFocus());
        QCOMPARE(box(2)->selectedText(), box(2)->text());
        box(6)->setFocus();
        QTest::keyClick(box(6), Qt::Key_Return);
        QVERIFY(child<QPushButton>(QStringLiteral("cmdTaiHozon"))->hasFocus());
        QTest::keyClick(child<QPushButton>(QStringLiteral("cmdTaiHozon")), Qt::Key_Return);
        QCOMPARE(records().size(), 4); // Enter on the save button saves
    }

    void stepsUseTheIncrementSetting()
    {
        start();
        child<QRadioButton>(QStringLiteral("optKizami(2)"))->click();
        QCOMPARE(m_session->diary.bytes(QStringLiteral("体重計刻み.txt")), QByteArray("0.2\r\n0.1\r\n"));
        chooseStatus(0);
        box(0)->setText(QStringLiteral("64.8"));
        QStringList seen;
        for (int i = 0; i < 3; ++i) {
            click(QStringLiteral("cmdUp"));
            seen << box(0)->text();
        }
        QCOMPARE(seen, (QStringList{QStringLiteral("65"), QStringLiteral("65.2"), QStringLiteral("65.4")}));

        // A free increment that is not a number is refused, naming the field,
        // and nothing is stored: the steps keep the increment they had.
        auto *free = child<QLineEdit>(QStringLiteral("txtKizami"));
        free->setText(QStringLiteral("abc"));
        QTest::keyClick(free, Qt::Key_Return);
        QCOMPARE(m_session->boxes.titles(), QStringList{QStringLiteral("数値以外入力")});
        QVERIFY(
            m_session->boxes.boxes[0].text.startsWith(QStringLiteral("体重の刻みに数値を入力してください")));
        QCOMPARE(m_session->diary.bytes(QStringLiteral("体重計刻み.txt")), QByteArray("0.2\r\n0.1\r\n"));
        click(QStringLiteral("cmdUp"));
        QCOMPARE(box(0)->text(), QStringLiteral("65.6"));
    }

    void freeStatusAddedToEveryList()
    {
        start();
        m_session->boxes.answerInput(QStringLiteral("散歩後"));
        m_session->boxes.answer(QMessageBox::Yes);
        click(QStringLiteral("cmdFree"));
        QCOMPARE(m_session->boxes.boxes.size(), 2);
        QVERIFY(m_session->boxes.boxes[0].isInput);
        QCOMPARE(m_session->boxes.boxes[0].title, QStringLiteral("状況フリー入力"));
        QCOMPARE(m_session->boxes.boxes[1].title, QStringLiteral("状況リスト登録の有無"));
        QCOMPARE(m_session->boxes.boxes[1].icon, QMessageBox::Question);
        QCOMPARE(m_session->window->state().currentStatus, QStringLiteral("散歩後"));
        for (const QString &name :
             {QStringLiteral("lstAct"), QStringLiteral("lstAct2"), QStringLiteral("lstKoumoku")}) {
            const QStringList texts = ListTexts(child<QAbstractItemView>(name));
            QCOMPARE(texts.size(), 3);
            QCOMPARE(texts.at(2), QStringLiteral("散歩後"));
        }
        QVERIFY(m_session->diary.bytes(QStringLiteral("状況リスト.txt"))
                    .endsWith("\"\x8e\x55\x95\xe0\x8c\xe3\"\r\n"));
    }

    void cancelledFreeStatusChangesNothing()
    {
        start();
        m_session->boxes.cancelInput();
        click(QStringLiteral("cmdFree"));
        QVERIFY(m_session->window->state().currentStatus.isEmpty());
        QVERIFY(box(0)->text().isEmpty());
        QVERIFY(!child<QPushButton>(QStringLiteral("cmdUp"))->isEnabled());
    }

    void unstorableFreeStatusIsRefused()
    {
        start();
        m_session->boxes.answerInput(QStringLiteral("朝\"食"));
        click(QStringLiteral("cmdFree"));
        QCOMPARE(m_session->boxes.boxes.size(), 2);
        QCOMPARE(m_session->boxes.boxes[1].title, QStringLiteral("入力文字エラー"));
        QCOMPARE(m_session->boxes.boxes[1].text,
                 QStringLiteral("「\"」は保存できない文字です。別の文字に置き換えてください。"));
        QVERIFY(m_session->window->state().currentStatus.isEmpty());
    }

    void timeButtonTakesTheClock()
    {
        start();
        click(QStringLiteral("cmdJikan"));
        QCOMPARE(m_session->window->state().currentStatus, QStringLiteral("17:42:10"));
        QVERIFY(child<QPushButton>(QStringLiteral("cmdUp6"))->isEnabled());
    }

    void sampleDiaryRefusesSaving()
    {
        // Startup settings are read without writing: the help flag file is untouched.
        start();
        QCOMPARE(m_session->diary.bytes(QStringLiteral("設定.txt")),
                 QByteArray("\"\x83\x77\x83\x8b\x83\x76\x83\x63\x83\x41\x81\x5b\",0\r\n"));
        auto *help = child<QCheckBox>(QStringLiteral("chkHelp"));
        help->click();
        QCOMPARE(m_session->boxes.titles(), QStringList{QStringLiteral("ヘルプツアーＯＮ")});
        QVERIFY(m_session->diary.bytes(QStringLiteral("設定.txt")).endsWith(",1\r\n"));
    }

    void movingAverageWidth()
    {
        start();
        auto *combo = child<QComboBox>(QStringLiteral("cboIdou"));
        QCOMPARE(combo->count(), 30);
        QCOMPARE(combo->currentText(), QStringLiteral("10"));
        combo->setEditText(QStringLiteral("0"));
        QTest::keyClick(combo, Qt::Key_Return);
        QVERIFY(combo->currentText().isEmpty());
        QCOMPARE(m_session->diary.bytes(QStringLiteral("移動平均.TXT")), QByteArray("10\r\n"));
        combo->setEditText(QStringLiteral("45"));
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(m_session->diary.bytes(QStringLiteral("移動平均.TXT")), QByteArray("45\r\n"));
    }

    void storedIncrementsSelectOptionsByText_data()
    {
        QTest::addColumn<QString>("weightIncrement");
        QTest::addColumn<QString>("checkedOption"); // empty: none
        QTest::addColumn<QString>("freeText");
        QTest::newRow("0.5") << QStringLiteral("0.5") << QStringLiteral("optKizami(3)") << QString();
        QTest::newRow("0.25") << QStringLiteral("0.25") << QString() << QStringLiteral("0.25");
        QTest::newRow("0.10") << QStringLiteral("0.10") << QString() << QStringLiteral("0.10");
    }
    void storedIncrementsSelectOptionsByText()
    {
        QFETCH(QString, weightIncrement);
        QFETCH(QString, checkedOption);
        QFETCH(QString, freeText);
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝"), 69.0f)},
                               PersonalData{QStringLiteral("花子"), 160.0f, 60.0f});
        QVERIFY(WriteIncrements(m_session->diary.dir(), weightIncrement, QStringLiteral("0.2")).ok);
        const QByteArray before = m_session->diary.bytes(QStringLiteral("体重計刻み.txt"));
        m_session->start();
        QVERIFY(m_session->window);
        for (int i = 1; i <= 3; ++i) {
            const QString name = QStringLiteral("optKizami(%1)").arg(i);
            QCOMPARE(child<QRadioButton>(name)->isChecked(), name == checkedOption);
        }
        QCOMPARE(child<QLineEdit>(QStringLiteral("txtKizami"))->text(), freeText);
        QVERIFY(child<QRadioButton>(QStringLiteral("optKizami1(2)"))->isChecked());
        // Startup shows the settings without writing them.
        QCOMPARE(m_session->diary.bytes(QStringLiteral("体重計刻み.txt")), before);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }

    void autoTimeBoxWritesItsFile()
    {
        start();
        auto *check = child<QCheckBox>(QStringLiteral("chkJikan"));
        QVERIFY(!check->isChecked());
        check->click();
        QCOMPARE(m_session->diary.bytes(QStringLiteral("自動時間.TXT")), QByteArray(" 1\r\n"));
    }
};

QTEST_MAIN(TestDailyLoop)
#include "tst_dailyloop.moc"
