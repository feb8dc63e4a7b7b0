#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

namespace {

MeasurementRecord record(const QString &date, const QString &status, float weight,
                         const QString &comment = {})
{
    return TestRecord(date, status, weight, 22.5f, 1350, 8, 45.2f, 95, 2.8f, comment);
}

const QString Data = QStringLiteral("データ.txt");

// Three records over two days, as the program writes them.
QByteArray threeRecords()
{
    return line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")") +
           line(R"("2004/03/15","朝",69.8,27.9,1349,9,49,95,2.8,"","")") +
           line(R"("2004/03/15","夜",70.4,27.5,1351,9,49,96,2.8,"ケーキ","")");
}

} // namespace

class MeasurementFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void formatLine_data();
    void formatLine();
    void refusesUnstorableText_data();
    void refusesUnstorableText();
    void emptyDateIsRefused();
    void parseLine_data();
    void parseLine();

    void numbersReadAsTheNearestFloat();
    void readsEveryRecordInOrder();
    void readStartRecordTakesTheFirstLine();
    void aReadFollowsEveryWrite();
    void malformedFile_data();
    void malformedFile();
    void missingFileIsAnError();

    void appendSameDayGoesAfterTheLast();
    void appendAfterLineWithoutLineEnd();
    void refusedAppendLeavesFileUnchanged();
    void insertByDate_data();
    void insertByDate();
    void insertRefusesMalformedFile();
    void rewriteHoldsExactlyTheRecords();
    void renameChangesOnlyMatchingStatuses();
    void renameRefusesUnstorableText();
    void createReplacesTheFile();
    void namesAreFoundCaseInsensitively();

private:
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

void MeasurementFileTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = m_temp->path();
}

void MeasurementFileTest::formatLine_data()
{
    QTest::addColumn<MeasurementRecord>("record");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("start record") << record(u"2004/03/28"_s, u"はじめの一歩"_s, 65.4f)
                                  << line(
                                         R"("2004/03/28","はじめの一歩",65.4,22.5,1350,8,45.2,95,2.8,"","")");
    QTest::newRow("whole weight without point")
        << record(u"2004/03/28"_s, u"朝"_s, 65.0f)
        << line(R"("2004/03/28","朝",65,22.5,1350,8,45.2,95,2.8,"","")");
    QTest::newRow("comma inside quotes")
        << record(u"2004/03/28"_s, u"朝, 食後"_s, 65.4f, u"散歩,ジム"_s)
        << line(R"("2004/03/28","朝, 食後",65.4,22.5,1350,8,45.2,95,2.8,"散歩,ジム","")");
    QTest::newRow("time as comment")
        << record(u"2004/03/28"_s, u"8:05:09"_s, 64.9f, u"8:05:09"_s)
        << line(R"("2004/03/28","8:05:09",64.9,22.5,1350,8,45.2,95,2.8,"8:05:09","")");

    MeasurementRecord odd = record(u"2004/12/31"_s, u"ｱｻ"_s, 0.1f + 0.2f);
    odd.bodyFat = -0.0f;
    odd.basalMetabolism = -32768;
    odd.visceralFat = 0;
    odd.muscleMass = 1234.567f;
    odd.muscleScore = 32767;
    odd.boneMass = 3;
    QTest::newRow("edges of the number forms")
        << odd << line(R"("2004/12/31","ｱｻ",0.3,0,-32768,0,1234.567,32767,3,"","")");

    QTest::newRow("look-alike in the comment is stored as its twin")
        << record(u"2004/03/28"_s, u"朝"_s, 65.4f, u"7時\u301C8時"_s)
        << line(R"("2004/03/28","朝",65.4,22.5,1350,8,45.2,95,2.8,"7時～8時","")");
}

void MeasurementFileTest::formatLine()
{
    QFETCH(MeasurementRecord, record);
    QFETCH(QByteArray, expected);
    QByteArray bytes;
    QString fault;
    QVERIFY2(FormatMeasurementLine(record, bytes, &fault), qPrintable(fault));
    QCOMPARE(bytes, expected);
}

