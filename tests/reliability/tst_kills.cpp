// Every write path run in a child process that is killed at a random moment:
// afterwards every file is its old or its new content, whole (a temporary file
// may be left, but never under a diary file's name), and the diary opens.
// ZZ_KILLS_PER_PATH sets the number of kills per path (100 by default).

#include "writepaths.h"

#include <QDir>
#include <QFile>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace zz;
using namespace writepaths;
using namespace Qt::StringLiterals;

namespace {

const QString Writer = QStringLiteral(ZZ_WRITEPATH);

// Names the writes use for their temporary files.
bool IsTemporary(const QString &name)
{
    static const QRegularExpression temporary(
        QStringLiteral("(コピー\\.txt|ＣＨＧ\\.txt|^データ1\\.txt|\\.tmp|\\.restore)$"),
        QRegularExpression::CaseInsensitiveOption);
    return temporary.match(name).hasMatch();
}

} // namespace

class TestKills : public QObject
{
    Q_OBJECT

private:
    // What the next start finds after a kill: it finishes or undoes an
    // interrupted New start or sample install, then every file is its old or
    // its new content, the measurements and the personal data belong to one
    // diary, and the diary opens.
    static void checkAfterKill(const WritePath &p, int path, const QMap<QString, QByteArray> &before,
                               const QMap<QString, QByteArray> &after, const QString &folder)
    {
        // What the next start does before it opens the diary: an
        // interrupted New start or sample install is finished or undone.
        QString notice;
        QVERIFY(FinishInterruptedNewStart(folder, notice));
        QVERIFY(InstallSampleIfNoDiary(folder).status);
        QMap<QString, QByteArray> now = Snapshot(folder);
        for (const QString &name : now.keys())
            if (IsTemporary(name) && !after.contains(name))
                now.remove(name);
        const QString wrong = CheckOldOrNew(before, after, now);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        // The measurements and the personal data belong to one diary.
        const QString data = u"データ.txt"_s, personal = u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s;
        if (now.value(data) != before.value(data) || now.value(personal) != before.value(personal))
            QVERIFY2((now.value(data) == after.value(data) && now.value(personal) == after.value(personal)),
                     "half of a diary: the measurements and the personal data do not match");
        if (p.name.startsWith(u"import"))
            QCOMPARE(QProcess::execute(Writer, {QString::number(path), folder}) >= 0, true);
        // A backup is there whole or not at all.
        for (const BackupInfo &backup : ListBackups(folder)) {
            QFile copy(QDir(folder).filePath(BackupFolderName + u'/' + backup.name + u"/データ.txt"_s));
            QVERIFY(copy.open(QIODevice::ReadOnly));
            const QByteArray bytes = copy.readAll();
            QVERIFY2(bytes == before.value(data) || bytes == after.value(data), qPrintable(backup.name));
        }
        const DiaryOpenResult opened = OpenDiary(folder);
        if (!opened.status.ok) {
            QString listing;
            const QMap<QString, QByteArray> files = Snapshot(folder);
            for (auto it = files.cbegin(); it != files.cend(); ++it)
                listing += it.key() + u' ' + QString::number(it.value().size()) + u'\n';
            QFAIL(qPrintable(opened.status.userText() + u'\n' + listing));
        }
    }

private slots:
    // The write killed before each of its steps in turn, until it completes.
    void killAtEveryStep_data() { randomKills_data(); }
    void killAtEveryStep()
    {
        QFETCH(int, path);
        const WritePath p = Paths()[path];
        QTemporaryDir twin;
        Prepare(p, twin.path());
        const QMap<QString, QByteArray> before = Snapshot(twin.path());
        QCOMPARE(QProcess::execute(Writer, {QString::number(path), twin.path()}), 0);
        const QMap<QString, QByteArray> after = Snapshot(twin.path());
        int step = 1;
        for (;; ++step) {
            QTemporaryDir dir;
            Prepare(p, dir.path());
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"ZZ_KILL_AT_STEP"_s, QString::number(step));
            child.setProcessEnvironment(env);
            child.start(Writer, {QString::number(path), dir.path()});
            QVERIFY(child.waitForFinished());
            if (child.exitCode() != 137) {
                QCOMPARE(child.exitCode(), 0); // every step passed: the write completed
                break;
            }
            checkAfterKill(p, path, before, after, dir.path());
            if (QTest::currentTestFailed())
                return;
            QVERIFY(step < 100);
        }
        qInfo("%s: killed before each of %d steps", qPrintable(p.name), step - 1);
    }

    void randomKills_data()
    {
        QTest::addColumn<int>("path");
        const QList<WritePath> paths = Paths();
        for (int i = 0; i < paths.size(); ++i)
            QTest::newRow(qPrintable(paths[i].name)) << i;
    }
    void randomKills()
    {
        QFETCH(int, path);
        const WritePath p = Paths()[path];
        const int kills = qEnvironmentVariableIsSet("ZZ_KILLS_PER_PATH")
                              ? qEnvironmentVariableIntValue("ZZ_KILLS_PER_PATH")
                              : 100;
        // The old and new contents, and how long one whole run takes.
        QTemporaryDir twin;
        Prepare(p, twin.path());
        const QMap<QString, QByteArray> before = Snapshot(twin.path());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(QProcess::execute(Writer, {QString::number(path), twin.path()}), 0);
        const qint64 runMicros = clock.nsecsElapsed() / 1000;
        const QMap<QString, QByteArray> after = Snapshot(twin.path());

        int completed = 0;
        for (int k = 0; k < kills; ++k) {
            QTemporaryDir dir;
            Prepare(p, dir.path());
            QProcess child;
            child.start(Writer, {QString::number(path), dir.path()});
            QVERIFY(child.waitForStarted());
            QThread::usleep(QRandomGenerator::global()->bounded(quint32(runMicros * 6 / 5 + 1)));
            child.kill(); // SIGKILL
            child.waitForFinished();
            completed += child.exitStatus() == QProcess::NormalExit;

            checkAfterKill(p, path, before, after, dir.path());
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%s: %d kills survived (%d runs had finished first)", qPrintable(p.name), kills, completed);
    }
};

QTEST_GUILESS_MAIN(TestKills)
#include "tst_kills.moc"
