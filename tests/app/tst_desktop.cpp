#include "app/desktop.h"
#include "app/startup.h"
#include "windowtest.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
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