void MeasurementFileTest::refusesUnstorableText_data()
{
    QTest::addColumn<MeasurementRecord>("record");
    QTest::addColumn<QString>("faultPart");
    QTest::newRow("quote in status") << record(u"2004/03/28"_s, u"朝\"食"_s, 65)
                                     << u"状況に保存できない文字「\"」"_s;
    QTest::newRow("line break in comment") << record(u"2004/03/28"_s, u"朝"_s, 65, u"一行目\n二行目"_s)
                                           << u"一言日記に保存できない文字「改行」"_s;
    QTest::newRow("CR in comment") << record(u"2004/03/28"_s, u"朝"_s, 65, u"a\rb"_s) << u"「改行」"_s;
    QTest::newRow("tsuchi-yoshi in status")
        << record(u"2004/03/28"_s, u"𠮷野家"_s, 65) << u"状況に保存できない文字「𠮷」"_s;
    QTest::newRow("emoji in comment")
        << record(u"2004/03/28"_s, u"朝"_s, 65, u"やった😀"_s) << u"一言日記に保存できない文字「😀」"_s;
    QTest::newRow("date not zero-padded") << record(u"2004/3/28"_s, u"朝"_s, 65) << u"日付"_s;
    QTest::newRow("date that does not exist") << record(u"2004/02/30"_s, u"朝"_s, 65) << u"日付"_s;
    QTest::newRow("weight not finite")
        << record(u"2004/03/28"_s, u"朝"_s, std::numeric_limits<float>::infinity()) << u"体重"_s;
}

void MeasurementFileTest::refusesUnstorableText()
{
    QFETCH(MeasurementRecord, record);
    QFETCH(QString, faultPart);
    QByteArray bytes("untouched");
    QString fault;
    QVERIFY(!FormatMeasurementLine(record, bytes, &fault));
    QVERIFY2(fault.contains(faultPart), qPrintable(fault));
    QCOMPARE(bytes, QByteArray("untouched"));
}

void MeasurementFileTest::parseLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<MeasurementRecord>("expected");

    QTest::newRow("as written") << cp932(R"("2004/03/28","はじめの一歩",65.4,22.5,1350,8,45.2,95,2.8,"","")")
                                << record(u"2004/03/28"_s, u"はじめの一歩"_s, 65.4f);
    QTest::newRow("blanks before fields and around numbers")
        << cp932(R"( "2004/03/28", "はじめの一歩", 65.4 ,22.5,1350,8,45.2,95,2.8, "" ,"")")
        << record(u"2004/03/28"_s, u"はじめの一歩"_s, 65.4f);
    QTest::newRow("comma in quoted texts")
        << cp932(R"("2004/03/28","朝, 食後",65.4,22.5,1350,8,45.2,95,2.8,"散歩,ジム","")")
        << record(u"2004/03/28"_s, u"朝, 食後"_s, 65.4f, u"散歩,ジム"_s);
    MeasurementRecord rounded = record(u"2004/03/28"_s, u"朝"_s, 65.4f);
    rounded.basalMetabolism = 1350;
    rounded.visceralFat = 8;
    rounded.muscleScore = 96;
    QTest::newRow("integer fields rounded halves to even")
        << cp932(R"("2004/03/28","朝",65.4,22.5,1350.5,7.5,45.2,95.5,2.8,"","")") << rounded;
    QTest::newRow("unquoted date and texts") << cp932(R"(2004/03/28,朝,65.4,22.5,1350,8,45.2,95,2.8,,)")
                                             << record(u"2004/03/28"_s, u"朝"_s, 65.4f);
    MeasurementRecord spare = record(u"2004/03/28"_s, u"朝"_s, 65.4f);
    spare.spare = u"古い版"_s;
    QTest::newRow("spare text is kept")
        << cp932(R"("2004/03/28","朝",65.4,22.5,1350,8,45.2,95,2.8,"","古い版")") << spare;
    // A line that ended in CR CR LF: the stray CR is a blank (found by fuzzing).
    QTest::newRow("stray CR before the line end")
        << QByteArray(cp932(R"("2004/03/28","朝",65.4,22.5,1350,8,45.2,95,2.8,"",)") + "\r")
        << record(u"2004/03/28"_s, u"朝"_s, 65.4f);
}

void MeasurementFileTest::emptyDateIsRefused()
{
    // Found by fuzzing: a first line without a date was taken as dated "".
    MeasurementRecord parsed;
    QString fault;
    QVERIFY(!ParseMeasurementLine(cp932(R"(,"朝",65,22.5,1350,8,45.2,95,2.8,"","")"), parsed, &fault));
    QCOMPARE(fault, u"日付「」が yyyy/mm/dd 形式の正しい日付ではありません"_s);
}

