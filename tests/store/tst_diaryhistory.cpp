#include "store/diaryhistory.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/smallfiles.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

// Corrections, deletions and the undo history: the files go back byte for
// byte, and every record the step did not touch keeps its bytes.
class DiaryHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyStepUndoesToTheSameBytes_data();
    void everyStepUndoesToTheSameBytes();
    void correctionMovesToWhereASaveGoes_data();
    void correctionMovesToWhereASaveGoes();
    void deletionKeepsTheLastRecord();
    void renameTakesTheStatusListBack();
    void historyIsBoundedAndSmall();

private:
    QList<MeasurementRecord> records();
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

namespace {

const QString Data = u"データ.txt"_s;

// Three days, the last line without its line end (an editor saved it), and a
// number written by another tool.
QByteArray diary()
{
    return line(R"("2004/03/14","はじめ",70.123456,28,1350,9,49,95,2.8,"","")") +
           line(R"("2004/03/15","朝",69.8,27.9,1349,9,49,95,2.8,"","")") +
           line(R"("2004/03/15","夜",70.4,27.5,1351,9,49,96,2.8,"ケーキ","")") +
           cp932(R"("2004/03/17","朝",69.5,27.5,1351,9,49,96,2.8,"","")");
}

MeasurementRecord record(const QString &date, float weight = 65.0f)
{
    return TestRecord(date, u"昼"_s, weight, 22.5f, 1350, 8, 45.2f, 95, 2.8f);
}

} // namespace

void DiaryHistoryTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    m_dir = m_temp->path();
    writeBytes(m_dir, Data, diary());
}

QList<MeasurementRecord> DiaryHistoryTest::records()
{
    QList<MeasurementRecord> list;
    if (!ReadMeasurements(m_dir, list))
        qFatal("unreadable");
    return list;
}

void DiaryHistoryTest::everyStepUndoesToTheSameBytes_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("append after a line without its end") << 0;
    QTest::newRow("insert") << 1;
    QTest::newRow("insert at the end") << 2;
    QTest::newRow("comment") << 3;
    QTest::newRow("correct in place") << 4;
    QTest::newRow("correct to an earlier date") << 5;
    QTest::newRow("correct to the last date") << 6;
    QTest::newRow("delete the first") << 7;
    QTest::newRow("delete the last") << 8;
}

void DiaryHistoryTest::everyStepUndoesToTheSameBytes()
{
    QFETCH(int, step);
    QList<LineSplice> done;
    const QList<MeasurementRecord> before = records();
    MeasurementRecord changed = before[1];
    StoreStatus status;
    switch (step) {
    case 0: status = AppendMeasurement(m_dir, record(u"2004/03/18"_s), &done); break;
    case 1: status = InsertMeasurementByDate(m_dir, record(u"2004/03/15"_s), &done); break;
    case 2: status = InsertMeasurementByDate(m_dir, record(u"2004/03/17"_s), &done); break;
    case 3: status = ReplaceMeasurementComment(m_dir, 2, u"2004/03/15"_s, u"散歩"_s, &done); break;
    case 4:
        changed.weight = 65.0f;
        status = CorrectMeasurement(m_dir, 1, before[1], changed, done);
        break;
    case 5:
        changed.date = u"2004/03/14"_s;
        status = CorrectMeasurement(m_dir, 2, before[2], changed, done);
        break;
    case 6:
        changed.date = u"2004/03/20"_s;
        status = CorrectMeasurement(m_dir, 0, before[0], changed, done);
        break;
    case 7: status = DeleteMeasurement(m_dir, 0, before[0], done); break;
    case 8: status = DeleteMeasurement(m_dir, 3, before[3], done); break;
    }
    QVERIFY2(status, qPrintable(status.userText()));
    QVERIFY(!done.isEmpty());
    const QByteArray after = readBytes(m_dir, Data);
    QVERIFY(after != diary());
    QCOMPARE(records().size(), before.size() + (step <= 2) - (step >= 7)); // still a readable diary

    DiaryHistory history;
    history.push({u"step"_s, done, false, {}, {}});
    QVERIFY(history.undo(m_dir));
    QCOMPARE(readBytes(m_dir, Data), diary());
    QVERIFY(history.redo(m_dir));
    QCOMPARE(readBytes(m_dir, Data), after);
    QVERIFY(history.undo(m_dir));
    QCOMPARE(readBytes(m_dir, Data), diary());
    QVERIFY(!history.canUndo() && history.canRedo());
}

void DiaryHistoryTest::correctionMovesToWhereASaveGoes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("order"); // dates and statuses afterwards
    QTest::newRow("first to a later day, after that day's records")
        << 0 << u"2004/03/15"_s << QStringList{u"03/15朝"_s, u"03/15夜"_s, u"03/15はじめ"_s, u"03/17朝"_s};
    QTest::newRow("last to the first day, after its record")
        << 3 << u"2004/03/14"_s << QStringList{u"03/14はじめ"_s, u"03/14朝"_s, u"03/15朝"_s, u"03/15夜"_s};
    QTest::newRow("a day between, in place")
        << 2 << u"2004/03/16"_s << QStringList{u"03/14はじめ"_s, u"03/15朝"_s, u"03/16夜"_s, u"03/17朝"_s};
}

