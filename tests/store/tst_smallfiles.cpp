#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "storetestutil.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zz;
using namespace storetest;

class SmallFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void personalDataWritten_data();
    void personalDataWritten();
    void personalDataReadByPosition();
    void personalDataFaults_data();
    void personalDataFaults();

    void statusListReading_data();
    void statusListReading();
    void statusListWriters();
    void statusListRefusesUnstorableText();

    void noticeMemo_data();
    void noticeMemo();
    void noticeMemoKeepsItsFileName();

    void markerSetting();

    void settingsFilesWritten();
    void settingsKeepTypedText_data();
    void settingsKeepTypedText();
    void settingsFaults();

private:
    QString m_dir;
    std::unique_ptr<QTemporaryDir> m_temp;
};

void SmallFilesTest::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = m_temp->path();
}

void SmallFilesTest::personalDataWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("target");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("sample") << u"ズマ子"_s << 168.5f << 65.0f
                            << line(R"("氏名","ズマ子")") + line(R"("身長",168.5)") +
                                   line(R"("目標体重",65)");
    QTest::newRow("empty name") << QString() << 158.5f << 52.3f
                                << line(R"("氏名","")") + line(R"("身長",158.5)") +
                                       line(R"("目標体重",52.3)");
    QTest::newRow("name with a comma")
        << u"山田, 花子"_s << 160.0f << 55.5f
        << line(R"("氏名","山田, 花子")") + line(R"("身長",160)") + line(R"("目標体重",55.5)");
}

void SmallFilesTest::personalDataWritten()
{
    QFETCH(QString, name);
    QFETCH(float, height);
    QFETCH(float, target);
    QFETCH(QByteArray, expected);
    const PersonalData data{name, height, target};
    QVERIFY(WritePersonalData(m_dir, data));
    QCOMPARE(readBytes(m_dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s), expected);
    PersonalData back;
    QVERIFY(ReadPersonalData(m_dir, back));
    QCOMPARE(back, data);
}

void SmallFilesTest::personalDataReadByPosition()
{
    // The labels are never checked; blanks and an unquoted name are read too.
    writeBytes(m_dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.TXT"_s, line(R"("名前", ズマ子)") + line("x,170.25") + line("y, 6.5E1"));
    PersonalData data;
    QVERIFY(ReadPersonalData(m_dir, data));
    QCOMPARE(data.userName, u"ズマ子"_s);
    QCOMPARE(data.heightCm, 170.25f);
    QCOMPARE(data.targetWeight, 65.0f);
}

void SmallFilesTest::personalDataFaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("faultPart");
    QTest::newRow("height not a number")
        << line(R"("氏名","a")") + line(R"("身長",abc)") + line(R"("目標体重",65)") << 2
        << u"身長「abc」が数値ではありません"_s;
    QTest::newRow("target missing") << line(R"("氏名","a")") + line(R"("身長",160)") << 0
                                    << u"3 行目 (目標体重) がありません"_s;
    QTest::newRow("value missing") << line(R"("氏名","a")") + line(R"("身長")") + line(R"("目標体重",65)")
                                   << 2 << u"2 項目のはずが 1 項目です"_s;
    QTest::newRow("bad bytes in the name")
        << QByteArray("\"a\",\"\x81\"\r\n") + line(R"("身長",160)") + line(R"("目標体重",65)") << 1
        << u"読めないバイト"_s;
}

void SmallFilesTest::personalDataFaults()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, faultPart);
    writeBytes(m_dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s, content);
    PersonalData data{u"前"_s, 1, 2};
    const StoreStatus status = ReadPersonalData(m_dir, data);
    QVERIFY(!status);
    QCOMPARE(status.fileName, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s);
    QCOMPARE(status.line, line);
    QVERIFY2(status.fault.contains(faultPart), qPrintable(status.fault));
    QCOMPARE(data, (PersonalData{u"前"_s, 1, 2}));

    // A name the file cannot hold is refused and the file stays as it was.
    const StoreStatus refused = WritePersonalData(m_dir, PersonalData{u"𠮷田"_s, 160, 55});
    QVERIFY(!refused);
    QVERIFY(refused.fault.contains(u"𠮷"_s));
    QCOMPARE(readBytes(m_dir, u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s), content);
}

void SmallFilesTest::statusListReading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("statuses");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("quoted and plain mixed") << line(R"("起床後")") + line("夕食前") + line(R"("朝, 食後")")
                                            << QStringList{u"起床後"_s, u"夕食前"_s, u"朝, 食後"_s};
    QTest::newRow("plain line with a comma gives two") << line("朝, 食後") << QStringList{u"朝"_s, u"食後"_s};
    QTest::newRow("blanks at the start of a plain line dropped")
        << line("   就寝前") << QStringList{u"就寝前"_s};
    QTest::newRow("blank lines give nothing")
        << line("朝") + line("") + line("夜") << QStringList{u"朝"_s, u"夜"_s};
    QTest::newRow("half-width and time texts")
        << line(R"("ｱｻ")") + line("8:05:09") << QStringList{u"ｱｻ"_s, u"8:05:09"_s};
}