void MeasurementFileTest::parseLine()
{
    QFETCH(QByteArray, line);
    QFETCH(MeasurementRecord, expected);
    MeasurementRecord parsed;
    QString fault;
    QVERIFY2(ParseMeasurementLine(line, parsed, &fault), qPrintable(fault));
    QCOMPARE(parsed, expected);
}

void MeasurementFileTest::numbersReadAsTheNearestFloat()
{
    // Every weight-like text of up to four digits and many longer ones must
    // give the float nearest to the decimal value, whichever way it is read.
    QStringList texts;
    for (int i = 0; i <= 9999; ++i) {
        texts << QString::number(i) << QString::number(i / 10) + u'.' + QString::number(i % 10)
              << QString::number(i / 100) + u'.' + QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0'))
              << u"-0."_s + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    }
    for (quint32 i = 0, x = 12345; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        const QString digits = QString::number(x % 10000000);
        const int point = int(x >> 28) % (digits.size() + 1);
        texts << digits.left(point) + u'.' + digits.mid(point);
    }
    texts << u"1e2"_s << u"+65.4"_s << u"65.40000001"_s << u"0.000001"_s << u"16777217"_s;
    for (const QString &text : std::as_const(texts)) {
        const QByteArray line =
            cp932(QStringLiteral(R"("2004/03/28","朝",%1,%1,1350,8,%1,95,%1,"","")").arg(text));
        MeasurementRecord parsed;
        QVERIFY2(ParseMeasurementLine(line, parsed), qPrintable(text));
        const std::optional<float> nearest = WholeNumberAsFloat(text);
        QVERIFY(nearest);
        if (parsed.weight != *nearest || parsed.boneMass != *nearest)
            QFAIL(qPrintable(text));
    }
}

void MeasurementFileTest::readsEveryRecordInOrder()
{
    writeBytes(m_dir, Data, threeRecords());
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0).status, u"はじめの一歩"_s);
    QCOMPARE(records.at(0).weight, 70.0f);
    QCOMPARE(records.at(1).date, u"2004/03/15"_s);
    QCOMPARE(records.at(2).status, u"夜"_s);
    QCOMPARE(records.at(2).comment, u"ケーキ"_s);
    QCOMPARE(records.at(2).weight, 70.4f);
    QCOMPARE(records.at(2).muscleScore, qint16(96));
    for (const MeasurementRecord &r : std::as_const(records))
        QCOMPARE(r.spare, QString());

    // A lone LF ends a line as well; the last line may lack its line end.
    writeBytes(m_dir, Data,
               cp932(R"("2004/03/14","朝",70,28,1350,9,49,95,2.8,"","")") + "\n" +
                   cp932(R"("2004/03/15","朝",69,28,1350,9,49,95,2.8,"","")"));
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(1).weight, 69.0f);
}

// Reading again an unchanged file hands out the records last read; any
// write, even one that keeps the file's size, is seen by the next read.
void MeasurementFileTest::aReadFollowsEveryWrite()
{
    writeBytes(m_dir, Data, threeRecords());
    QList<MeasurementRecord> first, again;
    QVERIFY(ReadMeasurements(m_dir, first));
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again.size(), 3);
    QCOMPARE(again.at(2).comment, u"ケーキ"_s);

    QVERIFY(ReplaceMeasurementComment(m_dir, 2, again.at(2).date, u"パイ"_s)); // same length
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again.at(2).comment, u"パイ"_s);
    QCOMPARE(first.at(2).comment, u"ケーキ"_s); // a copy read before stays as it was

    MeasurementRecord added = again.at(2);
    added.weight = 69.5f;
    QVERIFY(AppendMeasurement(m_dir, added));
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again.size(), 4);
    QCOMPARE(again.at(3).weight, 69.5f);

    // After the program's own append or insert, the records handed out are
    // those a fresh read of the file gives (numbers as stored).
    const auto matchesTheFile = [&] {
        QList<MeasurementRecord> kept, fresh;
        QVERIFY(ReadMeasurements(m_dir, kept));
        testing::ForgetMeasurementsRead();
        QVERIFY(ReadMeasurements(m_dir, fresh));
        QCOMPARE(kept.size(), fresh.size());
        for (qsizetype i = 0; i < kept.size(); ++i) {
            QByteArray a, b;
            QVERIFY(FormatMeasurementLine(kept[i], a));
            QVERIFY(FormatMeasurementLine(fresh[i], b));
            QCOMPARE(a, b);
            QCOMPARE(kept[i].weight, fresh[i].weight);
        }
    };
    QVERIFY(ReadMeasurements(m_dir, again));
    added.weight = 70.123456f; // stored with fewer digits
    QVERIFY(AppendMeasurement(m_dir, added));
    matchesTheFile();
    added.date = u"2004/03/14"_s;
    added.weight = 66.666666f;
    QVERIFY(InsertMeasurementByDate(m_dir, added));
    matchesTheFile();
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again.size(), 6);

    // Written by another program: a file of another size, then none.
    writeBytes(m_dir, Data, threeRecords());
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again.size(), 3);
    QVERIFY(QFile::remove(QDir(m_dir).filePath(Data)));
    QVERIFY(!ReadMeasurements(m_dir, again));
}

