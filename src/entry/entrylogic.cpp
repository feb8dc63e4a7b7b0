#include "entry/entrylogic.h"

#include "base/cp932.h"
#include "base/numbers.h"

#include <cmath>

namespace zz {

// A weight must stay below 999 kg; a change of 5 kg or 10 points of body fat
// since the measurement the day refers to is asked about before it is saved.
constexpr double WeightLimit = 999;
constexpr double WeightChangeToConfirm = 5;
constexpr double FatChangeToConfirm = 10;

using namespace Qt::StringLiterals;

namespace {

SaveMessage Refusal(const QString &text, const QString &title)
{
    return {SaveMessage::Kind::Refusal, text, title};
}

SaveMessage Question(const QString &text, const QString &title)
{
    return {SaveMessage::Kind::Question, text, title};
}

// True when the entered value lies `threshold` or more away from the previous
// measurement as the user reads both numbers. The stored reference is a float
// (70.1 is 70.09999847...), so it is taken through its decimal text, and the
// difference is settled to nine decimals, far finer than any scale shows, so
// that the residue of binary fractions cannot tip an exact 5 either way.
bool ChangeReaches(float reference, double entered, double threshold)
{
    const double shownReference = LeadingNumber(NumberText(reference));
    const double difference = std::fabs(shownReference - entered);
    return std::round(difference * 1e9) / 1e9 >= threshold;
}

qint16 Int16Field(const QString &text)
{
    return RoundToInt16(LeadingNumber(text)).value_or(0);
}

} // namespace

QString StepFixed(const QString &boxText, double step, int direction)
{
    const double reading = LeadingNumber(boxText);
    return NumberText(direction < 0 ? reading - step : reading + step);
}

std::optional<QString> StepByIncrement(const QString &boxText, const QString &incrementText, int direction)
{
    const std::optional<double> step = WholeNumber(incrementText);
    if (!step)
        return std::nullopt;
    return StepFixed(boxText, *step, direction);
}

QString NotANumberText(const QString &field)
{
    return field + u"に数値を入力してください（半角数字で、小数点は「.」です）"_s;
}

QList<SaveMessage> SaveChecks(const SaveInputs &in)
{
    QList<SaveMessage> messages;
    const auto refuse = [&messages](const QString &text, const QString &title) {
        messages.append(Refusal(text, title));
        return messages;
    };

    if (in.sampleMode)
        return refuse(u"ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"_s,
                      u"新規スタート促し"_s);
    if (in.currentStatus.isEmpty())
        return refuse(u"行動が指定されていません"_s, u"行動未入力"_s);

    if (in.weightText.isEmpty())
        return refuse(u"体重が入力されていません"_s, u"体重未入力"_s);
    if (!WholeNumber(in.weightText))
        return refuse(u"数値を入力してください"_s, u"数値以外入力"_s);
    const double weight = LeadingNumber(in.weightText);
    if (weight <= 0)
        return refuse(u"０以下が入力されています"_s, u"異常入力"_s);
    if (weight >= WeightLimit)
        return refuse(u"９９９以上は入力できません"_s, u"入力制限"_s);
    if (ChangeReaches(in.referenceWeight, weight, WeightChangeToConfirm))
        messages.append(
            Question(u"前回より５Ｋｇ以上の変動がありますが間違いありませんか？"_s, u"異常確認"_s));

    if (in.fatText.isEmpty())
        return refuse(u"体脂肪率が入力されていません"_s, u"体脂肪率未入力"_s);
    if (!WholeNumber(in.fatText))
        return refuse(u"数値を入力してください"_s, u"数値以外入力"_s);
    const double fat = LeadingNumber(in.fatText);
    if (fat < 0)
        return refuse(u"０未満が入力されています"_s, u"異常入力"_s);
    if (ChangeReaches(in.referenceFat, fat, FatChangeToConfirm))
        messages.append(
            Question(u"前回より１０％以上の変動がありますが間違いありませんか？"_s, u"異常確認"_s));

    // The three whole-number fields are 16 bits wide in the file; a value that
    // does not fit is refused rather than stored as something else.
    const struct
    {
        const QString &text;
        QString name;
    } wholeFields[] = {
        {in.metabolismText, u"基礎代謝量"_s},
        {in.visceralText, u"内臓脂肪レベル"_s},
        {in.scoreText, u"筋肉スコア"_s},
    };
    // The other boxes may stay empty (0); what they hold must say its number.
    const struct
    {
        const QString &text;
        QString name;
    } numberFields[] = {
        {in.metabolismText, u"基礎代謝量"_s},
        {in.visceralText, u"内臓脂肪レベル"_s},
        {in.muscleText, u"筋肉量"_s},
        {in.scoreText, u"筋肉スコア"_s},
        {in.boneText, u"骨量"_s},
    };
    for (const auto &field : numberFields)
        if (!field.text.trimmed().isEmpty() && !NumberWithUnit(field.text))
            return refuse(NotANumberText(field.name), u"数値以外入力"_s);
    for (const auto &field : wholeFields) {
        if (!RoundToInt16(LeadingNumber(field.text)))
            return refuse(field.name + u"は-32768～32767の範囲で入力してください"_s, u"入力制限"_s);
    }
    return messages;
}

MeasurementRecord RecordFromEntry(const SaveInputs &in, const QString &date)
{
    MeasurementRecord r;
    r.date = date;
    r.status = in.currentStatus;
    r.weight = float(LeadingNumber(in.weightText));
    r.bodyFat = float(LeadingNumber(in.fatText));
    r.basalMetabolism = Int16Field(in.metabolismText);
    r.visceralFat = Int16Field(in.visceralText);
    r.muscleMass = float(LeadingNumber(in.muscleText));
    r.muscleScore = Int16Field(in.scoreText);
    r.boneMass = float(LeadingNumber(in.boneText));
    return r;
}

bool SaveTakesInsertPath(const QString &lastRecordDate, const QString &date)
{
    return lastRecordDate > date;
}

std::optional<SaveMessage> UnstorableStatusMessage(const QString &status)
{
    const QString bad = FirstUnstorableCharacter(status);
    if (bad.isEmpty())
        return std::nullopt;
    return Refusal(u"「"_s + bad + u"」は保存できない文字です。別の文字に置き換えてください。"_s,
                   u"入力文字エラー"_s);
}

int IncrementOptionIndex(const QString &incrementText)
{
    if (incrementText == u"0.1"_s)
        return 1;
    if (incrementText == u"0.2"_s)
        return 2;
    if (incrementText == u"0.5"_s)
        return 3;
    return 0;
}

QString IncrementForOption(int index)
{
    switch (index) {
    case 1: return u"0.1"_s;
    case 2: return u"0.2"_s;
    case 3: return u"0.5"_s;
    default: return {};
    }
}

bool MovingAverageWidthAccepted(const QString &widthText)
{
    const double width = LeadingNumber(widthText);
    return width >= 1 && std::floor(width) == width;
}

} // namespace zz
