#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/measurementline.h"
#include "store/smallfiles.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

// The diary as real machines and other programs leave it: links, odd numbers
// written by other tools, files deleted or half written behind the program's
// back.
class HostileFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void linkedFileIsRewrittenThroughTheLink_data();
    void linkedFileIsRewrittenThroughTheLink();
    void hardLinkedFileKeepsEveryName();
    void commentEditKeepsEveryOtherByte();
    void splicesAndTheirInverseRoundTrip();
    void deletedFileIsNotRecreated();
    void fragmentAtTheEndIsNotSealed();
    void onlyACutLineIsTorn_data();
    void onlyACutLineIsTorn();

private:
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

namespace {

const QString Data = u"データ.txt"_s;

// Records as other tools write them: long decimals, halves, big integers, and
// a NEC special character (bytes ED40) that code page 932 reads as U+7E8A.
QByteArray oddRecords()
{
    return line(R"("2004/03/14","朝",65.123456789,28,1350.5,9.5,49,123456789e-6,2.8,"","")") +
           QByteArray("\"2004/03/15\",\"\xED\x40\",69.8,27.9,1349,9,49,95,2.8,\"\",\"\"\r\n") +
           line(R"("2004/03/16","夜",70.4,27.5,1351,9,49,96,2.8,"ケーキ","")");
}

MeasurementRecord record(const QString &date)
{
    return TestRecord(date, u"朝"_s, 65.4f, 22.5f, 1350, 8, 45.2f, 95, 2.8f);
}

} // namespace

void HostileFilesTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = m_temp->path();
}

void HostileFilesTest::linkedFileIsRewrittenThroughTheLink_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("insert") << 0;
    QTest::newRow("comment") << 1;
    QTest::newRow("status rename") << 2;
}

void HostileFilesTest::linkedFileIsRewrittenThroughTheLink()
{
    QFETCH(int, step);
    // The real file lives elsewhere (a synced folder, say); the diary links to it.
    QTemporaryDir elsewhere;
    writeBytes(elsewhere.path(), u"real.txt"_s, oddRecords());
    const QString real = QDir(elsewhere.path()).filePath(u"real.txt"_s);
    QVERIFY(QFile::link(real, QDir(m_dir).filePath(Data)));

    StoreStatus status;
    if (step == 0)
        status = InsertMeasurementByDate(m_dir, record(u"2004/03/15"_s));
    else if (step == 1)
        status = ReplaceMeasurementComment(m_dir, 1, u"2004/03/15"_s, u"散歩"_s);
    else
        status = RenameStatusInMeasurements(m_dir, u"夜"_s, u"就寝前"_s);
    QVERIFY2(status, qPrintable(status.fault));

    QVERIFY(QFileInfo(QDir(m_dir).filePath(Data)).isSymLink());
    const QByteArray through = readBytes(m_dir, Data);
    QCOMPARE(through, readBytes(elsewhere.path(), u"real.txt"_s));
    QVERIFY(through != oddRecords());
    // The temporary file went beside the real file and is gone.
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{u"real.txt"_s});
    QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList{Data});
}

void HostileFilesTest::hardLinkedFileKeepsEveryName()
{
    writeBytes(m_dir, Data, oddRecords());
    const QString other = QDir(m_dir).filePath(u"mirror.txt"_s);
    QCOMPARE(::link(QFile::encodeName(QDir(m_dir).filePath(Data)).constData(),
                    QFile::encodeName(other).constData()),
             0);
    QVERIFY(InsertMeasurementByDate(m_dir, record(u"2004/03/15"_s)));
    QVERIFY(WriteNoticeMemo(m_dir, u"メモ"_s));
    const QByteArray after = readBytes(m_dir, Data);
    QVERIFY(after.size() > oddRecords().size());
    QCOMPARE(readBytes(m_dir, u"mirror.txt"_s), after);
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(other).constData(), &info), 0);
    QCOMPARE(info.st_nlink, nlink_t(2));
}

void HostileFilesTest::commentEditKeepsEveryOtherByte()
{
    writeBytes(m_dir, Data, oddRecords());
    QVERIFY(ReplaceMeasurementComment(m_dir, 0, u"2004/03/14"_s, u"はじめ"_s));
    QByteArray expected = oddRecords();
    expected.replace(QByteArray("2.8,\"\",\"\"\r\n\"2004/03/15\""),
                     QByteArray("2.8,\"" + cp932("はじめ") + "\",\"\"\r\n\"2004/03/15\""));
    QCOMPARE(readBytes(m_dir, Data), expected);

    // A record whose date is not the one shown was changed outside: nothing is written.
    const StoreStatus moved = ReplaceMeasurementComment(m_dir, 1, u"2004/03/16"_s, u"x"_s);
    QVERIFY(!moved);
    QVERIFY(moved.fault.contains(u"外で変更"_s));
    QCOMPARE(readBytes(m_dir, Data), expected);
}