void MeasurementFileTest::readStartRecordTakesTheFirstLine()
{
    // The lines after the first are not looked at.
    writeBytes(m_dir, Data, threeRecords() + "garbage\r\n");
    MeasurementRecord start;
    QVERIFY(ReadStartRecord(m_dir, start));
    QCOMPARE(start.date, u"2004/03/14"_s);
    QCOMPARE(start.status, u"はじめの一歩"_s);

    writeBytes(m_dir, Data, QByteArray());
    const StoreStatus empty = ReadStartRecord(m_dir, start);
    QVERIFY(!empty);
    QCOMPARE(empty.fileName, Data);
}

void MeasurementFileTest::malformedFile_data()
{
    QTest::addColumn<QByteArray>("secondLine");
    QTest::addColumn<QString>("faultPart");
    QTest::newRow("ten fields") << cp932(R"("2004/03/15","朝",65,22.5,1350,8,45.2,95,2.8,"")")
                                << u"項目の数が 11 ではなく 10 です"_s;
    QTest::newRow("twelve fields") << cp932(R"("2004/03/15","朝",65,22.5,1350,8,45.2,95,2.8,"","","")")
                                   << u"項目の数が 11 ではなく 12 です"_s;
    QTest::newRow("older six-field layout")
        << cp932(R"("2004/03/15","朝",65,"",22.5,"")") << u"項目の数が 11 ではなく 6 です"_s;
    QTest::newRow("weight not a number") << cp932(R"("2004/03/15","朝",abc,22.5,1350,8,45.2,95,2.8,"","")")
                                         << u"体重の欄「abc」が数値ではありません"_s;
    QTest::newRow("weight with unit") << cp932(R"("2004/03/15","朝",65kg,22.5,1350,8,45.2,95,2.8,"","")")
                                      << u"体重の欄「65kg」が数値ではありません"_s;
    QTest::newRow("empty number") << cp932(R"("2004/03/15","朝",65,,1350,8,45.2,95,2.8,"","")")
                                  << u"体脂肪率の欄「」が数値ではありません"_s;
    QTest::newRow("integer out of range")
        << cp932(R"("2004/03/15","朝",65,22.5,40000,8,45.2,95,2.8,"","")")
        << u"基礎代謝量の欄「40000」が -32768 から 32767 の範囲を超えています"_s;
    QTest::newRow("real out of range") << cp932(R"("2004/03/15","朝",65,22.5,1350,8,1e39,95,2.8,"","")")
                                       << u"筋肉量の欄「1e39」が数値の範囲を超えています"_s;
    QTest::newRow("date that does not exist")
        << cp932(R"("2004/02/30","朝",65,22.5,1350,8,45.2,95,2.8,"","")")
        << u"日付「2004/02/30」が yyyy/mm/dd 形式の正しい日付ではありません"_s;
    QTest::newRow("date in another form")
        << cp932(R"("2004-03-15","朝",65,22.5,1350,8,45.2,95,2.8,"","")") << u"日付「2004-03-15」"_s;
    QTest::newRow("two-digit year") << cp932(R"("04/03/15","朝",65,22.5,1350,8,45.2,95,2.8,"","")")
                                    << u"日付「04/03/15」"_s;
    QTest::newRow("quote inside an unquoted text (found by fuzzing)")
        << cp932(R"("2004/03/15","朝",65,22.5,1350,8,45.2,95,2.8,a"b,"")")
        << u"一言日記の欄に引用符 \" があります"_s;
    QTest::newRow("CR inside a text")
        << QByteArray(cp932(R"("2004/03/15","朝)") + "\r" + cp932(R"(",65,22.5,1350,8,45.2,95,2.8,"","")"))
        << u"状況の欄に改行文字があります"_s;
    QTest::newRow("bytes that are not code page 932")
        << cp932(R"("2004/03/15","朝)") + "\x82" + QByteArray(R"(",65,22.5,1350,8,45.2,95,2.8,"","")")
        << u"状況の欄にコードページ 932 (Shift_JIS) として読めないバイトがあります"_s;
    QTest::newRow("utf-8 comment") << cp932(R"("2004/03/15","朝",65,22.5,1350,8,45.2,95,2.8,")") +
                                          QString::fromUtf8("あ").toUtf8() + "\",\"\""
                                   << u"一言日記の欄に"_s;
    QTest::newRow("quote not closed") << cp932(R"("2004/03/15","朝,65,22.5,1350,8,45.2,95,2.8,"","")")
                                      << u"引用符で囲まれた項目の後に余分な文字があります"_s;
    QTest::newRow("quote never closed")
        << cp932(R"("2004/03/15","朝",65,22.5,1350,8,45.2,95,2.8,"",")") << u"引用符 \" が閉じていません"_s;
    QTest::newRow("text after closing quote")
        << cp932(R"("2004/03/15","朝"x,65,22.5,1350,8,45.2,95,2.8,"","")") << u"余分な文字"_s;
    QTest::newRow("empty line") << QByteArray() << u"空の行です"_s;
}

