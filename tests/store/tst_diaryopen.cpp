#include "store/diaryopen.h"
#include "store/measurementfile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "storetestutil.h"

#include <QDate>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

namespace {

const QString Data = QStringLiteral("データ.txt");
const QString Personal = QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
const QString Torn = QStringLiteral("データ_破損行.txt");

QByteArray personalBytes()
{
    return line(R"("氏名","花子")") + line(R"("身長",160)") + line(R"("目標体重",55)");
}

QByteArray threeRecords()
{
    return line(R"("2010/01/01","はじめの一歩",60,28,1300,7,40,95,2.5,"","")") +
           line(R"("2010/01/02","朝",59.8,27.9,1300,7,40,95,2.5,"","")") +
           line(R"("2010/01/02","夜",60.4,27.5,1301,7,40,96,2.5,"","")");
}

} // namespace

class DiaryOpenTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void emptyDirectoryGetsTheSample();
    void sampleHoldsARealisticDiary();
    void sampleIsInstalledOnlyOnce();
    void installSampleAloneThenOpen();
    void missingSmallFilesAreCreated();
    void refusedDiaries_data();
    void utf8IsToldOverTheWholeFile_data();
    void utf8IsToldOverTheWholeFile();
    void refusedDiaries();
    void tornLastLineIsMovedAside();
    void wholeLastLineWithoutLineEndIsKept();
    void tornOnlyLineIsRefused();

private:
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

void DiaryOpenTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = m_temp->path();
}

void DiaryOpenTest::emptyDirectoryGetsTheSample()
{
    const DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY2(result.status, qPrintable(result.status.userText()));
    QVERIFY(result.sampleInstalled);
    QVERIFY(result.notice.isEmpty());

    // The installed files are the shipped ones, byte for byte, and nothing else.
    const QString shipped = QDir::cleanPath(QStringLiteral(ZZ_TEST_DATA_DIR "/../../../data/sample"));
    const QList<QPair<QString, QString>> files{
        {Data, u"measurements.txt"_s},
        {Personal, u"personal.txt"_s},
        {u"状況リスト.txt"_s, u"statuslist.txt"_s},
        {u"気付きメモ.TXT"_s, u"memo.txt"_s},
        {u"設定.txt"_s, u"helptour.txt"_s},
        {u"体重計刻み.txt"_s, u"increments.txt"_s},
        {u"移動平均.TXT"_s, u"movingaverage.txt"_s},
        {u"自動時間.TXT"_s, u"autotime.txt"_s},
        {u"マーカー.TXT"_s, u"marker.txt"_s},
    };
    QCOMPARE(snapshot(m_dir).size(), files.size());
    for (const auto &[name, source] : files) {
        const QByteArray bytes = readBytes(m_dir, name);
        QCOMPARE(bytes, readBytes(shipped, source));
        QVERIFY2(bytes.count("\n") == bytes.count("\r\n"), qPrintable(name));
        QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
    }
}

