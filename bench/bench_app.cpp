#include "benchtable.h"

#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "entry/entryarea.h"
#include "print/printout.h"
#include "store/measurementfile.h"
#include "ui/chartview.h"
#include "ui/gridview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <malloc.h>

namespace zzbench {

namespace {

// A copy of the 50,000-record diary that the saves may change.
QString FreshCopy(QTemporaryDir &temp)
{
    const QDir source(DiaryDirectory(Records()));
    for (const QString &name : source.entryList(QDir::Files)) {
        QFile::remove(temp.filePath(name));
        QFile::copy(source.filePath(name), temp.filePath(name));
    }
    return temp.path();
}

// Choosing a status fills the boxes with the reference measurement, so the
// save asks nothing.
void ChooseFirstStatus(zz::MainWindow &window)
{
    auto *list = window.findChild<QListView *>(QStringLiteral("lstAct"));
    const QModelIndex first = list->model()->index(0, 0);
    list->setCurrentIndex(first);
    Q_EMIT list->clicked(first);
}

} // namespace

void AppBenchmarks(Table &table)
{
    QTemporaryDir temp;
    const QString dir = FreshCopy(temp);

    std::unique_ptr<zz::MainWindow> window;
    table.measure(
        QStringLiteral("startup, 50,000 records, until the window is shown"), 400,
        [&] { window = zz::StartProgram(dir); }, 3, [&] { window.reset(); });
    if (!window)
        return;

    table.measure(QStringLiteral("RefreshDayList, 50,000 records"), 30, [&] { window->RefreshDayList(); });

    // The last record's day: saving appends.
    QList<zz::MeasurementRecord> records;
    zz::ReadMeasurements(dir, records);
    const QDate last = QDate::fromString(records.last().date, QStringLiteral("yyyy/MM/dd"));
    const QDate first = QDate::fromString(records.first().date, QStringLiteral("yyyy/MM/dd"));
    auto *calendar = window->findChild<QCalendarWidget *>(QStringLiteral("mtvmain"));
    auto *entry = window->findChild<zz::EntryArea *>();

    calendar->setSelectedDate(last);
    window->RefreshDayList();
    table.measure(
        QStringLiteral("save on the append path, with its refresh, 50,000 records"), 30,
        [&] { entry->cmdTaiHozon_Click(); }, 5, [&] { ChooseFirstStatus(*window); });

    calendar->setSelectedDate(first.addDays(1));
    window->RefreshDayList();
    table.measure(
        QStringLiteral("save on the insert path, with its refresh, 50,000 records"), 30,
        [&] { entry->cmdTaiHozon_Click(); }, 5, [&] { ChooseFirstStatus(*window); });

    // The whole-period and analysis panels, each opened from the main panel.
    auto button = [&](const char16_t *name) {
        return window->findChild<QAbstractButton *>(QString::fromUtf16(name));
    };
    auto backToMain = [&] { button(u"cmdMain")->click(); };
    // A panel opened after a change of the diary is built afresh; opened
    // again with nothing changed, it is shown as it was.
    auto afterAChange = [&] {
        backToMain();
        window->DiaryChanged();
    };
    auto openedAgain = [&](const char16_t *name) {
        button(name)->click();
        table.measure(
            QString::fromUtf16(name) + QStringLiteral(" shown again, nothing changed, 50,000 records"), 100,
            [&] { button(name)->click(); }, 3, backToMain);
    };
    table.measure(
        QStringLiteral("cmdRentai until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdRentai")->click(); }, 3, afterAChange);
    auto *width = window->findChild<QComboBox *>(QStringLiteral("cboIdou"));
    int widthValue = 10;
    table.measure(
        QStringLiteral("cboIdou: redraw with a new moving-average width, 50,000 records"), 100,
        [&] { QTest::keyClick(width->lineEdit(), Qt::Key_Return); }, 3,
        [&] { width->setEditText(QString::number(widthValue++ % 30 + 1)); });
    table.measure(
        QStringLiteral("cmdBunseki until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdBunseki")->click(); }, 3, afterAChange);
    openedAgain(u"cmdBunseki");
    int option = 0;
    table.measure(
        QStringLiteral("Option1: time series switched, 50,000 records"), 100,
        [&] { button(option++ % 2 ? u"Option1(0)" : u"Option1(1)")->click(); }, 4);
    table.measure(
        QStringLiteral("Option2: ranking switched, 50,000 records"), 100,
        [&] { button(option++ % 2 ? u"Option2(0)" : u"Option2(1)")->click(); }, 4);

    // The filtered view: opened, one criterion, one display switch.
    table.measure(
        QStringLiteral("cmdTaijyu until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdTaijyu")->click(); }, 3, afterAChange);
    openedAgain(u"cmdTaijyu");
    int weekday = 0;
    table.measure(
        QStringLiteral("filtered view: a weekday chosen, 50,000 records"), 250,
        [&] { button(weekday++ % 2 ? u"cmdAllWeek" : u"cmdWeek(1)")->click(); }, 4);
    int display = 0;
    table.measure(
        QStringLiteral("filtered view: a display switch, 50,000 records"), 20,
        [&] { button(display++ % 2 ? u"cmdTai1" : u"cmdTai2")->click(); }, 4);

    // Daily averages: opened, a period, the export; the calendar: opened, a mode.
    table.measure(
        QStringLiteral("cmdAvgtai until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdAvgtai")->click(); }, 3, afterAChange);
    openedAgain(u"cmdAvgtai");
    auto *periodStart = window->findChild<QComboBox *>(QStringLiteral("cboStdate2"));
    periodStart->setEditText(periodStart->itemText(periodStart->count() / 2));
    table.measure(
        QStringLiteral("daily averages: a period of half the diary, 50,000 records"), 100,
        [&] { button(u"cmdKikanF2")->click(); }, 3);
    button(u"cmdAvgtai")->click();
    backToMain();
    button(u"cmdAvgtai")->click();
    // Message boxes are answered with OK as soon as they show.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    answer.start();
    table.measure(
        QStringLiteral("daily averages: the export of every day, with its box, 50,000 records"), 100,
        [&] { button(u"cmdAvgHozon")->click(); }, 3);
    table.measure(
        QStringLiteral("cmdCale until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdCale")->click(); }, 3, afterAChange);
    int mode = 0;
    table.measure(
        QStringLiteral("calendar: a mode switch, 50,000 records"), 100,
        [&] { button(mode++ % 2 ? u"cmdSel1(0)" : u"cmdSel1(1)")->click(); }, 4);

    // The diary panel and a status rename.
    table.measure(
        QStringLiteral("cmdMemo until the panel is shown, 50,000 records"), 100,
        [&] { button(u"cmdMemo")->click(); }, 3, afterAChange);
    openedAgain(u"cmdMemo");
    auto *diary = window->findChild<zz::GridView *>(QStringLiteral("msgMemoList"));
    Q_EMIT diary->cellClicked(diary->gridModel()->gridRowCount() / 2, 7);
    auto *comment = window->findChild<QLineEdit *>(QStringLiteral("txtMemo"));
    int saved = 0;
    table.measure(
        QStringLiteral("a comment saved, 50,000 records"), 100, [&] { button(u"cmdMemoHozon")->click(); }, 3,
        [&] { comment->setText(QStringLiteral("一言 %1").arg(++saved)); });
    button(u"cmdSettei")->click();
    auto *statuses = window->findChild<QListWidget *>(QStringLiteral("lstKoumoku"));
    auto *renamed = window->findChild<QLineEdit *>(QStringLiteral("txtChg"));
    int renames = 0;
    table.measure(
        QStringLiteral("a status renamed everywhere, with its boxes, 50,000 records"), 100,
        [&] { button(u"cmdChg")->click(); }, 3,
        [&] {
            statuses->setCurrentRow(0);
            Q_EMIT statuses->itemClicked(statuses->item(0));
            renamed->setText(QStringLiteral("状況%1").arg(++renames));
        });
    answer.stop();

    // Printing 10,000 rows of the filtered list with its chart into a PDF.
    {
        zz::testing::SetPrintToPdfAlways(true);
        QTemporaryDir out;
        QList<QStringList> rows;
        for (int i = 0; i < 10000; ++i)
            rows.append({QString::number(i + 1),
                         QStringLiteral("08/03/14"),
                         QStringLiteral("土"),
                         QStringLiteral("朝食前"),
                         QStringLiteral("65.2Kg"),
                         {},
                         {},
                         {},
                         {},
                         QStringLiteral("25.5"),
                         QStringLiteral("15.8%"),
                         QStringLiteral("24.4%")});
        zz::Printout printout;
        printout.picture = window->findChild<zz::ChartView *>(QStringLiteral("mcrBunseki"))->picture();
        printout.pictureMaxWidth = 1e9;
        printout.pictureMaxHeight = zz::FilteredListY - 200;
        printout.header = zz::FilteredHeader(false);
        printout.body = zz::FilteredLines(rows, false);
        printout.startY = zz::FilteredListY;
        table.measure(
            QStringLiteral("printing 10,000 filtered rows with the chart to PDF"), 3000,
            [&] { zz::PrintOut(printout, out.path()); }, 2);
        zz::testing::SetPrintToPdfAlways(false);
    }

    // A diary of 200,000 records: every panel still opens (when no size was
    // given; scripts/bench-growth.sh runs the whole table at 200,000).
    if (!SizeGiven()) {
        window.reset();
        QTemporaryDir huge;
        WriteLargeDiary(huge.path(), 200000);
        std::unique_ptr<zz::MainWindow> big;
        table.measure(
            QStringLiteral("startup, 200,000 records"), 0, [&] { big = zz::StartProgram(huge.path()); }, 1);
        if (!big)
            return;
        for (const char16_t *name : {u"cmdTaijyu", u"cmdBunseki", u"cmdRentai", u"cmdSettei", u"cmdCale",
                                     u"cmdMemo", u"cmdAvgtai"}) {
            auto *panelButton = big->findChild<QAbstractButton *>(QString::fromUtf16(name));
            auto *mainButton = big->findChild<QAbstractButton *>(QStringLiteral("cmdMain"));
            table.measure(
                QString::fromUtf16(name) + QStringLiteral(" until the panel is shown, 200,000 records"), 0,
                [&] { panelButton->click(); }, 1, [&] { mainButton->click(); });
        }
    }
}