void MeasurementFileTest::malformedFile()
{
    QFETCH(QByteArray, secondLine);
    QFETCH(QString, faultPart);
    // The bad line is in the middle: the last line is whole.
    const QByteArray content = line(R"("2004/03/14","朝",65,22.5,1350,8,45.2,95,2.8,"","")") + secondLine +
                               "\r\n" + line(R"("2004/03/16","朝",65,22.5,1350,8,45.2,95,2.8,"","")");
    writeBytes(m_dir, Data, content);
    QList<MeasurementRecord> records{record(u"2000/01/01"_s, u"前"_s, 1)};
    const StoreStatus status = ReadMeasurements(m_dir, records);
    QVERIFY(!status);
    QCOMPARE(status.fileName, Data);
    QCOMPARE(status.line, 2);
    QVERIFY2(status.fault.contains(faultPart), qPrintable(status.fault));
    QVERIFY2(status.userText().startsWith(u"データ.txt の 2 行目: "_s), qPrintable(status.userText()));
    QCOMPARE(records.size(), 1); // untouched on failure

    // A writer that has to read the file refuses it too and writes nothing.
    QVERIFY(!InsertMeasurementByDate(m_dir, record(u"2004/03/15"_s, u"朝"_s, 65)));
    QVERIFY(!RenameStatusInMeasurements(m_dir, u"朝"_s, u"夜"_s));
    QCOMPARE(readBytes(m_dir, Data), content);
}

void MeasurementFileTest::missingFileIsAnError()
{
    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(m_dir, records);
    QVERIFY(!status);
    QCOMPARE(status.fileName, Data);
    QCOMPARE(status.userText(), u"データ.txt: ファイルがありません"_s);

    writeBytes(m_dir, Data, QByteArray());
    const StoreStatus empty = ReadMeasurements(m_dir, records);
    QVERIFY(!empty);
    QVERIFY(empty.fault.contains(u"空のファイル"_s));
}

void MeasurementFileTest::appendSameDayGoesAfterTheLast()
{
    writeBytes(m_dir, Data, threeRecords());
    QVERIFY(AppendMeasurement(m_dir, record(u"2004/03/15"_s, u"就寝前"_s, 70.1f, u"22:10:00"_s)));
    QCOMPARE(readBytes(m_dir, Data),
             threeRecords() + line(R"("2004/03/15","就寝前",70.1,22.5,1350,8,45.2,95,2.8,"22:10:00","")"));
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 4);
    QCOMPARE(records.last().status, u"就寝前"_s);
}

