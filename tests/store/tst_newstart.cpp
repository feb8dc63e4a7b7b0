// New start: the old diary is kept beside the new one, and a failure at any
// write puts everything back.

#include "store/measurementfile.h"
#include "store/newstart.h"
#include "store/safefile.h"
#include "store/smallfiles.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;
using testing::FailPoint;

Q_DECLARE_METATYPE(zz::testing::FailPoint)

class TestNewStart : public QObject
{
    Q_OBJECT

    const QDateTime m_now{QDate(2026, 12, 7), QTime(8, 15, 0)};

    static void writeOldDiary(const QString &dir)
    {
        MeasurementRecord old = TestRecord(u"2004/03/14"_s, u"朝"_s, 72.3f);
        old.spare = u"旧版"_s;
        QVERIFY(RewriteMeasurements(dir, {old, TestRecord(u"2004/03/15"_s, u"夜"_s, 72.0f)}).ok);
        QVERIFY(WritePersonalData(dir, {u"ズマ子"_s, 168.5f, 65.0f}).ok);
    }

private slots:
    void keepsTheOldDiary()
    {
        QTemporaryDir dir;
        writeOldDiary(dir.path());
        const QByteArray oldData = storetest::readBytes(dir.path(), u"データ.txt"_s);
        const QByteArray oldPersonal = storetest::readBytes(dir.path(), u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s);
        const MeasurementRecord start = TestRecord(u"2026/12/07"_s, u"はじめの一歩"_s, 65.4f);
        QVERIFY(StartNewDiary(dir.path(), {u"花子"_s, 160.0f, 55.0f}, start, m_now).ok);

        QCOMPARE(storetest::readBytes(dir.path(), u"データ_新規スタート前_20261207-081500.txt"_s), oldData);
        QCOMPARE(storetest::readBytes(dir.path(), u"ﾌﾟﾗｲﾍﾞｰﾄ_新規スタート前_20261207-081500.txt"_s),
                 oldPersonal);
        QList<MeasurementRecord> records;
        QVERIFY(ReadMeasurements(dir.path(), records).ok);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].status, u"はじめの一歩"_s);
        PersonalData personal;
        QVERIFY(ReadPersonalData(dir.path(), personal).ok);
        QCOMPARE(personal, (PersonalData{u"花子"_s, 160.0f, 55.0f}));
    }

    // Four files are written in turn: two copies, the personal data, the
    // measurement file. A failure at any step of any of them changes nothing.
    void everyFailurePutsTheDiaryBack_data()
    {
        QTest::addColumn<FailPoint>("point");
        QTest::addColumn<int>("passFirst");
        for (int file = 0; file < 4; ++file)
            for (const FailPoint point : {FailPoint::Write, FailPoint::Sync, FailPoint::Rename})
                QTest::addRow("file %d, step %d", file, int(point)) << point << file;
    }
    void everyFailurePutsTheDiaryBack()
    {
        QFETCH(FailPoint, point);
        QFETCH(int, passFirst);
        QTemporaryDir dir;
        writeOldDiary(dir.path());
        const QByteArray oldData = storetest::readBytes(dir.path(), u"データ.txt"_s);
        const QByteArray oldPersonal = storetest::readBytes(dir.path(), u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s);
        testing::SetWriteFailure(point, ENOSPC, 0, passFirst);
        const StoreStatus status = StartNewDiary(dir.path(), {u"花子"_s, 160.0f, 55.0f},
                                                 TestRecord(u"2026/12/07"_s, u"はじめ"_s, 65.0f), m_now);
        testing::ClearWriteFailure();
        QVERIFY(!status.ok);
        QVERIFY(!status.userText().isEmpty());
        QCOMPARE(storetest::readBytes(dir.path(), u"データ.txt"_s), oldData);
        QCOMPARE(storetest::readBytes(dir.path(), u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s), oldPersonal);
    }
};

QTEST_GUILESS_MAIN(TestNewStart)
#include "tst_newstart.moc"
