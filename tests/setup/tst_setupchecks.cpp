#include "setup/setupchecks.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

NewStartInputs Complete()
{
    return {u"花子"_s, u"160"_s,  u"55"_s, u"65.4kg"_s, u"25"_s,          u"1300"_s,
            u"8"_s,    u"40.5"_s, u"95"_s, u"2.6"_s,    u"はじめの一歩"_s};
}

} // namespace

class TestSetupChecks : public QObject
{
    Q_OBJECT

private slots:
    void newStartRefusals_data()
    {
        QTest::addColumn<int>("field"); // the field changed, in NewStartInputs order
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("height empty") << 1 << QString() << u"身長未入力"_s << u"身長が入力されていません"_s;
        QTest::newRow("target empty")
            << 2 << QString() << u"目標体重未入力"_s << u"目標体重が入力されていません"_s;
        QTest::newRow("weight empty")
            << 3 << QString() << u"現体重未入力"_s << u"現在の体重が入力されていません"_s;
        QTest::newRow("fat empty") << 4 << QString() << u"現体脂肪率未入力"_s
                                   << u"現在の体脂肪率が入力されていません"_s;
        QTest::newRow("metabolism empty")
            << 5 << QString() << u"現基礎代謝量未入力"_s << u"現在の基礎代謝量が入力されていません"_s;
        QTest::newRow("visceral empty")
            << 6 << QString() << u"現内臓脂肪レベル未入力"_s << u"現在の内臓脂肪レベルが入力されていません"_s;
        QTest::newRow("muscle empty")
            << 7 << QString() << u"現筋肉量未入力"_s << u"現在の筋肉量が入力されていません"_s;
        QTest::newRow("score empty, muscle's title")
            << 8 << QString() << u"現筋肉量未入力"_s << u"現在の筋肉スコアが入力されていません"_s;
        QTest::newRow("bone empty") << 9 << QString() << u"現骨量未入力"_s
                                    << u"現在の骨量が入力されていません"_s;
        QTest::newRow("status empty")
            << 10 << QString() << u"初回状況（コメント）未入力"_s << u"初回の状況が入力されていません"_s;
        QTest::newRow("height with unit")
            << 1 << u"168cm"_s << u"身長入力エラー"_s << u"身長は半角の数字で入力してください"_s;
        QTest::newRow("height full-width")
            << 1 << u"１６８"_s << u"身長入力エラー"_s << u"身長は半角の数字で入力してください"_s;
        QTest::newRow("target zero") << 2 << u"0"_s << u"目標体重入力エラー"_s
                                     << u"目標体重は半角の数字で入力してください"_s;
        QTest::newRow("metabolism too large")
            << 5 << u"40000"_s << u"入力制限"_s << u"基礎代謝量は-32768～32767の範囲で入力してください"_s;
        QTest::newRow("weight in full-width digits")
            << 3 << u"９０．２"_s << u"数値以外入力"_s << NotANumberText(u"現体重"_s);
        QTest::newRow("fat with a decimal comma")
            << 4 << u"48,5"_s << u"数値以外入力"_s << NotANumberText(u"現体脂肪率"_s);
        QTest::newRow("bone NaN") << 9 << u"NaN"_s << u"数値以外入力"_s << NotANumberText(u"骨量"_s);
        QTest::newRow("name with a quote")
            << 0 << u"花\"子"_s << u"入力文字エラー"_s
            << u"「\"」は保存できない文字です。別の文字に置き換えてください。"_s;
    }
    void newStartRefusals()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        NewStartInputs in = Complete();
        QString *fields[] = {&in.name,     &in.height, &in.target, &in.weight, &in.fat,   &in.metabolism,
                             &in.visceral, &in.muscle, &in.score,  &in.bone,   &in.status};
        *fields[field] = text;
        const std::optional<SaveMessage> refusal = NewStartRefusal(in);
        QVERIFY(refusal);
        QTEST(refusal->title, "title");
        QTEST(refusal->text, "message");
    }

    void newStartValues()
    {
        NewStartInputs in = Complete();
        in.name.clear(); // the name may stay empty
        QVERIFY(!NewStartRefusal(in));
        QCOMPARE(NewStartPersonalData(in), (PersonalData{QString(), 160.0f, 55.0f}));
        const MeasurementRecord r = NewStartRecord(in, QDate(2026, 12, 7));
        QCOMPARE(r.date, u"2026/12/07"_s);
        QCOMPARE(r.weight, 65.4f);
        QCOMPARE(r.basalMetabolism, qint16(1300));
        QCOMPARE(r.status, u"はじめの一歩"_s);
        QVERIFY(r.comment.isEmpty() && r.spare.isEmpty());
    }

    void personalData_data()
    {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("title");
        QTest::newRow("height empty") << QString() << u"60"_s << u"身長未入力"_s;
        QTest::newRow("target empty") << u"160"_s << QString() << u"目標体重未入力"_s;
        QTest::newRow("height letters") << u"abc"_s << u"60"_s << u"身長入力エラー"_s;
        QTest::newRow("target negative") << u"160"_s << u"-5"_s << u"目標体重入力エラー"_s;
        QTest::newRow("fine") << u"160.5"_s << u"60"_s << QString();
    }
    void personalData()
    {
        QFETCH(QString, height);
        QFETCH(QString, target);
        const std::optional<SaveMessage> refusal = PersonalDataRefusal(u"Hanako"_s, height, target);
        QTEST(refusal ? refusal->title : QString(), "title");
        if (refusal && refusal->title != u"入力文字エラー"_s)
            QCOMPARE(refusal->kind, SaveMessage::Kind::Notice);
    }

    void memoMayHoldQuotesAndLineBreaks()
    {
        QVERIFY(!UnstorableMemoMessage(u"\"引用\"\r\n二行目"_s));
        const std::optional<SaveMessage> refusal = UnstorableMemoMessage(u"絵文字😀"_s);
        QVERIFY(refusal);
        QCOMPARE(refusal->text, u"「😀」は保存できない文字です。別の文字に置き換えてください。"_s);
    }
};

QTEST_GUILESS_MAIN(TestSetupChecks)
#include "tst_setupchecks.moc"