void MeasurementFileTest::appendAfterLineWithoutLineEnd()
{
    QByteArray content = threeRecords();
    content.chop(2);
    writeBytes(m_dir, Data, content);
    QVERIFY(AppendMeasurement(m_dir, record(u"2004/03/16"_s, u"朝"_s, 69.5f)));
    const QByteArray appended = line(R"("2004/03/16","朝",69.5,22.5,1350,8,45.2,95,2.8,"","")");
    QCOMPARE(readBytes(m_dir, Data), threeRecords() + appended);

    // A line end cut after its CR gets only the missing LF.
    content = threeRecords();
    content.chop(1);
    writeBytes(m_dir, Data, content);
    QVERIFY(AppendMeasurement(m_dir, record(u"2004/03/16"_s, u"朝"_s, 69.5f)));
    QCOMPARE(readBytes(m_dir, Data), threeRecords() + appended);
}

void MeasurementFileTest::refusedAppendLeavesFileUnchanged()
{
    writeBytes(m_dir, Data, threeRecords());
    const StoreStatus status = AppendMeasurement(m_dir, record(u"2004/03/16"_s, u"朝"_s, 69.5f, u"😀"_s));
    QVERIFY(!status);
    QCOMPARE(status.fileName, Data);
    QVERIFY(status.fault.contains(u"😀"_s));
    QCOMPARE(readBytes(m_dir, Data), threeRecords());
}

void MeasurementFileTest::insertByDate_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("position"); // the new line's index in the file afterwards
    QTest::newRow("before the first record: the new start") << u"2004/03/13"_s << 0;
    QTest::newRow("after equal dates, before the first later one") << u"2004/03/14"_s << 1;
    QTest::newRow("after both records of an equal date") << u"2004/03/15"_s << 3;
    QTest::newRow("between two days") << u"2004/03/16"_s << 3;
    QTest::newRow("after every record") << u"2004/03/18"_s << 4;
}

void MeasurementFileTest::insertByDate()
{
    QFETCH(QString, date);
    QFETCH(int, position);
    // Lines written by hand with blanks and "65.40": the insert must keep every
    // existing byte, not rewrite the records.
    const QList<QByteArray> lines{
        line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")"),
        line(R"( "2004/03/15","朝", 65.40,28,1350,9,49,95,2.8,"","")"),
        line(R"("2004/03/15","夜",70.4,27.5,1351,9,49,96,2.8,"ケーキ, 二個","")"),
        line(R"("2004/03/17","朝",69.9,27.5,1351,9,49,96,2.8,"","")"),
    };
    writeBytes(m_dir, Data, lines.at(0) + lines.at(1) + lines.at(2) + lines.at(3));
    QVERIFY(InsertMeasurementByDate(m_dir, record(date, u"新"_s, 68.8f)));

    QByteArray newLine;
    QVERIFY(FormatMeasurementLine(record(date, u"新"_s, 68.8f), newLine));
    QList<QByteArray> expectedLines = lines;
    expectedLines.insert(position, newLine);
    QCOMPARE(readBytes(m_dir, Data), expectedLines.join());
    QVERIFY(!exists(m_dir, u"データコピー.txt"_s));

    if (position == 0) {
        MeasurementRecord start;
        QVERIFY(ReadStartRecord(m_dir, start));
        QCOMPARE(start.date, date);
    }
}

void MeasurementFileTest::insertRefusesMalformedFile()
{
    // A torn last line is not silently carried along by an insert.
    QByteArray content = threeRecords() + cp932(R"("2004/03/16","朝",69.)");
    writeBytes(m_dir, Data, content);
    const StoreStatus status = InsertMeasurementByDate(m_dir, record(u"2004/03/14"_s, u"朝"_s, 70));
    QVERIFY(!status);
    QCOMPARE(status.line, 4);
    QCOMPARE(readBytes(m_dir, Data), content);
}

void MeasurementFileTest::rewriteHoldsExactlyTheRecords()
{
    writeBytes(m_dir, Data, threeRecords());
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    records[1].comment = u"散歩, 一時間"_s;
    records[2].comment.clear();
    QVERIFY(RewriteMeasurements(m_dir, records));
    QCOMPARE(readBytes(m_dir, Data),
             line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")") +
                 line(R"("2004/03/15","朝",69.8,27.9,1349,9,49,95,2.8,"散歩, 一時間","")") +
                 line(R"("2004/03/15","夜",70.4,27.5,1351,9,49,96,2.8,"","")"));
    QList<MeasurementRecord> again;
    QVERIFY(ReadMeasurements(m_dir, again));
    QCOMPARE(again, records);

    // A record that cannot be stored stops the whole rewrite before any write.
    const QByteArray before = readBytes(m_dir, Data);
    records[2].comment = u"改行\nあり"_s;
    const StoreStatus status = RewriteMeasurements(m_dir, records);
    QVERIFY(!status);
    QCOMPARE(status.line, 3);
    QCOMPARE(readBytes(m_dir, Data), before);
    QVERIFY(!exists(m_dir, u"データコピー.txt"_s));
}

