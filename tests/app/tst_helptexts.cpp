#include "app/helptexts.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zz::HelpPanel)

namespace {
const QString CrLf = u"\r\n"_s;
}

class TestHelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void panelTexts_data();
    void panelTexts();
    void welcomeBoxes();
};

void TestHelpTexts::panelTexts_data()
{
    QTest::addColumn<HelpPanel>("panel");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("endsWithLineEnd");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("lastLine");

    QTest::newRow("daily averages")
        << HelpPanel::Average << 3 << true << u"日毎の平均体重をリストとグラフに表示します。"_s
        << u"表示中の平均データはテキストデータに保存したり、印刷することができます。"_s;
    QTest::newRow("analyses") << HelpPanel::Analysis << 12 << false
                              << u"登録されている体重データを元に４つの分析結果を一覧表示します。"_s
                              << u"これらの情報を利用してダイエットの励みにしましょう。"_s;
    QTest::newRow("calendar") << HelpPanel::Calendar << 8 << false
                              << u"一日の中で体重増減状況を色で把握できるカレンダーです。"_s
                              << u"赤色以外を増やすようにがんばりましょう！"_s;
    QTest::newRow("one-line diary") << HelpPanel::Memo << 9 << true
                                    << u"一回一回の測定ごとにちょっとしたコメントを残すことができます。"_s
                                    << QString();
    QTest::newRow("whole period") << HelpPanel::WholePeriod << 11 << true
                                  << u"ズマズマダイエットを開始した日から現在までの体重の推移を表示します。"_s
                                  << QString();
    QTest::newRow("edit")
        << HelpPanel::Edit << 6 << true
        << u"これまでのデータを削除して新規にダイエットをスタートさせたり、各種データの編集を行います。"_s
        << QString();
    QTest::newRow("filtered views")
        << HelpPanel::Filter << 11 << true
        << u"これまで入力してきたデータを「状況」「曜日」「期間」指定で表示できます。"_s
        << u"状況リスト上のボタンを押すと表示情報を切り替えることができます"_s;
}

void TestHelpTexts::panelTexts()
{
    QFETCH(HelpPanel, panel);
    QFETCH(int, lines);
    QFETCH(bool, endsWithLineEnd);
    QFETCH(QString, firstLine);
    QFETCH(QString, lastLine);

    const QString text = HelpTourText(panel);
    QCOMPARE(text.endsWith(CrLf), endsWithLineEnd);
    QStringList split = text.split(CrLf);
    if (endsWithLineEnd)
        split.removeLast();
    QCOMPARE(split.size(), lines);
    QCOMPARE(split.first(), firstLine);
    QCOMPARE(split.last(), lastLine);
    // Every line break is a CR LF pair.
    QCOMPARE(text.count(u'\n'), text.count(CrLf));
    QCOMPARE(text.count(u'\r'), text.count(CrLf));
}

void TestHelpTexts::welcomeBoxes()
{
    const QStringList boxes = WelcomeTourTexts();
    QCOMPARE(boxes.size(), 3);

    const QStringList first = boxes.at(0).split(CrLf);
    QCOMPARE(first.size(), 22); // 21 lines, each ending with CR LF
    QCOMPARE(first.at(0), u"Zumazuma☆ダイエットに興味をもっていただきありがとうございます。(^o^)／"_s);
    QCOMPARE(first.at(4), u"多彩な表示内容でダイエット意識の継続を促します。 "_s);
    QCOMPARE(first.at(6), u"<入力方法>"_s);
    QCOMPARE(first.at(19), u"一日の終わりを「笑い」か「ニコ」で締めくくろう！"_s);
    QVERIFY(first.at(20).isEmpty());
    QVERIFY(first.at(21).isEmpty());

    QCOMPARE(boxes.at(1),
             u"入力欄左隣の各種見出しラベルをクリックすると表示データを切り替えられます。\r\n\r\n"_s);

    QVERIFY(boxes.at(2).startsWith(u"＜登録が億劫にならず長続きするためのワンポイント＞\r\n\r\n"_s));
    QVERIFY(boxes.at(2).endsWith(
        u"\r\n\r\n内臓脂肪レベル、筋肉スコア、骨量などは大きく変動しないようですので。\r\n"_s));
    QCOMPARE(boxes.at(2).count(CrLf), 6);
}

QTEST_APPLESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
