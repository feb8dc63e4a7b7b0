#include "store/csvexport.h"
#include "store/csvimport.h"
#include "store/measurementfile.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

// CSV files as scales and apps write them, read into what the import stores.
class CsvImportTest : public QObject
{
    Q_OBJECT

private slots:
    void realWorldShapes_data();
    void realWorldShapes();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void missingValuesComeFromTheNeighbours();
    void duplicatesAndUnreadableRowsAreCounted();
    void mergeGoesInDateOrder();
    void exportMatchesTheGoldenFileAndReadsBack();
};

namespace {

QByteArray utf8(const char *text)
{
    return QByteArray(text);
}

// "date status weight fat basal visceral muscle score bone comment" of a planned row.
QString describe(const MeasurementRecord &r)
{
    return QStringList{r.date,
                       r.status,
                       QString::number(r.weight, 'f', 2),
                       QString::number(r.bodyFat, 'f', 1),
                       QString::number(r.basalMetabolism),
                       QString::number(r.visceralFat),
                       QString::number(r.muscleMass, 'f', 1),
                       QString::number(r.muscleScore),
                       QString::number(r.boneMass, 'f', 1),
                       r.comment}
        .join(u' ');
}

CsvImportPlan plan(const QByteArray &bytes, const QList<MeasurementRecord> &diary = {})
{
    CsvTable table;
    QString fault;
    if (!ReadCsv(bytes, table, fault))
        qFatal("unreadable: %s", qPrintable(fault));
    return PlanCsvImport(table, RecogniseCsvColumns(table), diary, {u"朝"_s, u"昼"_s, u"夜"_s});
}

} // namespace

void CsvImportTest::realWorldShapes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows");
    const auto utf16 = [](const QString &text) -> QByteArray {
        QStringEncoder encoder(QStringEncoder::Utf16LE);
        return QByteArray("\xFF\xFE") + QByteArray(encoder.encode(text));
    };
    QTest::newRow("scale app: date-time, fat mass in kg, BOM")
        << utf8(
               "\xEF\xBB\xBF"
               R"x(Date,"Weight (kg)","Fat mass (kg)","Bone mass (kg)","Muscle mass (kg)","Hydration (kg)",Comments)x"
               "\r\n"
               R"x("2020-01-28 21:18:00",80.0,20.0,3.1,55.2,40,"after dinner, late")x"
               "\r\n")
        << QStringList{u"2020/01/28 夜 80.00 25.0 0 0 55.2 0 3.1 after dinner, late"_s};
    QTest::newRow("fitness app: pounds, separate time, fractions")
        << utf8("Date,Time,Weight (lbs),BMI,Body Fat\n2020-01-28,07:12:00,176.37,24.1,0.221\n"
                "2020-01-29,12:30,175.5,24,0.219\n")
        << QStringList{u"2020/01/28 朝 80.00 22.1 0 0 0.0 0 0.0 "_s,
                       u"2020/01/29 昼 79.61 21.9 0 0 0.0 0 0.0 "_s};
    QTest::newRow("Japanese scale, code page 932, halves to even")
        << cp932("測定日,時刻,体重(kg),体脂肪率(%),内臓脂肪レベル,基礎代謝量(kcal),筋肉量(kg),筋肉スコア,"
                 "骨量(kg)\r\n"
                 "2020年1月28日,18:05,65.4,24.5,8.5,1350.5,45.2,95,2.8\r\n")
        << QStringList{u"2020/01/28 夜 65.40 24.5 1350 8 45.2 95 2.8 "_s};
    QTest::newRow("semicolons with decimal commas")
        << utf8("date;weight;fat %\r\n2020/1/5;65,4;22,1\r\n")
        << QStringList{u"2020/01/05 朝 65.40 22.1 0 0 0.0 0 0.0 "_s};
    QTest::newRow("quoted comment with a line break and quotes")
        << utf8("datetime,weight,note\n2020-01-28T06:00,65,\"two\nlines, \"\"quoted\"\"\"\n")
        << QStringList{u"2020/01/28 朝 65.00 0.0 0 0 0.0 0 0.0 two lines, ”quoted”"_s};
    QTest::newRow("health app: emoji, tab and quote in a status and a comment")
        << utf8("date,weight,status,note\n2021-03-02,70.1,\"食\"\"後\",\"good \xF0\x9F\x98\x80\tday\x01\"\n")
        << QStringList{u"2021/03/02 食”後 70.10 0.0 0 0 0.0 0 0.0 good ? day?"_s};
    QTest::newRow("UTF-16 with BOM, tabs") << utf16(u"日付\t体重\tメモ\r\n2021-03-01\t70.5\tテスト\r\n"_s)
                                           << QStringList{u"2021/03/01 朝 70.50 0.0 0 0 0.0 0 0.0 テスト"_s};
}