void MeasurementFileTest::renameChangesOnlyMatchingStatuses()
{
    const QByteArray before = line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")") +
                              line(R"("2004/03/15","朝",65.4,27.9,1350,9,49,95,2.8,"朝の散歩","")") +
                              line(R"("2004/03/15", "朝" ,65.40,27.90,1350,9,49.0,95,2.80,"","")") +
                              line(R"("2004/03/15","朝食後",70.4,27.5,1351,9,49,96,2.8,"朝","")") +
                              line(R"("2004/03/16","ｱｻ",70.4,27.5,1351,9,49,96,2.8,"","")") +
                              line(R"("2004/03/16","朝 ",70.4,27.5,1351,9,49,96,2.8,"","")") +
                              line(R"("2004/03/17","朝",69.9,27.5,1351,9,49,96,2.8,"","x")");
    writeBytes(m_dir, Data, before);
    QVERIFY(RenameStatusInMeasurements(m_dir, u"朝"_s, u"起床後, 朝"_s));
    const QByteArray expected =
        line(R"("2004/03/14","はじめの一歩",70,28,1350,9,49,95,2.8,"","")") +
        line(R"("2004/03/15","起床後, 朝",65.4,27.9,1350,9,49,95,2.8,"朝の散歩","")") +
        line(R"("2004/03/15", "起床後, 朝" ,65.40,27.90,1350,9,49.0,95,2.80,"","")") +
        line(R"("2004/03/15","朝食後",70.4,27.5,1351,9,49,96,2.8,"朝","")") +
        line(R"("2004/03/16","ｱｻ",70.4,27.5,1351,9,49,96,2.8,"","")") +
        line(R"("2004/03/16","朝 ",70.4,27.5,1351,9,49,96,2.8,"","")") +
        line(R"("2004/03/17","起床後, 朝",69.9,27.5,1351,9,49,96,2.8,"","x")");
    QCOMPARE(readBytes(m_dir, Data), expected);
    QVERIFY(!exists(m_dir, u"データＣＨＧ.txt"_s));
}

void MeasurementFileTest::renameRefusesUnstorableText()
{
    writeBytes(m_dir, Data, threeRecords());
    const StoreStatus status = RenameStatusInMeasurements(m_dir, u"朝"_s, u"\"朝\""_s);
    QVERIFY(!status);
    QVERIFY(status.fault.contains(u"「\"」"_s));
    QCOMPARE(readBytes(m_dir, Data), threeRecords());
}

void MeasurementFileTest::createReplacesTheFile()
{
    writeBytes(m_dir, Data, threeRecords());
    MeasurementRecord start = record(u"2010/01/02"_s, u"はじめの一歩"_s, 65.4f);
    QVERIFY(CreateMeasurementFile(m_dir, start));
    QCOMPARE(readBytes(m_dir, Data),
             line(R"("2010/01/02","はじめの一歩",65.4,22.5,1350,8,45.2,95,2.8,"","")"));

    // Also in a directory that had no file yet.
    QTemporaryDir other;
    QVERIFY(CreateMeasurementFile(other.path(), start));
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(other.path(), records));
    QCOMPARE(records, QList<MeasurementRecord>{start});
}

void MeasurementFileTest::namesAreFoundCaseInsensitively()
{
    const QString upper = u"データ.TXT"_s;
    writeBytes(m_dir, upper, threeRecords());
    QCOMPARE(ResolveDiaryFile(m_dir, Data), QDir(m_dir).filePath(upper));
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 3);
    QVERIFY(AppendMeasurement(m_dir, record(u"2004/03/16"_s, u"朝"_s, 69.5f)));
    QVERIFY(InsertMeasurementByDate(m_dir, record(u"2004/03/14"_s, u"夜"_s, 70.5f)));
    QVERIFY(!exists(m_dir, Data));
    QVERIFY(ReadMeasurements(m_dir, records));
    QCOMPARE(records.size(), 5);
    QCOMPARE(records.at(1).status, u"夜"_s);
}

QTEST_GUILESS_MAIN(MeasurementFileTest)
#include "tst_measurementfile.moc"
