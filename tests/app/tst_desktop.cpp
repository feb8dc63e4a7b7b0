#include "app/desktop.h"
#include "app/startup.h"
#include "windowtest.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>

using namespace Qt::StringLiterals;

// The program as the desktop meets it: its command line, its signals, its
// window placement and Qt's own texts in the user's language.
class TestDesktop : public WindowTest
{
    Q_OBJECT

    static QString program() { return QStringLiteral(ZZ_PROGRAM); }

    // Runs the program to its end; its standard output.
    static QByteArray run(const QStringList &arguments)
    {
        QProcess process;
        process.start(program(), arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("the program did not end well");
        return process.readAllStandardOutput();
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void helpAndVersionPrintAndEnd()
    {
        QVERIFY(run({u"--version"_s}).startsWith("zumazuma 0."));
        QVERIFY(run({u"--help"_s}).contains("--diary <folder>"));
    }

    void aDiaryFolderOnTheCommandLineEndsCleanlyOnEachSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aDiaryFolderOnTheCommandLineEndsCleanlyOnEachSignal()
    {
        QFETCH(int, signal);
        QTemporaryDir parent;
        const QString dir = parent.filePath(u"新しい日記"_s); // not there yet
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(environment);
        process.start(program(), {u"--diary"_s, dir});
        QVERIFY(process.waitForStarted());
        // The sample diary goes into the new folder and the folder is locked.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(dir).filePath(zz::DiaryLockName)), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(dir).filePath(u"データ.txt"_s)), 20000);
        QTest::qWait(500); // the event loop runs
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(!QFile::exists(QDir(dir).filePath(zz::DiaryLockName)));
    }

    void windowKeepsItsPlacement()
    {
        QSettings().clear();
        m_session = std::make_unique<WindowSession>();
        m_session->start();
        QVERIFY(m_session->window);
        QVERIFY(m_session->window->minimumWidth() > 600);
        m_session->window->resize(1240, 790);
        m_session->window->close();
        m_session->window.reset();
        m_session->start();
        QCOMPARE(m_session->window->size(), QSize(1240, 790));
        m_session.reset();
    }

    // A screen smaller than the layout (the test screen is 800 pixels wide): the
    // window fits it, the panels keep their room and scroll.
    void smallScreenScrollsInsteadOfSqueezing()
    {
        QSettings().clear();
        m_session = std::make_unique<WindowSession>();
        m_session->start();
        zz::MainWindow *window = m_session->window.get();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize screen = window->screen()->availableGeometry().size();
        QVERIFY(screen.width() < 1000); // narrower than the layout

        QVERIFY(window->width() <= screen.width() && window->height() <= screen.height());

        auto *scroll = child<QScrollArea>(u"windowScroll"_s);
        const QWidget *content = scroll->widget();
        QVERIFY(content->width() >= content->minimumSizeHint().width());
        QVERIFY(content->height() >= content->minimumSizeHint().height());
        QVERIFY(scroll->horizontalScrollBar()->maximum() > 0);
        const QStringList summary = {u"lblDspNissuu"_s, u"lblDspTai"_s, u"lblDspBmi"_s, u"lblDspHiman"_s};
        for (const QString &one : summary) {
            for (const QString &other : summary) {
                const QRect a(child<QWidget>(one)->mapTo(content, QPoint()), child<QWidget>(one)->size());
                const QRect b(child<QWidget>(other)->mapTo(content, QPoint()), child<QWidget>(other)->size());
                QVERIFY2(one == other || !a.intersects(b), qPrintable(one + u" "_s + other));
            }
        }

        // At the default size nothing scrolls.
        window->resize(1260, 760);
        QTRY_COMPARE(scroll->verticalScrollBar()->maximum(), 0);
        QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
        m_session.reset();
    }

    void qtTextsInTheUsersLanguage()
    {
        QVERIFY(zz::InstallQtTranslation(QLocale(QLocale::Japanese, QLocale::Japan)));
        QMessageBox box(QMessageBox::Question, u"t"_s, u"t"_s, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(box.button(QMessageBox::Yes)->text().contains(u"はい"_s));
        QVERIFY(box.button(QMessageBox::No)->text().contains(u"いいえ"_s));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
