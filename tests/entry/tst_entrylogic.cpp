#include "entry/entrylogic.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

SaveInputs Valid()
{
    SaveInputs in;
    in.currentStatus = u"朝"_s;
    in.weightText = u"65.4"_s;
    in.fatText = u"22.5"_s;
    in.metabolismText = u"1350"_s;
    in.visceralText = u"9"_s;
    in.muscleText = u"38.2"_s;
    in.scoreText = u"90"_s;
    in.boneText = u"2.8"_s;
    in.referenceWeight = 65.6f;
    in.referenceFat = 22.0f;
    return in;
}

SaveMessage Refusal(const QString &text, const QString &title)
{
    return {SaveMessage::Kind::Refusal, text, title};
}

const SaveMessage Sample = Refusal(
    u"ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"_s, u"新規スタート促し"_s);
const SaveMessage NoStatus = Refusal(u"行動が指定されていません"_s, u"行動未入力"_s);
const SaveMessage NoWeight = Refusal(u"体重が入力されていません"_s, u"体重未入力"_s);
const SaveMessage NotANumber = Refusal(u"数値を入力してください"_s, u"数値以外入力"_s);
const SaveMessage WeightNotPositive = Refusal(u"０以下が入力されています"_s, u"異常入力"_s);
const SaveMessage WeightTooLarge = Refusal(u"９９９以上は入力できません"_s, u"入力制限"_s);
const SaveMessage WeightChange{SaveMessage::Kind::Question,
                               u"前回より５Ｋｇ以上の変動がありますが間違いありませんか？"_s, u"異常確認"_s};
const SaveMessage NoFat = Refusal(u"体脂肪率が入力されていません"_s, u"体脂肪率未入力"_s);
const SaveMessage FatNegative = Refusal(u"０未満が入力されています"_s, u"異常入力"_s);
const SaveMessage FatChange{SaveMessage::Kind::Question,
                            u"前回より１０％以上の変動がありますが間違いありませんか？"_s, u"異常確認"_s};

SaveMessage OutOfRange(const QString &name)
{
    return Refusal(name + u"は-32768～32767の範囲で入力してください"_s, u"入力制限"_s);
}

} // namespace

class TestEntryLogic : public QObject
{
    Q_OBJECT

private slots:
    void stepFixed_data();
    void stepFixed();
    void stepByIncrement_data();
    void stepByIncrement();
    void threeWeightStepsOfTwoTenths();
    void saveChecks_data();
    void saveChecks();
    void recordFromEntry_data();
    void recordFromEntry();
    void insertPath_data();
    void insertPath();
    void unstorableStatus_data();
    void unstorableStatus();
    void incrementOptions_data();
    void incrementOptions();
    void movingAverageWidth_data();
    void movingAverageWidth();
};

void TestEntryLogic::stepFixed_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("result");

    QTest::newRow("65.4 + 0.1 without residue") << u"65.4"_s << 0.1 << 1 << u"65.5"_s;
    QTest::newRow("muscle 0.1 down to 0") << u"0.1"_s << 0.1 << -1 << u"0"_s;
    QTest::newRow("muscle 0 down to -0.1") << u"0"_s << 0.1 << -1 << u"-0.1"_s;
    QTest::newRow("abc up reads 0") << u"abc"_s << 1.0 << 1 << u"1"_s;
    QTest::newRow("12abc up reads 12") << u"12abc"_s << 1.0 << 1 << u"13"_s;
    QTest::newRow("empty up gives the step") << u""_s << 0.1 << 1 << u"0.1"_s;
    QTest::newRow("0 down by 1") << u"0"_s << 1.0 << -1 << u"-1"_s;
    QTest::newRow("no snapping to the step grid") << u"65.43"_s << 0.1 << 1 << u"65.53"_s;
    QTest::newRow("leading blanks and unit") << u"  65.4kg"_s << 0.1 << -1 << u"65.3"_s;
}

void TestEntryLogic::stepFixed()
{
    QFETCH(QString, box);
    QFETCH(double, step);
    QFETCH(int, direction);
    QFETCH(QString, result);
    QCOMPARE(StepFixed(box, step, direction), result);
}

void TestEntryLogic::stepByIncrement_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("increment");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("result"); // empty: the box stays as it is

    QTest::newRow("0.5 down") << u"65"_s << u"0.5"_s << -1 << u"64.5"_s;
    QTest::newRow("typed 0.25 up") << u"20"_s << u"0.25"_s << 1 << u"20.25"_s;
    QTest::newRow("increment with blanks") << u"20"_s << u" 0.2 "_s << 1 << u"20.2"_s;
    QTest::newRow("increment not a number") << u"20"_s << u"abc"_s << 1 << QString();
    QTest::newRow("increment with a unit") << u"20"_s << u"0.2kg"_s << 1 << QString();
    QTest::newRow("increment empty") << u"20"_s << u""_s << -1 << QString();
}

