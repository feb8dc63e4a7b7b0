#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/mount.h>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;
using zz::testing::FailPoint;

namespace {

MeasurementRecord record(const QString &date, const QString &comment = {})
{
    return TestRecord(date, QStringLiteral("朝"), 65.4f, 22.5f, 1350, 8, 45.2f, 95, 2.8f, comment);
}

using Operation = std::function<StoreStatus(const QString &dir)>;

// Every writer of the store, each run on a complete diary.
QList<QPair<QString, Operation>> writers()
{
    return {
        {u"append a measurement"_s,
         [](const QString &d) { return AppendMeasurement(d, record(u"2004/03/20"_s)); }},
        {u"insert a measurement"_s,
         [](const QString &d) { return InsertMeasurementByDate(d, record(u"2004/03/14"_s)); }},
        {u"rewrite the measurements"_s,
         [](const QString &d) { return RewriteMeasurements(d, {record(u"2004/03/14"_s, u"新"_s)}); }},
        {u"rename a status"_s,
         [](const QString &d) { return RenameStatusInMeasurements(d, u"朝"_s, u"起床後"_s); }},
        {u"new start"_s, [](const QString &d) { return CreateMeasurementFile(d, record(u"2010/01/01"_s)); }},
        {u"personal data"_s,
         [](const QString &d) {
             return WritePersonalData(d, {u"花子"_s, 160, 55});
         }},
        {u"status appended"_s, [](const QString &d) { return AppendStatusQuoted(d, u"夜"_s); }},
        {u"status list rewritten"_s, [](const QString &d) { return WriteStatusListQuoted(d, {u"夜"_s}); }},
        {u"notice memo"_s, [](const QString &d) { return WriteNoticeMemo(d, u"新しいメモ"_s); }},
        {u"marker"_s, [](const QString &d) { return WriteMarkerSetting(d, 2); }},
        {u"help tour"_s, [](const QString &d) { return WriteHelpTourSetting(d, 0); }},
        {u"increments"_s, [](const QString &d) { return WriteIncrements(d, u"0.5"_s, u"0.5"_s); }},
        {u"moving average"_s, [](const QString &d) { return WriteMovingAverageWidth(d, u"5"_s); }},
        {u"automatic time"_s, [](const QString &d) { return WriteAutoTime(d, 1); }},
    };
}

void writeDiary(const QString &dir)
{
    writeBytes(dir, u"データ.txt"_s,
               line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")") +
                   line(R"("2004/03/15","朝",69.8,27.9,1349,9,49,95,2.8,"","")"));
    writeBytes(dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s,
               line(R"("氏名","ズマ子")") + line(R"("身長",168.5)") + line(R"("目標体重",65)"));
    writeBytes(dir, u"状況リスト.txt"_s, line(R"("朝")"));
    writeBytes(dir, u"気付きメモ.txt"_s, line("メモ"));
    writeBytes(dir, u"マーカー.TXT"_s, "0\r\n");
    writeBytes(dir, u"設定.txt"_s, line(R"("ヘルプツアー",1)"));
    writeBytes(dir, u"体重計刻み.txt"_s, "0.1\r\n0.1\r\n");
    writeBytes(dir, u"移動平均.TXT"_s, "10\r\n");
    writeBytes(dir, u"自動時間.TXT"_s, " 0\r\n");
}

// A small file system of its own, mounted for a test: the only way a test
// running as root meets a full disk or a read-only place for real.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &options)
    {
        m_path = m_dir.path();
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0,
                            options.toLatin1().constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount(QFile::encodeName(m_path).constData());
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_path; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, QFile::encodeName(m_path).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }
    // Writes a filler file until the disk is full.
    void fill()
    {
        QFile filler(QDir(m_path).filePath(u"filler"_s));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray chunk(512, 'x');
        while (filler.write(chunk) == chunk.size()) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1) {
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
};

} // namespace

class SafeWritesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void injectedFailureLeavesFilesUnchanged_data();
    void injectedFailureLeavesFilesUnchanged();
    void appendCutBackAfterPartialWrite();
    void leftoverTemporaryFileIsReplaced();
    void missingDirectory();
    void fullDiskDuringRewrite();
    void fullDiskDuringAppend();
    void readOnlyPlace();
};

void SafeWritesTest::cleanup()
{
    zz::testing::ClearWriteFailure();
}

void SafeWritesTest::injectedFailureLeavesFilesUnchanged_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<FailPoint>("point");
    const QList<QPair<QString, Operation>> all = writers();
    for (int i = 0; i < all.size(); ++i) {
        const QByteArray name = all.at(i).first.toUtf8();
        QTest::newRow(QByteArray(name + ", disk full while writing").constData()) << i << FailPoint::Write;
        QTest::newRow(QByteArray(name + ", sync fails").constData()) << i << FailPoint::Sync;
        if (!name.contains("append"))
            QTest::newRow(QByteArray(name + ", rename fails").constData()) << i << FailPoint::Rename;
    }
}

void SafeWritesTest::injectedFailureLeavesFilesUnchanged()
{
    QFETCH(int, writer);
    QFETCH(FailPoint, point);
    QTemporaryDir temp;
    writeDiary(temp.path());
    const auto before = snapshot(temp.path());

    zz::testing::SetWriteFailure(point, ENOSPC, 7);
    const StoreStatus status = writers().at(writer).second(temp.path());
    QVERIFY(!status);
    QVERIFY2(status.fault.contains(u"ディスクの空き容量が足りません"_s), qPrintable(status.userText()));
    QVERIFY(!status.fileName.isEmpty());
    QCOMPARE(snapshot(temp.path()), before); // no temporary file left either

    // The same operation succeeds once the disk has room again.
    QVERIFY(writers().at(writer).second(temp.path()));
    QVERIFY(snapshot(temp.path()) != before);
}