void DiaryHistoryTest::correctionMovesToWhereASaveGoes()
{
    QFETCH(int, index);
    QFETCH(QString, date);
    QFETCH(QStringList, order);
    const QList<MeasurementRecord> before = records();
    MeasurementRecord changed = before[index];
    changed.date = date;
    QList<LineSplice> done;
    QVERIFY(CorrectMeasurement(m_dir, index, before[index], changed, done));
    QStringList found;
    for (const MeasurementRecord &r : records())
        found.append(r.date.mid(5) + r.status);
    QCOMPARE(found, order);
    // The other records keep their bytes (the odd weight of the first among them).
    QCOMPARE(readBytes(m_dir, Data).contains("70.123456"), index != 0);

    // An unchanged record writes nothing; one changed outside is refused.
    const QByteArray now = readBytes(m_dir, Data);
    QVERIFY(CorrectMeasurement(m_dir, 0, records()[0], records()[0], done));
    QVERIFY(done.isEmpty());
    QVERIFY(!CorrectMeasurement(m_dir, 0, record(u"2001/01/01"_s), record(u"2001/01/02"_s), done));
    QCOMPARE(readBytes(m_dir, Data), now);
}

void DiaryHistoryTest::deletionKeepsTheLastRecord()
{
    QList<LineSplice> done;
    for (int i = 0; i < 3; ++i)
        QVERIFY(DeleteMeasurement(m_dir, 0, records()[0], done));
    QCOMPARE(records().size(), 1);
    const StoreStatus status = DeleteMeasurement(m_dir, 0, records()[0], done);
    QVERIFY(!status);
    QVERIFY(status.fault.contains(u"最後の測定"_s));
    QCOMPARE(records().size(), 1);
}

void DiaryHistoryTest::renameTakesTheStatusListBack()
{
    QVERIFY(WriteStatusListPlain(m_dir, {u"朝"_s, u"夜"_s}));
    const QByteArray listBefore = readBytes(m_dir, u"状況リスト.txt"_s);
    QList<LineSplice> done;
    QVERIFY(RenameStatusInMeasurements(m_dir, u"朝"_s, u"起床後"_s, &done));
    QCOMPARE(done.size(), 2);
    QVERIFY(WriteStatusListQuoted(m_dir, {u"起床後"_s, u"夜"_s}));
    const QByteArray listAfter = readBytes(m_dir, u"状況リスト.txt"_s);
    const QByteArray after = readBytes(m_dir, Data);

    DiaryHistory history;
    history.push({u"状況の変更"_s, done, true, listBefore, listAfter});
    QVERIFY(history.undo(m_dir));
    QCOMPARE(readBytes(m_dir, Data), diary());
    QCOMPARE(readBytes(m_dir, u"状況リスト.txt"_s), listBefore);
    QVERIFY(history.redo(m_dir));
    QCOMPARE(readBytes(m_dir, Data), after);
    QCOMPARE(readBytes(m_dir, u"状況リスト.txt"_s), listAfter);

    // A status list changed outside: the undo writes nothing and says so.
    writeBytes(m_dir, u"状況リスト.txt"_s, "x\r\n");
    const StoreStatus status = history.undo(m_dir);
    QVERIFY(!status);
    QCOMPARE(readBytes(m_dir, Data), after);
    QVERIFY(history.canUndo());
}

void DiaryHistoryTest::historyIsBoundedAndSmall()
{
    QList<MeasurementRecord> many;
    for (int i = 0; i < 50000; ++i)
        many.append(
            record(QDate(1990, 1, 1).addDays(i / 3).toString(u"yyyy/MM/dd"_s), 60.0f + (i % 100) * 0.1f));
    QVERIFY(RewriteMeasurements(m_dir, many));
    DiaryHistory history;
    QList<LineSplice> done;
    for (int i = 0; i < 110; ++i) {
        MeasurementRecord changed = many[i];
        changed.weight += 1.0f;
        QVERIFY(CorrectMeasurement(m_dir, i, many[i], changed, done));
        history.push({StepDescription(changed, u"修正"_s), done, false, {}, {}});
    }
    QCOMPARE(history.size(), 100);
    QVERIFY2(history.memoryBytes() < 10 * 1024 * 1024, qPrintable(QString::number(history.memoryBytes())));
    QCOMPARE(history.undoText(), u"1990/02/06 昼 61.9Kg の修正"_s);
    while (history.canUndo())
        QVERIFY(history.undo(m_dir));
    // The ten oldest steps were dropped: their corrections stay.
    QList<MeasurementRecord> now;
    QVERIFY(ReadMeasurements(m_dir, now));
    QCOMPARE(now[9].weight, many[9].weight + 1.0f);
    QCOMPARE(now[10].weight, many[10].weight);
}

QTEST_GUILESS_MAIN(DiaryHistoryTest)
#include "tst_diaryhistory.moc"