void ProgramBenchmarks(Table &table)
{
    QTemporaryDir temp;
    const QString dir = FreshCopy(temp);
    // The peak memory counts from here: making the diary is not the program's.
    malloc_trim(0);
    QFile peak(QStringLiteral("/proc/self/clear_refs"));
    if (peak.open(QIODevice::WriteOnly))
        peak.write("5");
    peak.close();
    std::unique_ptr<zz::MainWindow> window;
    table.measure(
        QStringLiteral("startup, 50,000 records, until the window is shown"), 400,
        [&] { window = zz::StartProgram(dir); }, 1);
    if (!window)
        return;
    window->show();
    QApplication::processEvents();
    auto *mainButton = window->findChild<QAbstractButton *>(QStringLiteral("cmdMain"));
    for (const char16_t *name :
         {u"cmdTaijyu", u"cmdBunseki", u"cmdRentai", u"cmdSettei", u"cmdCale", u"cmdMemo", u"cmdAvgtai"}) {
        auto *panelButton = window->findChild<QAbstractButton *>(QString::fromUtf16(name));
        table.measure(
            QString::fromUtf16(name) + QStringLiteral(" until the panel is shown, 50,000 records"), 100,
            [&] { panelButton->click(); }, 1,
            [&] {
                mainButton->click();
                window->DiaryChanged();
            });
    }
}

} // namespace zzbench