void TestEntryLogic::stepByIncrement()
{
    QFETCH(QString, box);
    QFETCH(QString, increment);
    QFETCH(int, direction);
    QFETCH(QString, result);

    const std::optional<QString> stepped = StepByIncrement(box, increment, direction);
    QCOMPARE(stepped.has_value(), !result.isEmpty());
    if (stepped)
        QCOMPARE(*stepped, result);
}

void TestEntryLogic::threeWeightStepsOfTwoTenths()
{
    QString box = u"64.8"_s;
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        box = StepByIncrement(box, u"0.2"_s, 1).value_or(QString());
        shown << box;
    }
    QCOMPARE(shown, (QStringList{u"65"_s, u"65.2"_s, u"65.4"_s}));
}

void TestEntryLogic::saveChecks_data()
{
    QTest::addColumn<SaveInputs>("inputs");
    QTest::addColumn<QList<SaveMessage>>("messages");

    SaveInputs in = Valid();
    QTest::newRow("valid entry saves without a message") << in << QList<SaveMessage>{};

    in = Valid();
    in.sampleMode = true;
    in.currentStatus.clear();
    QTest::newRow("sample diary comes first") << in << QList<SaveMessage>{Sample};

    in = Valid();
    in.currentStatus.clear();
    in.weightText.clear();
    QTest::newRow("no status") << in << QList<SaveMessage>{NoStatus};

    in = Valid();
    in.weightText.clear();
    QTest::newRow("weight empty") << in << QList<SaveMessage>{NoWeight};

    in = Valid();
    in.weightText = u"65kg"_s;
    QTest::newRow("weight 65kg is not a number") << in << QList<SaveMessage>{NotANumber};

    in = Valid();
    in.weightText = u"0"_s;
    QTest::newRow("weight 0") << in << QList<SaveMessage>{WeightNotPositive};

    in = Valid();
    in.weightText = u"-1"_s;
    QTest::newRow("weight negative") << in << QList<SaveMessage>{WeightNotPositive};

    in = Valid();
    in.weightText = u"999"_s;
    QTest::newRow("weight 999") << in << QList<SaveMessage>{WeightTooLarge};

    in = Valid();
    in.weightText = u"998.9"_s;
    in.referenceWeight = 998.0f;
    QTest::newRow("weight 998.9 accepted") << in << QList<SaveMessage>{};

    in = Valid();
    in.weightText = u"65"_s;
    in.referenceWeight = 70.0f;
    QTest::newRow("exactly 5 kg down asks") << in << QList<SaveMessage>{WeightChange};

    in = Valid();
    in.weightText = u"75.2"_s;
    in.referenceWeight = 70.2f;
    QTest::newRow("exactly 5 kg up from a fractional reference asks")
        << in << QList<SaveMessage>{WeightChange};

    in = Valid();
    in.weightText = u"65.1"_s;
    in.referenceWeight = 70.1f;
    QTest::newRow("exactly 5 kg down from a fractional reference asks")
        << in << QList<SaveMessage>{WeightChange};

    in = Valid();
    in.weightText = u"65.11"_s;
    in.referenceWeight = 70.1f;
    QTest::newRow("just below 5 kg does not ask") << in << QList<SaveMessage>{};

    in = Valid();
    in.weightText = u"75.19"_s;
    in.referenceWeight = 70.2f;
    QTest::newRow("just below 5 kg up does not ask") << in << QList<SaveMessage>{};

    in = Valid();
    in.weightText = u"65"_s;
    in.referenceWeight = 70.0f;
    in.fatText.clear();
    QTest::newRow("fat empty after the weight question") << in << QList<SaveMessage>{WeightChange, NoFat};

    in = Valid();
    in.fatText = u"abc"_s;
    QTest::newRow("fat not a number") << in << QList<SaveMessage>{NotANumber};

    in = Valid();
    in.fatText = u"0"_s;
    in.referenceFat = 5.0f;
    QTest::newRow("fat 0 accepted") << in << QList<SaveMessage>{};

    in = Valid();
    in.fatText = u"-1"_s;
    QTest::newRow("fat -1") << in << QList<SaveMessage>{FatNegative};

    in = Valid();
    in.fatText = u"30.2"_s;
    in.referenceFat = 20.2f;
    QTest::newRow("exactly 10 points asks") << in << QList<SaveMessage>{FatChange};

    in = Valid();
    in.fatText = u"30.19"_s;
    in.referenceFat = 20.2f;
    QTest::newRow("just below 10 points does not ask") << in << QList<SaveMessage>{};

    in = Valid();
    in.weightText = u"80"_s;
    in.fatText = u"35"_s;
    QTest::newRow("both questions in order") << in << QList<SaveMessage>{WeightChange, FatChange};

    in = Valid();
    in.metabolismText = u"40000"_s;
    QTest::newRow("metabolism too large") << in << QList<SaveMessage>{OutOfRange(u"基礎代謝量"_s)};

    in = Valid();
    in.visceralText = u"-32769"_s;
    QTest::newRow("visceral fat too small") << in << QList<SaveMessage>{OutOfRange(u"内臓脂肪レベル"_s)};

    in = Valid();
    in.scoreText = u"32767.5"_s;
    QTest::newRow("score rounding to 32768") << in << QList<SaveMessage>{OutOfRange(u"筋肉スコア"_s)};

    in = Valid();
    in.metabolismText = u"32767.4"_s;
    in.visceralText = u"-32768"_s;
    QTest::newRow("limits themselves accepted") << in << QList<SaveMessage>{};

    in = Valid();
    in.visceralText = u"99999"_s;
    in.scoreText = u"99999"_s;
    QTest::newRow("first out-of-range box is named")
        << in << QList<SaveMessage>{OutOfRange(u"内臓脂肪レベル"_s)};

    in = Valid();
    in.fatText = u"-1"_s;
    in.metabolismText = u"40000"_s;
    QTest::newRow("range checked after the fat checks") << in << QList<SaveMessage>{FatNegative};

    in = Valid();
    in.metabolismText.clear();
    in.visceralText.clear();
    in.muscleText = u" 45.2kg"_s;
    in.scoreText = u"95点"_s;
    in.boneText.clear();
    QTest::newRow("other boxes empty, or a number with its unit") << in << QList<SaveMessage>{};

    // What does not say its number is refused, naming the box, before anything is stored.
    const auto notANumber = [](const QString &field) {
        return SaveMessage{SaveMessage::Kind::Refusal, NotANumberText(field), u"数値以外入力"_s};
    };
    const struct
    {
        const char *row;
        QString SaveInputs::*box;
        QString text, field;
    } refused[] = {
        {"full-width digits", &SaveInputs::muscleText, u"６０．５"_s, u"筋肉量"_s},
        {"a decimal comma", &SaveInputs::boneText, u"2,8"_s, u"骨量"_s},
        {"NaN", &SaveInputs::metabolismText, u"NaN"_s, u"基礎代謝量"_s},
        {"letters", &SaveInputs::visceralText, u"abc"_s, u"内臓脂肪レベル"_s},
        {"two numbers", &SaveInputs::scoreText, u"95.1.2"_s, u"筋肉スコア"_s},
    };
    for (const auto &r : refused) {
        in = Valid();
        in.*r.box = r.text;
        QTest::newRow(r.row) << in << QList<SaveMessage>{notANumber(r.field)};
    }
}