void DiaryOpenTest::sampleHoldsARealisticDiary()
{
    QVERIFY(OpenDiary(m_dir).status);

    PersonalData personal;
    QVERIFY(ReadPersonalData(m_dir, personal));
    QCOMPARE(personal.userName, SampleUserName());
    QVERIFY(!SampleUserName().isEmpty());
    QCOMPARE(personal.heightCm, 168.5f);
    QCOMPARE(personal.targetWeight, 65.0f);

    QStringList statuses;
    QVERIFY(ReadStatusList(m_dir, statuses));
    QVERIFY(statuses.size() >= 5 && statuses.size() <= 8);

    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.first().date, u"2004/03/14"_s);
    const QDate first = QDate::fromString(records.first().date, u"yyyy/MM/dd"_s);
    const QDate last = QDate::fromString(records.last().date, u"yyyy/MM/dd"_s);
    QVERIFY(first.daysTo(last) >= 42);

    QMap<QString, int> perDay;
    int comments = 0;
    for (const MeasurementRecord &r : std::as_const(records)) {
        ++perDay[r.date];
        if (!r.comment.isEmpty())
            ++comments;
        if (&r != &records.first())
            QVERIFY2(statuses.contains(r.status), qPrintable(r.status));
        QVERIFY(r.spare.isEmpty());
        QVERIFY(r.weight > 60 && r.weight < 80);
    }
    QVERIFY(perDay.value(u"2004/03/28"_s) >= 3);
    QVERIFY(comments >= 3);
    QVERIFY(perDay.size() < first.daysTo(last) + 1); // some days without a weighing
    for (int count : perDay)
        QVERIFY(count >= 1 && count <= 4);
    // Down over the weeks, with ups on the way.
    float firstWeek = 0, lastWeek = 0;
    int firstCount = 0, lastCount = 0, ups = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QDate date = QDate::fromString(records.at(i).date, u"yyyy/MM/dd"_s);
        if (first.daysTo(date) < 7) {
            firstWeek += records.at(i).weight;
            ++firstCount;
        }
        if (date.daysTo(last) < 7) {
            lastWeek += records.at(i).weight;
            ++lastCount;
        }
        if (i > 0 && records.at(i).weight > records.at(i - 1).weight)
            ++ups;
    }
    QVERIFY(firstWeek / firstCount - lastWeek / lastCount > 2);
    QVERIFY(ups > 10);

    int help = 0, autoTime = 1, marker = 1;
    QString weight, fat, width, memo;
    QVERIFY(ReadHelpTourSetting(m_dir, help));
    QVERIFY(ReadIncrements(m_dir, weight, fat));
    QVERIFY(ReadMovingAverageWidth(m_dir, width));
    QVERIFY(ReadAutoTime(m_dir, autoTime));
    QVERIFY(ReadMarkerSetting(m_dir, marker));
    QVERIFY(ReadNoticeMemo(m_dir, memo));
    QCOMPARE(help, 1);
    QCOMPARE(weight, u"0.1"_s);
    QCOMPARE(fat, u"0.1"_s);
    QCOMPARE(width, u"10"_s);
    QCOMPARE(autoTime, 0);
    QCOMPARE(marker, 0);
    QVERIFY(!memo.isEmpty());
    QCOMPARE(readBytes(m_dir, u"自動時間.TXT"_s), QByteArray(" 0\r\n"));
}

void DiaryOpenTest::sampleIsInstalledOnlyOnce()
{
    QVERIFY(OpenDiary(m_dir).sampleInstalled);
    QVERIFY(WriteMarkerSetting(m_dir, 2));
    const auto before = snapshot(m_dir);
    const DiaryOpenResult again = OpenDiary(m_dir);
    QVERIFY(again.status);
    QVERIFY(!again.sampleInstalled);
    QCOMPARE(snapshot(m_dir), before);

    // A directory with only a settings file of its own still gets the sample,
    // but keeps that file.
    QTemporaryDir other;
    writeBytes(other.path(), u"移動平均.txt"_s, "5\r\n");
    QVERIFY(OpenDiary(other.path()).sampleInstalled);
    QCOMPARE(readBytes(other.path(), u"移動平均.txt"_s), QByteArray("5\r\n"));
    QVERIFY(!exists(other.path(), u"移動平均.TXT"_s));
}

void DiaryOpenTest::installSampleAloneThenOpen()
{
    const DiaryOpenResult installed = InstallSampleIfNoDiary(m_dir);
    QVERIFY(installed.status);
    QVERIFY(installed.sampleInstalled);
    const auto before = snapshot(m_dir);
    const DiaryOpenResult opened = OpenDiary(m_dir);
    QVERIFY(opened.status);
    QVERIFY(!opened.sampleInstalled);
    QCOMPARE(snapshot(m_dir), before);

    QTemporaryDir other;
    writeBytes(other.path(), u"データ.TXT"_s, threeRecords()); // found whatever its case
    QVERIFY(!InstallSampleIfNoDiary(other.path()).sampleInstalled);
    QCOMPARE(snapshot(other.path()).size(), 1);
}