void SmallFilesTest::statusListReading()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, statuses);
    writeBytes(m_dir, u"状況リスト.txt"_s, content);
    QStringList read{u"前"_s};
    QVERIFY(ReadStatusList(m_dir, read));
    QCOMPARE(read, statuses);
}

void SmallFilesTest::statusListWriters()
{
    const QString name = u"状況リスト.txt"_s;
    writeBytes(m_dir, name, QByteArray());
    // The edit panel appends plain lines, the main panel quoted ones.
    QVERIFY(AppendStatusPlain(m_dir, u"朝, 食後"_s));
    QVERIFY(AppendStatusQuoted(m_dir, u"朝, 食後"_s));
    QCOMPARE(readBytes(m_dir, name), line("朝, 食後") + line(R"("朝, 食後")"));
    QStringList statuses;
    QVERIFY(ReadStatusList(m_dir, statuses));
    QCOMPARE(statuses, (QStringList{u"朝"_s, u"食後"_s, u"朝, 食後"_s}));

    QVERIFY(WriteStatusListPlain(m_dir, {u"夜"_s, u"昼"_s}));
    QCOMPARE(readBytes(m_dir, name), line("夜") + line("昼"));
    QVERIFY(WriteStatusListQuoted(m_dir, {u"夜"_s, u"昼, 食後"_s}));
    QCOMPARE(readBytes(m_dir, name), line(R"("夜")") + line(R"("昼, 食後")"));
    QVERIFY(!exists(m_dir, u"状況リストＣＨＧ.txt"_s));
    QVERIFY(WriteStatusListPlain(m_dir, {}));
    QCOMPARE(readBytes(m_dir, name), QByteArray());
    QVERIFY(ReadStatusList(m_dir, statuses));
    QVERIFY(statuses.isEmpty());

    // Appending to a list whose last line has no line end starts a new line.
    writeBytes(m_dir, name, cp932("朝"));
    QVERIFY(AppendStatusQuoted(m_dir, u"夜"_s));
    QCOMPARE(readBytes(m_dir, name), line("朝") + line(R"("夜")"));
}

void SmallFilesTest::statusListRefusesUnstorableText()
{
    const QString name = u"状況リスト.txt"_s;
    const QByteArray before = line(R"("朝")");
    writeBytes(m_dir, name, before);
    QVERIFY(!AppendStatusQuoted(m_dir, u"\"朝\""_s));
    QVERIFY(!AppendStatusPlain(m_dir, u"朝\n夜"_s));
    QVERIFY(!WriteStatusListPlain(m_dir, {u"朝"_s, u"😀"_s}));
    const StoreStatus status = WriteStatusListQuoted(m_dir, {u"𠮷"_s});
    QVERIFY(!status);
    QVERIFY(status.fault.contains(u"𠮷"_s));
    QCOMPARE(readBytes(m_dir, name), before);
}

void SmallFilesTest::noticeMemo_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("two lines") << u"朝に量る\r\n夜は食べない"_s << line("朝に量る") + line("夜は食べない")
                               << u"朝に量る\r\n夜は食べない"_s;
    QTest::newRow("text box line feeds are stored as CR LF")
        << u"一\n二\n"_s << line("一") + line("二") + line("") << u"一\r\n二\r\n"_s;
    QTest::newRow("empty memo") << QString() << QByteArray("\r\n") << QString();
    QTest::newRow("quotes and commas are plain text in the memo")
        << u"\"目標\", 65kg"_s << line(R"("目標", 65kg)") << u"\"目標\", 65kg"_s;
}

void SmallFilesTest::noticeMemo()
{
    QFETCH(QString, memo);
    QFETCH(QByteArray, expected);
    QFETCH(QString, readBack);
    QVERIFY(WriteNoticeMemo(m_dir, memo));
    QCOMPARE(readBytes(m_dir, u"気付きメモ.TXT"_s), expected);
    QString read = u"前"_s;
    QVERIFY(ReadNoticeMemo(m_dir, read));
    QCOMPARE(read, readBack);
}

void SmallFilesTest::noticeMemoKeepsItsFileName()
{
    // An existing "気付きメモ.txt" is the same file as "気付きメモ.TXT".
    writeBytes(m_dir, u"気付きメモ.txt"_s, line("古い"));
    QString memo;
    QVERIFY(ReadNoticeMemo(m_dir, memo));
    QCOMPARE(memo, u"古い"_s);
    QVERIFY(WriteNoticeMemo(m_dir, u"新しい"_s));
    QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList{u"気付きメモ.txt"_s});
    QCOMPARE(readBytes(m_dir, u"気付きメモ.txt"_s), line("新しい"));

    const StoreStatus refused = WriteNoticeMemo(m_dir, u"😀"_s);
    QVERIFY(!refused);
    QCOMPARE(readBytes(m_dir, u"気付きメモ.txt"_s), line("新しい"));
}

