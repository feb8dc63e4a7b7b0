// The import of older data files at startup, through the real questions.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "base/clock.h"
#include "base/cp932.h"
#include "boxwatcher.h"
#include "diaryfixture.h"
#include "entry/entrylogic.h"
#include "store/measurementfile.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

QByteArray Lines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        QByteArray encoded;
        if (!EncodeCp932(line, encoded))
            qFatal("not encodable");
        bytes += encoded + "\r\n";
    }
    return bytes;
}

const QStringList SixTitles{u"データ変換および体脂肪率確認"_s,
                            u"基礎代謝量確認"_s,
                            u"内臓脂肪レベル確認"_s,
                            u"筋肉量確認"_s,
                            u"筋肉スコア確認"_s,
                            u"骨量確認"_s};

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(8, 0))); }

    void weightOnlyInANewFolder()
    {
        DiaryFixture diary;
        diary.writeBytes(u"連続体重.txt"_s,
                         Lines({u"\"2003/01/05\",\"朝\",80.5"_s, u"\"2003/01/06\",\"夜\",80"_s}));
        BoxWatcher boxes;
        for (const QString &answer : {u"25"_s, u"1351.5"_s, u"9"_s, u"45.2"_s, u"95"_s, u"2.8"_s})
            boxes.answerInput(answer);
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QCOMPARE(boxes.titles().mid(0, 6), SixTitles);
        QCOMPARE(boxes.boxes[0].text,
                 u"連続体重.txtを検出しました。\r\n\r\n変換する場合は現在の体脂肪率を入力してください。"_s);
        QList<MeasurementRecord> records;
        QVERIFY(ReadMeasurements(diary.dir(), records).ok);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].basalMetabolism, qint16(1352));
        QCOMPARE(records[1].bodyFat, 25.0f);
        // The sample's measurements were kept; its personal data are in use.
        QVERIFY(!diary.bytes(u"データbak.txt"_s).isEmpty());
        QVERIFY(!window->state().sampleMode);
    }

    void cancelledQuestionsChangeNothing()
    {
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/01"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        const QByteArray edition = Lines({u"\"2004/03/14\",\"朝\",72.3,\"\",28.5,\"\""_s});
        diary.writeBytes(u"データ.txt"_s, edition);
        {
            BoxWatcher boxes;
            boxes.answerInput(u"1350"_s);
            boxes.answerInput(u"9"_s);
            boxes.cancelInput();
            auto window = StartProgram(diary.dir());
            // The diary check then refuses the old layout and the program stops.
            QVERIFY(!window);
            QCOMPARE(boxes.titles().mid(0, 3),
                     (QStringList{u"基礎代謝量確認"_s, u"内臓脂肪レベル確認"_s, u"筋肉量確認"_s}));
            QVERIFY(boxes.boxes[0].text.startsWith(u"Zumazuma☆ダイエット+のデータを検出しました。"_s));
            QCOMPARE(diary.bytes(u"データ.txt"_s), edition);
            QVERIFY(diary.bytes(u"データbak.txt"_s).isEmpty());
        }
        // Asked again at the next start: five questions for the second edition.
        BoxWatcher boxes;
        for (const QString &answer : {u"1350"_s, u"9"_s, u"45"_s, u"95"_s, u"2.8"_s})
            boxes.answerInput(answer);
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QCOMPARE(boxes.titles().mid(0, 5),
                 (QStringList{u"基礎代謝量確認"_s, u"内臓脂肪レベル確認"_s, u"筋肉量確認"_s,
                              u"筋肉スコア確認"_s, u"骨量確認"_s}));
        QList<MeasurementRecord> records;
        QVERIFY(ReadMeasurements(diary.dir(), records).ok);
        QCOMPARE(records[0].bodyFat, 28.5f);
        QCOMPARE(diary.bytes(u"データbak.txt"_s), edition);
    }

    void anOutOfRangeWholeNumberIsRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("metabolism");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("out of range")
            << u"40000"_s << u"入力制限"_s << u"基礎代謝量は-32768～32767の範囲で入力してください"_s;
        QTest::newRow("no number") << u"１３５０"_s << u"数値以外入力"_s << NotANumberText(u"基礎代謝量"_s);
    }
    void anOutOfRangeWholeNumberIsRefusedAtOnce()
    {
        QFETCH(QString, metabolism);
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/01"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        const QByteArray edition = Lines({u"\"2004/03/14\",\"朝\",72.3,\"\",28.5,\"\""_s});
        diary.writeBytes(u"データ.txt"_s, edition);
        BoxWatcher boxes;
        for (const QString &answer : {metabolism, u"9"_s, u"45"_s, u"95"_s, u"2.8"_s})
            boxes.answerInput(answer);
        QVERIFY(!StartProgram(diary.dir())); // the old layout stays, as after a cancel
        // The refusal comes right after the metabolism, before any other question.
        QTEST(boxes.titles().value(1), "title");
        QCOMPARE(boxes.titles().first(), u"基礎代謝量確認"_s);
        QTEST(boxes.boxes[1].text, "text");
        QCOMPARE(diary.bytes(u"データ.txt"_s), edition);
    }
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