void HostileFilesTest::splicesAndTheirInverseRoundTrip()
{
    writeBytes(m_dir, Data, oddRecords());
    QByteArray bytes;
    QList<QByteArrayView> lines;
    QVERIFY(ReadMeasurementLines(m_dir, bytes, lines));
    QCOMPARE(lines.size(), 3);
    const QByteArray added = line(R"("2004/03/15","昼",66,0,0,0,0,0,0,"","")");
    // Delete the first record, add one after the second, replace the third.
    const QList<LineSplice> splices{
        {0, {lines[0].toByteArray()}, {}}, {2, {}, {added}}, {2, {lines[2].toByteArray()}, {added}}};
    QVERIFY(SpliceMeasurementLines(m_dir, splices));
    QCOMPARE(readBytes(m_dir, Data), lines[1].toByteArray() + added + added);
    QVERIFY(SpliceMeasurementLines(m_dir, InverseSplices(splices)));
    QCOMPARE(readBytes(m_dir, Data), oddRecords());

    // A splice that expects other lines writes nothing; nor does one that would
    // leave no record.
    QVERIFY(!SpliceMeasurementLines(m_dir, {{1, {added}, {}}}));
    QVERIFY(!SpliceMeasurementLines(
        m_dir, {{0, {lines[0].toByteArray(), lines[1].toByteArray(), lines[2].toByteArray()}, {}}}));
    QCOMPARE(readBytes(m_dir, Data), oddRecords());
}

void HostileFilesTest::deletedFileIsNotRecreated()
{
    writeBytes(m_dir, Data, oddRecords());
    QVERIFY(QFile::remove(QDir(m_dir).filePath(Data)));
    const StoreStatus appended = AppendMeasurement(m_dir, record(u"2004/03/20"_s));
    QVERIFY(!appended);
    QVERIFY(appended.fault.contains(u"ファイルがありません"_s));
    QVERIFY(!InsertMeasurementByDate(m_dir, record(u"2004/03/01"_s)));
    QVERIFY(!ReplaceMeasurementComment(m_dir, 0, u"2004/03/14"_s, u"x"_s));
    QVERIFY(!exists(m_dir, Data));
}

void HostileFilesTest::fragmentAtTheEndIsNotSealed()
{
    const QByteArray fragment = cp932(R"("2004/03/17","朝",6)");
    writeBytes(m_dir, Data, oddRecords() + fragment);
    const StoreStatus status = AppendMeasurement(m_dir, record(u"2004/03/20"_s));
    QVERIFY(!status);
    QVERIFY(status.fault.contains(u"外で変更"_s));
    QCOMPARE(readBytes(m_dir, Data), oddRecords() + fragment);

    // The next start still opens the diary, the fragment kept aside.
    writeBytes(m_dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s,
               line(R"("氏名","花子")") + line(R"("身長",160)") + line(R"("目標体重",55)"));
    const DiaryOpenResult opened = OpenDiary(m_dir);
    QVERIFY2(opened.status, qPrintable(opened.status.fault));
    QCOMPARE(readBytes(m_dir, Data), oddRecords());
}

void HostileFilesTest::onlyACutLineIsTorn_data()
{
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<bool>("torn");
    const auto row = [](const char *name, const char *utf8, bool torn) {
        QTest::newRow(name) << cp932(utf8) << torn;
    };
    row("cut in the date", R"("2004/03/1)", true);
    row("cut after a comma", R"("2004/03/17",)", true);
    row("cut in the status", R"("2004/03/17","あさ)", true);
    row("cut in a number", R"("2004/03/17","朝",65.)", true);
    row("cut in the spare text", R"("2004/03/17","朝",65,0,0,0,0,0,0,"","ab)", true);
    row("decimal comma typo", R"("2004/03/17","朝",65,5,0,0,0,0,0,0,"","")", false);
    row("30 February", R"("2004/02/30","朝",65,0,0,0,0,0,0,"","")", false);
    row("letters in a number", R"("2004/03/17","朝",6x)", false);
    row("impossible date cut later", R"("2004/13/01","朝)", false);
}

void HostileFilesTest::onlyACutLineIsTorn()
{
    QFETCH(QByteArray, last);
    QFETCH(bool, torn);
    QCOMPARE(IsCutRecord(last), torn);
    writeBytes(m_dir, Data, oddRecords() + last);
    MeasurementFileCheck check;
    const StoreStatus status = CheckMeasurementFile(m_dir, check);
    QCOMPARE(bool(status), torn);
    if (torn) {
        QCOMPARE(check.tornLineNumber, 4);
    } else {
        QCOMPARE(status.line, 4);
        QVERIFY(!status.fault.contains(u"途中で切れて"_s));
    }
}

QTEST_GUILESS_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