void CsvImportTest::realWorldShapes()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    const CsvImportPlan p = plan(file);
    QStringList found;
    for (const CsvImportRow &row : p.rows) {
        found.append(describe(row.record()));
        QByteArray line;
        QString fault;
        QVERIFY2(FormatMeasurementLine(row.record(), line, &fault),
                 qPrintable(fault)); // what is shown is stored
    }
    QCOMPARE(found, rows);
}

void CsvImportTest::badFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("fault");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << u"CSV ファイルではありません"_s;
    QTest::newRow("empty") << QByteArray() << u"空のファイルです"_s;
    QTest::newRow("blank lines") << QByteArray("\r\n\r\n") << u"空のファイルです"_s;
}

void CsvImportTest::badFilesAreRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, fault);
    CsvTable table;
    QString why;
    QVERIFY(!ReadCsv(file, table, why));
    QVERIFY2(why.startsWith(fault), qPrintable(why));
}

void CsvImportTest::missingValuesComeFromTheNeighbours()
{
    // The diary knows body fat 25 on the 2nd; the file gives fat only on the 6th.
    const QList<MeasurementRecord> diary{
        TestRecord(u"2020/01/02"_s, u"朝"_s, 66.0f, 25.0f, 1300, 7, 44.0f, 90, 2.5f)};
    const CsvImportPlan p =
        plan(utf8("date,weight,fat\n2020-01-01,66.5,\n2020-01-03,65.9,\n2020-01-06,65.5,24\n"
                  "2020-01-04,65.7,\n"),
             diary);
    QStringList found;
    for (const CsvImportRow &row : p.rows)
        found.append(describe(row.record()));
    QCOMPARE(found, (QStringList{u"2020/01/01 朝 66.50 25.0 1300 7 44.0 90 2.5 "_s,
                                 u"2020/01/03 朝 65.90 25.0 1300 7 44.0 90 2.5 "_s,
                                 u"2020/01/04 朝 65.70 25.0 1300 7 44.0 90 2.5 "_s,
                                 u"2020/01/06 朝 65.50 24.0 1300 7 44.0 90 2.5 "_s}));
    QVERIFY(p.rows[0].filled[1] && p.rows[0].filled[2] && !p.rows[0].filled[0]);
    QVERIFY(!p.rows[3].filled[1] && p.rows[3].filled[2]);
    // Nothing known anywhere: 0.
    QCOMPARE(plan(utf8("date,weight\n2020-01-01,66.5\n")).rows[0].record().bodyFat, 0.0f);
}

void CsvImportTest::duplicatesAndUnreadableRowsAreCounted()
{
    const QList<MeasurementRecord> diary{TestRecord(u"2020/01/02"_s, u"朝"_s, 66.04f)};
    QByteArray file("date,weight\n");
    file += "2020-01-01,66.5\n2020-01-01,66.5\n"; // the same row twice
    file += "2020-01-02,66.0\n";                  // the diary's record
    for (int i = 0; i < 11; ++i)
        file += "not a date,66\n";
    file += "2020-01-03,\n";
    const CsvImportPlan p = plan(file, diary);
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.duplicates, 2);
    QCOMPARE(p.unreadableLines.size(), 12);
    QCOMPARE(CsvSummaryText(p),
             u"取り込む測定 1件　重複 2件　読めない行 12件（5行目, 6行目, 7行目, 8行目, 9行目, "
             u"10行目, 11行目, 12行目, 13行目, 14行目, …）"_s);
    // A number no record can hold makes its row unreadable: it is never stored as 0 or infinity.
    const QByteArray tooBig = "1" + QByteArray(40, '0');
    const CsvImportPlan huge =
        plan("date,weight,bmr,bone\n2020-01-01,66,40000,2\n2020-01-02,66,1300," + tooBig + "\n2020-01-03," +
             tooBig + ",1300,2\n2020-01-04,66,1300,2\n2020-01-04,66,1300,2\n");
    QCOMPARE(huge.rows.size(), 1);
    QCOMPARE(huge.duplicates, 1);
    QCOMPARE(huge.unreadableLines, (QList<qint64>{2, 3, 4}));
}