void SafeWritesTest::appendCutBackAfterPartialWrite()
{
    QTemporaryDir temp;
    writeDiary(temp.path());
    const QByteArray before = readBytes(temp.path(), u"データ.txt"_s);
    zz::testing::SetWriteFailure(FailPoint::Write, EIO, 30);
    const StoreStatus status = AppendMeasurement(temp.path(), record(u"2004/03/20"_s));
    QVERIFY(!status);
    QVERIFY(status.userText().startsWith(u"データ.txt: 書き込めません (入出力エラーが起きました)"_s));
    QCOMPARE(readBytes(temp.path(), u"データ.txt"_s), before);
}

void SafeWritesTest::leftoverTemporaryFileIsReplaced()
{
    QTemporaryDir temp;
    writeDiary(temp.path());
    writeBytes(temp.path(), u"データコピー.txt"_s, "left over by a crash, longer than the new content\r\n");
    QVERIFY(InsertMeasurementByDate(temp.path(), record(u"2004/03/14"_s)));
    QVERIFY(!exists(temp.path(), u"データコピー.txt"_s));
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(temp.path(), records));
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(1).status, u"朝"_s);
}

void SafeWritesTest::missingDirectory()
{
    QTemporaryDir temp;
    const QString gone = QDir(temp.path()).filePath(u"no/such/folder"_s);
    for (const auto &[name, operation] : writers()) {
        const StoreStatus status = operation(gone);
        QVERIFY2(!status, qPrintable(name));
        // Writers that read first find no file; the others cannot create one.
        QVERIFY2(status.fault.contains(u"ファイルがありません"_s) ||
                     status.fault.contains(u"ファイルまたはフォルダがありません"_s),
                 qPrintable(status.userText()));
    }
    const DiaryOpenResult opened = OpenDiary(gone);
    QVERIFY(!opened.status);
    QVERIFY(!QFileInfo::exists(gone));
}

void SafeWritesTest::fullDiskDuringRewrite()
{
    SmallDisk disk(u"size=64k"_s);
    if (!disk.mounted())
        QSKIP("cannot mount a small file system here");
    writeDiary(disk.path());
    QList<MeasurementRecord> many;
    for (int i = 0; i < 300; ++i)
        many.append(record(u"2004/03/14"_s, u"散歩"_s));
    QVERIFY(RewriteMeasurements(disk.path(), many));
    disk.fill();
    const auto before = snapshot(disk.path());

    // The temporary copy does not fit: the diary stays as it was.
    StoreStatus status = InsertMeasurementByDate(disk.path(), record(u"2004/03/13"_s));
    QVERIFY(!status);
    QVERIFY2(status.fault.contains(u"ディスクの空き容量が足りません"_s), qPrintable(status.userText()));
    QCOMPARE(status.fileName, u"データ.txt"_s);
    status = RenameStatusInMeasurements(disk.path(), u"朝"_s, u"起床後"_s);
    QVERIFY(!status);
    QCOMPARE(snapshot(disk.path()), before);
}

void SafeWritesTest::fullDiskDuringAppend()
{
    SmallDisk disk(u"size=64k"_s);
    if (!disk.mounted())
        QSKIP("cannot mount a small file system here");
    writeDiary(disk.path());
    // Grow the file to just short of a page boundary, so that the appended line
    // needs a new page the full disk cannot give: part of it is written, then
    // the write fails.
    QList<MeasurementRecord> records;
    for (int i = 0; i < 100; ++i)
        records.append(record(u"2004/03/14"_s));
    QByteArray probe;
    for (const MeasurementRecord &r : std::as_const(records)) {
        QByteArray one;
        QVERIFY(FormatMeasurementLine(r, one));
        probe += one;
    }
    const qsizetype target = ((probe.size() / 4096) + 1) * 4096 - 10;
    records.last().comment = QString(target - probe.size(), u'a');
    QVERIFY(RewriteMeasurements(disk.path(), records));
    QCOMPARE(QFileInfo(QDir(disk.path()).filePath(u"データ.txt"_s)).size(), target);
    disk.fill();
    const auto before = snapshot(disk.path());

    const StoreStatus status = AppendMeasurement(disk.path(), record(u"2004/03/20"_s));
    QVERIFY(!status);
    QVERIFY2(status.fault.contains(u"ディスクの空き容量が足りません"_s), qPrintable(status.userText()));
    QCOMPARE(snapshot(disk.path()), before);
}

void SafeWritesTest::readOnlyPlace()
{
    SmallDisk disk(u"size=1m"_s);
    if (!disk.mounted())
        QSKIP("cannot mount a small file system here");
    writeDiary(disk.path());
    QVERIFY(disk.makeReadOnly());
    const auto before = snapshot(disk.path());
    for (const auto &[name, operation] : writers()) {
        const StoreStatus status = operation(disk.path());
        QVERIFY2(!status, qPrintable(name));
        QVERIFY2(status.fault.contains(u"読み取り専用の場所です"_s), qPrintable(status.userText()));
    }
    QCOMPARE(snapshot(disk.path()), before);

    // Opening a complete diary needs no write and works on a read-only place.
    QVERIFY(OpenDiary(disk.path()).status);
}

QTEST_GUILESS_MAIN(SafeWritesTest)
#include "tst_safewrites.moc"