void SmallFilesTest::markerSetting()
{
    QVERIFY(WriteMarkerSetting(m_dir, 2));
    QCOMPARE(readBytes(m_dir, u"マーカー.TXT"_s), QByteArray("2\r\n"));
    int mode = -1;
    QVERIFY(ReadMarkerSetting(m_dir, mode));
    QCOMPARE(mode, 2);

    writeBytes(m_dir, u"マーカー.TXT"_s, "x\r\n");
    const StoreStatus status = ReadMarkerSetting(m_dir, mode);
    QVERIFY(!status);
    QCOMPARE(status.line, 1);
    QCOMPARE(mode, 2);
}

void SmallFilesTest::settingsFilesWritten()
{
    QVERIFY(WriteHelpTourSetting(m_dir, 1));
    QCOMPARE(readBytes(m_dir, u"設定.txt"_s), line(R"("ヘルプツアー",1)"));
    QVERIFY(WriteIncrements(m_dir, u"0.2"_s, u"0.1"_s));
    QCOMPARE(readBytes(m_dir, u"体重計刻み.txt"_s), QByteArray("0.2\r\n0.1\r\n"));
    QVERIFY(WriteMovingAverageWidth(m_dir, u"10"_s));
    QCOMPARE(readBytes(m_dir, u"移動平均.TXT"_s), QByteArray("10\r\n"));
    QVERIFY(WriteAutoTime(m_dir, 1));
    QCOMPARE(readBytes(m_dir, u"自動時間.TXT"_s), QByteArray(" 1\r\n"));
    QVERIFY(WriteAutoTime(m_dir, 0));
    QCOMPARE(readBytes(m_dir, u"自動時間.TXT"_s), QByteArray(" 0\r\n"));

    int help = -1, autoTime = -1;
    QString weight, fat, width;
    QVERIFY(ReadHelpTourSetting(m_dir, help));
    QVERIFY(ReadIncrements(m_dir, weight, fat));
    QVERIFY(ReadMovingAverageWidth(m_dir, width));
    QVERIFY(ReadAutoTime(m_dir, autoTime));
    QCOMPARE(help, 1);
    QCOMPARE(weight, u"0.2"_s);
    QCOMPARE(fat, u"0.1"_s);
    QCOMPARE(width, u"10"_s);
    QCOMPARE(autoTime, 0);

    // Names differ only in case: "設定.TXT" is "設定.txt".
    QTemporaryDir other;
    writeBytes(other.path(), u"設定.TXT"_s, line(R"("ヘルプツアー",0)"));
    QVERIFY(ReadHelpTourSetting(other.path(), help));
    QCOMPARE(help, 0);
    QVERIFY(WriteHelpTourSetting(other.path(), 1));
    QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList{u"設定.TXT"_s});
}

void SmallFilesTest::settingsKeepTypedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("0.25") << u"0.25"_s;
    QTest::newRow("0.10 is not 0.1") << u"0.10"_s;
    QTest::newRow("not a number") << u"abc"_s;
    QTest::newRow("width with trailing text") << u"45 回"_s;
}

void SmallFilesTest::settingsKeepTypedText()
{
    QFETCH(QString, typed);
    QVERIFY(WriteIncrements(m_dir, typed, u"0.5"_s));
    QVERIFY(WriteMovingAverageWidth(m_dir, typed));
    QString weight, fat, width;
    QVERIFY(ReadIncrements(m_dir, weight, fat));
    QVERIFY(ReadMovingAverageWidth(m_dir, width));
    QCOMPARE(weight, typed);
    QCOMPARE(fat, u"0.5"_s);
    QCOMPARE(width, typed);
}

void SmallFilesTest::settingsFaults()
{
    int value = 7;
    writeBytes(m_dir, u"自動時間.TXT"_s, "on\r\n");
    StoreStatus status = ReadAutoTime(m_dir, value);
    QVERIFY(!status);
    QCOMPARE(status.fileName, u"自動時間.TXT"_s);
    QCOMPARE(value, 7);

    writeBytes(m_dir, u"体重計刻み.txt"_s, "0.1\r\n");
    QString weight, fat;
    status = ReadIncrements(m_dir, weight, fat);
    QVERIFY(!status);
    QCOMPARE(status.line, 2);

    status = ReadHelpTourSetting(m_dir, value);
    QVERIFY(!status);
    QCOMPARE(status.userText(), u"設定.txt: ファイルがありません"_s);

    QVERIFY(!WriteIncrements(m_dir, u"0.1\n0.2"_s, u"0.1"_s));
    QCOMPARE(readBytes(m_dir, u"体重計刻み.txt"_s), QByteArray("0.1\r\n"));
}

QTEST_GUILESS_MAIN(SmallFilesTest)
#include "tst_smallfiles.moc"