void CsvImportTest::mergeGoesInDateOrder()
{
    QTemporaryDir temp;
    // The last line without its line end.
    const QByteArray diary = line(R"("2020/01/02","朝",66,0,0,0,0,0,0,"","")") +
                             cp932(R"("2020/01/04","朝",65.5,0,0,0,0,0,0,"","")");
    writeBytes(temp.path(), u"データ.txt"_s, diary);
    const CsvImportPlan p =
        plan(utf8("datetime,weight,comment\n2020-01-05 07:00,65,b\n2020-01-02 20:00,66.2,a\n2020-01-01,67,x\n"
                  "2020-01-05 06:00,65.1,c\n"));
    QList<LineSplice> splices;
    QVERIFY(CsvMergeSplices(temp.path(), p, splices));
    QVERIFY(SpliceMeasurementLines(temp.path(), splices));
    QList<MeasurementRecord> records;
    QVERIFY(ReadMeasurements(temp.path(), records));
    QStringList order;
    for (const MeasurementRecord &r : records)
        order.append(r.date.mid(8) + r.status + r.comment);
    QCOMPARE(order, (QStringList{u"01朝x"_s, u"02朝"_s, u"02夜a"_s, u"04朝"_s, u"05朝c"_s, u"05朝b"_s}));
    QVERIFY(SpliceMeasurementLines(temp.path(), InverseSplices(splices)));
    QCOMPARE(readBytes(temp.path(), u"データ.txt"_s), diary);
}

void CsvImportTest::exportMatchesTheGoldenFileAndReadsBack()
{
    QTemporaryDir temp;
    writeBytes(temp.path(), u"データ.txt"_s,
               line(R"("2004/03/14","はじめの一歩",72.3,28,1350,9,49,95,2.8,"","")") +
                   line(R"("2004/03/15","朝",71.85,27.9,1349,9,48.5,95,2.75,"ケーキ, 一切れ","")") +
                   line(R"("2004/03/15","夜",72,27.5,1351,10,49,96,2.8,"","予備")"));
    QByteArray bytes;
    qint64 count = 0;
    QVERIFY(CsvExportBytes(temp.path(), bytes, count));
    QCOMPARE(count, 3);
    QFile golden(QStringLiteral(ZZ_TEST_DATA_DIR "/export.csv"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(bytes, golden.readAll());

    // Read back as an import: every column found, the same records.
    CsvTable table;
    QString fault;
    QVERIFY(ReadCsv(bytes, table, fault));
    const CsvChoices choices = RecogniseCsvColumns(table);
    QCOMPARE(choices.columns[int(CsvField::Date)], 0);
    QCOMPARE(choices.statusColumn, 1);
    QCOMPARE(choices.columns[int(CsvField::Comment)], 9);
    const CsvImportPlan p = PlanCsvImport(table, choices, {}, {});
    QList<MeasurementRecord> original;
    QVERIFY(ReadMeasurements(temp.path(), original));
    QCOMPARE(p.rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        MeasurementRecord expected = original[i];
        expected.spare.clear(); // the spare text is not part of the export
        QCOMPARE(describe(p.rows[i].record()), describe(expected));
        QCOMPARE(p.rows[i].record().weight, expected.weight);
    }
}

QTEST_GUILESS_MAIN(CsvImportTest)
#include "tst_csvimport.moc"
