// The main window: startup, sample detection, title, panel switching, help and exit.

#include "app/helptexts.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "boxwatcher.h"
#include "controls.h"
#include "diaryfixture.h"
#include "store/diaryopen.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>

using namespace zz;

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    static PersonalData Person(const QString &name, float height = 168.5f, float target = 65.0f)
    {
        return PersonalData{name, height, target};
    }

    static QList<MeasurementRecord> TwoDays()
    {
        return {TestRecord(QStringLiteral("2026/12/06"), QStringLiteral("朝起きて"), 70.2f),
                TestRecord(QStringLiteral("2026/12/07"), QStringLiteral("朝起きて"), 69.8f)};
    }

    template <typename T>
    static T *child(MainWindow *window, const QString &name)
    {
        return Control<T>(window, name);
    }

private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(8, 5, 9))); }

    void sampleDiaryShowsItsDayAndOneMessage()
    {
        QTemporaryDir temp;
        QVERIFY(OpenDiary(temp.path()).sampleInstalled);
        QVERIFY(WriteHelpTourSetting(temp.path(), 0).ok);

        BoxWatcher boxes;
        auto window = StartProgram(temp.path());
        QVERIFY(window);
        QCOMPARE(boxes.titles(), QStringList{QStringLiteral("サンプル表示")});
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("サンプルとして2004年03月28日のデータを表示させています。"));
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Information);
        QCOMPARE(boxes.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(window->state().sampleMode);
        QCOMPARE(child<QCalendarWidget>(window.get(), QStringLiteral("mtvmain"))->selectedDate(),
                 QDate(2004, 3, 28));
        QCOMPARE(window->state().dayList.referenceMeasurement.date, QStringLiteral("2004/03/28"));
        QCOMPARE(window->windowTitle(),
                 QLatin1Char(' ') + SampleUserName() + QStringLiteral(" の Zumazuma☆ダイエット"));
    }

    void sampleStartDateWithOtherHeightIsNotTheSample()
    {
        DiaryFixture diary;
        diary.write({TestRecord(QStringLiteral("2004/03/14"), QStringLiteral("はじめの一歩"), 70.0f)},
                    Person(SampleUserName(), 170.0f));
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QVERIFY(!window->state().sampleMode);
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(child<QCalendarWidget>(window.get(), QStringLiteral("mtvmain"))->selectedDate(),
                 QDate(2026, 12, 7));

        // Saving is allowed.
        ClickListRow(child<QAbstractItemView>(window.get(), QStringLiteral("lstAct")), 0);
        QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdTaiHozon")), Qt::LeftButton);
        QVERIFY(boxes.boxes.isEmpty());
        QList<MeasurementRecord> records;
        QVERIFY(ReadMeasurements(diary.dir(), records).ok);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.last().date, QStringLiteral("2026/12/07"));
    }

    void titleFollowsTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("name") << QStringLiteral("花子") << QStringLiteral(" 花子 の Zumazuma☆ダイエット");
        QTest::newRow("no name") << QString() << QStringLiteral(" Zumazuma☆ダイエット");
    }
    void titleFollowsTheName()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        DiaryFixture diary;
        diary.write(TwoDays(), Person(name));
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), title);
    }

    void welcomeTourAndPanelHelp()
    {
        DiaryFixture diary;
        diary.write(TwoDays(), Person(QStringLiteral("花子")), 1);
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        // Three welcome boxes in order, nothing else.
        QCOMPARE(boxes.boxes.size(), 3);
        const QStringList welcome = WelcomeTourTexts();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(boxes.boxes[i].title, QStringLiteral("ヘルプツアー"));
            QCOMPARE(boxes.boxes[i].text, welcome[i]);
            QCOMPARE(boxes.boxes[i].icon, QMessageBox::Information);
        }
        QVERIFY(child<QWidget>(window.get(), QStringLiteral("fraMain"))->isVisible());

        // A panel explains itself once; its button again does nothing.
        boxes.clear();
        QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdSettei")), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, HelpTourText(HelpPanel::Edit));
        QVERIFY(child<QWidget>(window.get(), QStringLiteral("fraSettei"))->isVisible());
        QVERIFY(!child<QWidget>(window.get(), QStringLiteral("fraMain"))->isVisible());
        QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdSettei")), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);

        // The main panel shows no explanation.
        QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdMain")), Qt::LeftButton);
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(child<QWidget>(window.get(), QStringLiteral("fraMain"))->isVisible());
    }

    void exactlyOnePanelIsVisible()
    {
        DiaryFixture diary;
        diary.write(TwoDays(), Person(QStringLiteral("花子")));
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        const QStringList panels = {QStringLiteral("fraMain"),    QStringLiteral("fraTaijyu"),
                                    QStringLiteral("fraBunseki"), QStringLiteral("fraRenTai"),
                                    QStringLiteral("fraSettei"),  QStringLiteral("fraCale"),
                                    QStringLiteral("fraMemo"),    QStringLiteral("fraAvgTai")};
        const QStringList buttons = {QStringLiteral("cmdMain"),    QStringLiteral("cmdTaijyu"),
                                     QStringLiteral("cmdBunseki"), QStringLiteral("cmdRentai"),
                                     QStringLiteral("cmdSettei"),  QStringLiteral("cmdCale"),
                                     QStringLiteral("cmdMemo"),    QStringLiteral("cmdAvgtai")};
        for (int i = buttons.size() - 1; i >= 0; --i) {
            QTest::mouseClick(child<QPushButton>(window.get(), buttons[i]), Qt::LeftButton);
            for (int p = 0; p < panels.size(); ++p)
                QCOMPARE(child<QWidget>(window.get(), panels[p])->isVisible(), p == i);
        }
        QVERIFY(boxes.boxes.isEmpty());

        // Each panel is a class of its own that owns its controls.
        QSet<QString> classes;
        for (const QString &name : panels) {
            const QMetaObject *meta = child<QWidget>(window.get(), name)->metaObject();
            QCOMPARE(meta->superClass()->className(), "zz::Panel");
            classes.insert(QString::fromLatin1(meta->className()));
        }
        QCOMPARE(classes.size(), panels.size());
    }

    void exitClosesTheHelpWindow()
    {
        DiaryFixture diary;
        diary.write(TwoDays(), Person(QStringLiteral("花子")));
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        window->cmdHelp_Click();
        QVERIFY(boxes.boxes.isEmpty()); // the help document is installed beside the program
        QPointer<QDialog> help = window->helpWindow();
        QVERIFY(help && help->isVisible());
        QTest::mouseClick(child<QPushButton>(window.get(), QStringLiteral("cmdOwari")), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(!help || !help->isVisible());
    }

    void malformedDiaryShowsItsErrorAndStops()
    {
        DiaryFixture diary;
        diary.write(TwoDays(), Person(QStringLiteral("花子")));
        QByteArray data = diary.bytes(QStringLiteral("データ.txt"));
        data += "\"2026/12/08\",\"x\",abc,1,2,3,4,5,6,\"\",\"\"\r\n";
        diary.writeBytes(QStringLiteral("データ.txt"), data);
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(!window);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Critical);
        QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral("データ.txt")), qPrintable(boxes.boxes[0].text));
        QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral("3")), qPrintable(boxes.boxes[0].text));
        // Nothing was written.
        QCOMPARE(diary.bytes(QStringLiteral("データ.txt")), data);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