void TestEntryLogic::saveChecks()
{
    QFETCH(SaveInputs, inputs);
    QFETCH(QList<SaveMessage>, messages);
    QCOMPARE(SaveChecks(inputs), messages);
}

void TestEntryLogic::recordFromEntry_data()
{
    QTest::addColumn<QString>("metabolism");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("muscle");
    QTest::addColumn<qint16>("storedMetabolism");
    QTest::addColumn<qint16>("storedScore");
    QTest::addColumn<float>("storedMuscle");

    QTest::newRow("1350.5 to even below")
        << u"1350.5"_s << u"90"_s << u"38.2"_s << qint16(1350) << qint16(90) << 38.2f;
    QTest::newRow("1351.5 to even above")
        << u"1351.5"_s << u"90"_s << u"38.2"_s << qint16(1352) << qint16(90) << 38.2f;
    QTest::newRow("empty score is 0")
        << u"1350"_s << u""_s << u"38.2"_s << qint16(1350) << qint16(0) << 38.2f;
    QTest::newRow("leading numbers") << u"1350kcal"_s << u"-2.5"_s << u"38.2Kg"_s << qint16(1350)
                                     << qint16(-2) << 38.2f;
    QTest::newRow("text is 0") << u"abc"_s << u"x"_s << u"kg"_s << qint16(0) << qint16(0) << 0.0f;
}

