// The main window: startup, sample detection, title, panel switching, help and exit.

#include "app/helptexts.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "boxwatcher.h"
#include "controls.h"
#include "diaryfixture.h"
#include "store/diaryopen.h"
#include "ui/chartview.h"
#include "ui/gridview.h"
#include "windowsession.h"

#include <QCalendarWidget>
#include <QChart>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

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

    // On a dark desktop the pale boxes keep dark text, text on the window
    // follows the palette, and charts are dark but print light.
    void darkDesktop()
    {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(40, 40, 40));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(235, 235, 235));
        QApplication::setPalette(dark);
        WindowSession run;
        run.diary.write(TwoDays(), Person(QStringLiteral("花子")));
        run.start();
        QVERIFY(run.window);
        MainWindow *window = run.window.get();
        const auto textOf = [&](const QString &name) {
            auto *label = child<QLabel>(window, name);
            label->ensurePolished();
            return label->palette().color(label->foregroundRole()).lightness();
        };
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdSettei")), Qt::LeftButton);
        for (const QString &pale :
             {u"lblDspNissuu"_s, u"lblDspTai"_s, u"lblMHyouka"_s, u"lblHyouka"_s, u"Label9(25)"_s})
            QVERIFY2(textOf(pale) < 80, qPrintable(pale));
        QVERIFY(textOf(u"lblTaijyu"_s) > 128); // a heading on the window

        const QAbstractItemModel *list = child<GridView>(window, u"msgDayList"_s)->model();
        int marks = 0; // the change marks of the day's row
        for (int column = 0; column < list->columnCount(); ++column) {
            const QModelIndex cell = list->index(0, column);
            if (!list->data(cell, Qt::BackgroundRole).isValid())
                continue;
            ++marks;
            QVERIFY(list->data(cell, Qt::BackgroundRole).value<QColor>().lightness() > 200);
            QCOMPARE(list->data(cell, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
        }
        QCOMPARE(marks, 2);

        auto *chart = child<ChartView>(window, u"mcrMain"_s);
        QCOMPARE(chart->chart()->theme(), QChart::ChartThemeDark);
        QVERIFY(chart->chart()->backgroundBrush().color().lightness() < 100);
        const QImage paper = chart->picture().toImage();
        QVERIFY(paper.pixelColor(2, 2).lightness() > 200);
        QCOMPARE(chart->chart()->theme(), QChart::ChartThemeDark);
        run.window.reset();
        QApplication::setPalette(light);
    }

    // One quantity has one colour on every chart, and the captions naming
    // it are written in that colour.
    void sameQuantitySameColour()
    {
        WindowSession run;
        run.diary.write(TwoDays(), Person(QStringLiteral("花子")));
        run.start();
        QVERIFY(run.window);
        MainWindow *window = run.window.get();
        const auto seriesColour = [&](const QString &chart, int series) {
            return child<ChartView>(window, chart)->lineSeries(series)->color();
        };
        const auto captionColour = [&](const QString &name) {
            auto *widget = child<QWidget>(window, name);
            widget->ensurePolished();
            return widget->palette().color(widget->foregroundRole());
        };
        const QColor weight = seriesColour(u"mcrMain"_s, 1), fat = seriesColour(u"mcrMain"_s, 2);
        QVERIFY(weight != fat);
        for (const QString &chart : {u"mcrBunseki"_s, u"mcrRentai"_s, u"mcrAvgtai"_s})
            QCOMPARE(seriesColour(chart, 1), weight);
        QCOMPARE(seriesColour(u"mcrBunseki"_s, 2), fat);
        QCOMPARE(seriesColour(u"mcrRentai"_s, 3), fat);
        QVERIFY(seriesColour(u"mcrRentai"_s, 2) != fat); // the moving average
        for (const QString &option : {u"optTai"_s, u"optTai1"_s, u"optTai2"_s})
            QCOMPARE(captionColour(option), weight);
        for (const QString &option : {u"optShi"_s, u"optShi1"_s, u"optShi2"_s})
            QCOMPARE(captionColour(option), fat);
        for (const QString &base : {u"mcrMain"_s, u"mcrBunseki"_s, u"mcrRentai"_s}) {
            QCOMPARE(seriesColour(base + u'2', 1), seriesColour(u"mcrMain2"_s, 1));
            QCOMPARE(seriesColour(base + u'3', 2), seriesColour(u"mcrMain3"_s, 2));
        }

        // The captions over a composition chart take its lines' colours.
        QTest::mouseClick(child<QPushButton>(window, u"cmdRentai"_s), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, u"cmdKinr"_s), Qt::LeftButton);
        QCOMPARE(captionColour(u"lblG11"_s), seriesColour(u"mcrRentai3"_s, 1));
        QCOMPARE(captionColour(u"lblG12"_s), seriesColour(u"mcrRentai3"_s, 2));
        QTest::mouseClick(child<QPushButton>(window, u"cmdTaijyu"_s), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, u"cmdTai2"_s), Qt::LeftButton);
        QCOMPARE(captionColour(u"lblG21"_s), seriesColour(u"mcrBunseki2"_s, 1));
        QCOMPARE(captionColour(u"lblG22"_s), seriesColour(u"mcrBunseki2"_s, 2));
        QVERIFY(seriesColour(u"mcrBunseki2"_s, 1) != seriesColour(u"mcrBunseki2"_s, 2));
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