void DiaryOpenTest::missingSmallFilesAreCreated()
{
    writeBytes(m_dir, Data, threeRecords());
    writeBytes(m_dir, Personal, personalBytes());
    writeBytes(m_dir, u"設定.TXT"_s, line(R"("ヘルプツアー",0)"));
    const DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY2(result.status, qPrintable(result.status.userText()));
    QVERIFY(!result.sampleInstalled);

    QMap<QString, QByteArray> expected{
        {Data, threeRecords()},
        {Personal, personalBytes()},
        {u"設定.TXT"_s, line(R"("ヘルプツアー",0)")},
        {u"状況リスト.txt"_s, QByteArray()},
        {u"気付きメモ.TXT"_s, QByteArray("\r\n")},
        {u"マーカー.TXT"_s, QByteArray("0\r\n")},
        {u"体重計刻み.txt"_s, QByteArray("0.1\r\n0.1\r\n")},
        {u"移動平均.TXT"_s, QByteArray("10\r\n")},
        {u"自動時間.TXT"_s, QByteArray(" 0\r\n")},
    };
    QCOMPARE(snapshot(m_dir), expected);
    QString memo = u"x"_s;
    QVERIFY(ReadNoticeMemo(m_dir, memo));
    QVERIFY(memo.isEmpty());
}

void DiaryOpenTest::refusedDiaries_data()
{
    QTest::addColumn<QByteArray>("data");     // "<none>": no file
    QTest::addColumn<QByteArray>("personal"); // "<none>": no file
    QTest::addColumn<QString>("expectedText");

    const QByteArray none("<none>");
    QTest::newRow("personal data without measurements")
        << none << personalBytes() << u"データ.txt: ファイルがありません (ﾌﾟﾗｲﾍﾞｰﾄ.txt はあります)"_s;
    QTest::newRow("measurements without personal data")
        << threeRecords() << none << u"ﾌﾟﾗｲﾍﾞｰﾄ.txt: ファイルがありません (データ.txt はあります)"_s;
    QTest::newRow("empty measurement file")
        << QByteArray() << personalBytes() << u"データ.txt: 記録が 1 件もありません (空のファイルです)"_s;
    QTest::newRow("too few fields in the middle")
        << line(R"("2010/01/01","朝",60,28,1300,7,40,95,2.5,"","")") + line(R"("2010/01/02","朝",60,28)") +
               line(R"("2010/01/03","朝",60,28,1300,7,40,95,2.5,"","")")
        << personalBytes() << u"データ.txt の 2 行目: 項目の数が 11 ではなく 4 です"_s;
    QTest::newRow("incomplete last line that has its line end")
        << threeRecords() + line(R"("2010/01/03","朝",60,2)") << personalBytes()
        << u"データ.txt の 4 行目: 項目の数が 11 ではなく 4 です"_s;
    QTest::newRow("not a real date")
        << threeRecords() + line(R"("2010/13/01","朝",60,28,1300,7,40,95,2.5,"","")") << personalBytes()
        << u"データ.txt の 4 行目: 日付「2010/13/01」が yyyy/mm/dd 形式の正しい日付ではありません"_s;
    QTest::newRow("not a number") << line(R"("2010/01/01","朝",６０,28,1300,7,40,95,2.5,"","")")
                                  << personalBytes()
                                  << u"データ.txt の 1 行目: 体重の欄「６０」が数値ではありません"_s;
    QTest::newRow("bytes that are not code page 932")
        << QByteArray("\"2010/01/01\",\"\xFF\",60,28,1300,7,40,95,2.5,\"\",\"\"\r\n") << personalBytes()
        << u"データ.txt の 1 行目: 状況の欄にコードページ 932 (Shift_JIS) として読めないバイトがあります"_s;
    QTest::newRow("malformed personal data")
        << threeRecords() << line(R"("氏名","花子")") + line(R"("身長",高い)") + line(R"("目標体重",55)")
        << u"ﾌﾟﾗｲﾍﾞｰﾄ.txt の 2 行目: 身長「高い」が数値ではありません"_s;
}