void TestEntryLogic::recordFromEntry()
{
    QFETCH(QString, metabolism);
    QFETCH(QString, score);
    QFETCH(QString, muscle);
    QFETCH(qint16, storedMetabolism);
    QFETCH(qint16, storedScore);
    QFETCH(float, storedMuscle);

    SaveInputs in = Valid();
    in.metabolismText = metabolism;
    in.scoreText = score;
    in.muscleText = muscle;
    const MeasurementRecord r = RecordFromEntry(in, u"2004/03/28"_s);
    QCOMPARE(r.date, u"2004/03/28"_s);
    QCOMPARE(r.status, u"朝"_s);
    QCOMPARE(r.weight, 65.4f);
    QCOMPARE(r.bodyFat, 22.5f);
    QCOMPARE(r.basalMetabolism, storedMetabolism);
    QCOMPARE(r.visceralFat, qint16(9));
    QCOMPARE(r.muscleMass, storedMuscle);
    QCOMPARE(r.muscleScore, storedScore);
    QCOMPARE(r.boneMass, 2.8f);
    QVERIFY(r.comment.isEmpty());
    QVERIFY(r.spare.isEmpty());
}

void TestEntryLogic::insertPath_data()
{
    QTest::addColumn<QString>("lastRecordDate");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("insert");

    QTest::newRow("earlier day is inserted") << u"2004/03/28"_s << u"2004/03/27"_s << true;
    QTest::newRow("same day is appended") << u"2004/03/28"_s << u"2004/03/28"_s << false;
    QTest::newRow("later day is appended") << u"2004/03/28"_s << u"2004/04/01"_s << false;
    QTest::newRow("year compares first") << u"2004/01/01"_s << u"2003/12/31"_s << true;
}

void TestEntryLogic::insertPath()
{
    QFETCH(QString, lastRecordDate);
    QFETCH(QString, date);
    QFETCH(bool, insert);
    QCOMPARE(SaveTakesInsertPath(lastRecordDate, date), insert);
}

void TestEntryLogic::unstorableStatus_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("named"); // empty: storable

    QTest::newRow("ordinary status") << u"朝食後"_s << QString();
    QTest::newRow("clock time") << u"7:42:10"_s << QString();
    QTest::newRow("double quote") << u"朝\"食後"_s << u"\""_s;
    QTest::newRow("line feed") << u"朝\n夜"_s << u"改行"_s;
    QTest::newRow("carriage return") << u"朝\r"_s << u"改行"_s;
    QTest::newRow("character outside code page 932") << u"朝é"_s << u"é"_s;
}

void TestEntryLogic::unstorableStatus()
{
    QFETCH(QString, status);
    QFETCH(QString, named);

    const std::optional<SaveMessage> message = UnstorableStatusMessage(status);
    QCOMPARE(message.has_value(), !named.isEmpty());
    if (message) {
        QCOMPARE(message->kind, SaveMessage::Kind::Refusal);
        QCOMPARE(message->text,
                 u"「"_s + named + u"」は保存できない文字です。別の文字に置き換えてください。"_s);
        QCOMPARE(message->title, u"入力文字エラー"_s);
    }
}

void TestEntryLogic::incrementOptions_data()
{
    QTest::addColumn<QString>("increment");
    QTest::addColumn<int>("option");

    QTest::newRow("0.1") << u"0.1"_s << 1;
    QTest::newRow("0.2") << u"0.2"_s << 2;
    QTest::newRow("0.5") << u"0.5"_s << 3;
    QTest::newRow("0.25 is free") << u"0.25"_s << 0;
    QTest::newRow("0.10 compares as text") << u"0.10"_s << 0;
    QTest::newRow(".5 compares as text") << u".5"_s << 0;
    QTest::newRow("empty") << u""_s << 0;
}

void TestEntryLogic::incrementOptions()
{
    QFETCH(QString, increment);
    QFETCH(int, option);
    QCOMPARE(IncrementOptionIndex(increment), option);
    if (option > 0)
        QCOMPARE(IncrementForOption(option), increment);
}

void TestEntryLogic::movingAverageWidth_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("10") << u"10"_s << true;
    QTest::newRow("1") << u"1"_s << true;
    QTest::newRow("45 beyond the list") << u"45"_s << true;
    QTest::newRow("text after the number") << u"12回"_s << true;
    QTest::newRow("0") << u"0"_s << false;
    QTest::newRow("negative") << u"-3"_s << false;
    QTest::newRow("fraction") << u"2.5"_s << false;
    QTest::newRow("below 1") << u"0.5"_s << false;
    QTest::newRow("no number") << u"abc"_s << false;
    QTest::newRow("empty") << u""_s << false;
}

void TestEntryLogic::movingAverageWidth()
{
    QFETCH(QString, width);
    QFETCH(bool, accepted);
    QCOMPARE(MovingAverageWidthAccepted(width), accepted);
}

QTEST_APPLESS_MAIN(TestEntryLogic)
#include "tst_entrylogic.moc"
