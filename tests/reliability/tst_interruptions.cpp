// Every write path, failed at each write, sync and rename step in turn: the
// failure is reported, every file is its old or its new content, whole, and
// the diary opens afterwards.

#include "store/safefile.h"
#include "writepaths.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zz;
using namespace writepaths;
using testing::FailPoint;

class TestInterruptions : public QObject
{
    Q_OBJECT

private slots:
    void everyStepOfEveryPath_data()
    {
        QTest::addColumn<int>("path");
        const QList<WritePath> paths = Paths();
        for (int i = 0; i < paths.size(); ++i)
            QTest::newRow(qPrintable(paths[i].name)) << i;
    }
    void everyStepOfEveryPath()
    {
        QFETCH(int, path);
        const WritePath p = Paths()[path];
        QTemporaryDir twin;
        Prepare(p, twin.path());
        const QMap<QString, QByteArray> before = Snapshot(twin.path());
        QVERIFY(p.write(twin.path()).ok);
        const QMap<QString, QByteArray> after = Snapshot(twin.path());

        int steps = 0;
        for (const FailPoint point : {FailPoint::Write, FailPoint::Sync, FailPoint::Rename}) {
            for (int pass = 0;; ++pass) {
                QTemporaryDir dir;
                Prepare(p, dir.path());
                // A failing write first writes a few bytes for real, as a full disk does.
                testing::SetWriteFailure(point, ENOSPC, point == FailPoint::Write ? 7 : 0, pass);
                const StoreStatus status = p.write(dir.path());
                testing::ClearWriteFailure();
                if (status.ok)
                    break; // the operation has no further step of this kind
                ++steps;
                QVERIFY2(!status.userText().isEmpty(), "a failure without a message");
                const QString wrong = CheckOldOrNew(before, after, Snapshot(dir.path()));
                QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
                // An interrupted import is asked again at the next start and then completes.
                if (p.name.startsWith(u"import"))
                    QVERIFY(p.write(dir.path()).ok);
                const DiaryOpenResult opened = OpenDiary(dir.path());
                QVERIFY2(opened.status.ok, qPrintable(opened.status.userText()));
            }
        }
        QVERIFY(steps > 0);
        qInfo("%s: %d steps failed", qPrintable(p.name), steps);
    }
};

QTEST_GUILESS_MAIN(TestInterruptions)
#include "tst_interruptions.moc"