void DiaryOpenTest::refusedDiaries()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, personal);
    QFETCH(QString, expectedText);
    if (data != "<none>")
        writeBytes(m_dir, Data, data);
    if (personal != "<none>")
        writeBytes(m_dir, Personal, personal);
    const auto before = snapshot(m_dir);
    const DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY(!result.status);
    QCOMPARE(result.status.userText(), expectedText);
    QVERIFY(!result.sampleInstalled);
    QCOMPARE(snapshot(m_dir), before); // not one file written
}

void DiaryOpenTest::tornLastLineIsMovedAside()
{
    writeBytes(m_dir, Personal, personalBytes());
    const QByteArray torn = cp932(R"("2010/01/03","朝",59.)");
    writeBytes(m_dir, Data, threeRecords() + torn);
    DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY2(result.status, qPrintable(result.status.userText()));
    QCOMPARE(
        result.notice,
        u"データ.txt の最後の行 (4 行目) が途中で切れていたため、その行を データ_破損行.txt に移しました。"_s);
    QCOMPARE(readBytes(m_dir, Data), threeRecords());
    QCOMPARE(readBytes(m_dir, Torn), torn + "\r\n");
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 3);

    // A later torn line joins the first in the side file; even one cut in the
    // middle of a double-byte character is kept as it was found.
    const QByteArray cut = cp932(R"("2010/01/04","夕)").chopped(1);
    QVERIFY(AppendMeasurement(m_dir, records.last()));
    QFile file(QDir(m_dir).filePath(Data));
    QVERIFY(file.open(QIODevice::Append));
    file.write(cut);
    file.close();
    result = OpenDiary(m_dir);
    QVERIFY(result.status);
    QVERIFY(result.notice.contains(u"5 行目"_s));
    QCOMPARE(readBytes(m_dir, Torn), torn + "\r\n" + cut + "\r\n");
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 4);
}

void DiaryOpenTest::wholeLastLineWithoutLineEndIsKept()
{
    writeBytes(m_dir, Personal, personalBytes());
    QByteArray content = threeRecords();
    content.chop(2);
    writeBytes(m_dir, Data, content);
    const DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY(result.status);
    QVERIFY(result.notice.isEmpty());
    QVERIFY(!exists(m_dir, Torn));
    QCOMPARE(readBytes(m_dir, Data), content);
}

void DiaryOpenTest::tornOnlyLineIsRefused()
{
    writeBytes(m_dir, Personal, personalBytes());
    writeBytes(m_dir, Data, cp932(R"("2010/01/01","はじめの)"));
    const auto before = snapshot(m_dir);
    const DiaryOpenResult result = OpenDiary(m_dir);
    QVERIFY(!result.status);
    QCOMPARE(result.status.line, 1);
    QCOMPARE(snapshot(m_dir), before);
}

QTEST_GUILESS_MAIN(DiaryOpenTest)
// A long file is judged whole, also where a character spans two of the
// pieces it is read in.
void DiaryOpenTest::utf8IsToldOverTheWholeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    const QByteArray japanese = u"朝食後、体重を量った\r\n"_s.toUtf8().repeated(5000);
    QTest::newRow("long UTF-8") << japanese << true;
    QTest::newRow("long UTF-8 with a BOM") << "\xEF\xBB\xBF" + japanese << true;
    QTest::newRow("one stray byte at the end") << japanese + "\x82" << false;
    QTest::newRow("code page 932") << QByteArray("\x92\xA9\x90H\x8C\xE3").repeated(30000) << false;
    QTest::newRow("ASCII only") << QByteArray("\"2004/03/14\",70\r\n").repeated(10000) << false;
}

void DiaryOpenTest::utf8IsToldOverTheWholeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QCOMPARE(LooksLikeUtf8(bytes), utf8);
}

#include "tst_diaryopen.moc"
