// Every write path run in a child process that is killed at a random moment:
// afterwards every file is its old or its new content, whole (a temporary file
// may be left, but never under a diary file's name), and the diary opens.
// ZZ_KILLS_PER_PATH sets the number of kills per path (100 by default).

#include "writepaths.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace zz;
using namespace writepaths;

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

private slots:
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

            QMap<QString, QByteArray> now = Snapshot(dir.path());
            for (const QString &name : now.keys())
                if (IsTemporary(name) && !after.contains(name))
                    now.remove(name);
            const QString wrong = CheckOldOrNew(before, after, now);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            if (p.name.startsWith(u"import"))
                QCOMPARE(QProcess::execute(Writer, {QString::number(path), dir.path()}) >= 0, true);
            const DiaryOpenResult opened = OpenDiary(dir.path());
            if (!opened.status.ok) {
                QString listing;
                const QMap<QString, QByteArray> files = Snapshot(dir.path());
                for (auto it = files.cbegin(); it != files.cend(); ++it)
                    listing += it.key() + u' ' + QString::number(it.value().size()) + u'\n';
                QFAIL(qPrintable(opened.status.userText() + u'\n' + listing));
            }
        }
        qInfo("%s: %d kills survived (%d runs had finished first)", qPrintable(p.name), kills, completed);
    }
};

QTEST_GUILESS_MAIN(TestKills)
#include "tst_kills.moc"
