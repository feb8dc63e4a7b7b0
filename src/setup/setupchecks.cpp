#include "setup/setupchecks.h"
#include "base/storeddate.h"

#include "base/cp932.h"
#include "base/numbers.h"

namespace zz {

using namespace Qt::StringLiterals;

namespace {

SaveMessage Information(const QString &text, const QString &title)
{
    // Refusals of the edit panel carry the information icon.
    return {SaveMessage::Kind::Notice, text, title};
}

// Height and target: a positive number written as a whole.
std::optional<SaveMessage> NumberRefusal(const QString &height, const QString &target)
{
    const auto positive = [](const QString &text) {
        const std::optional<float> value = WholeNumberAsFloat(text);
        return value && *value > 0;
    };
    if (!positive(height))
        return Information(u"身長は半角の数字で入力してください"_s, u"身長入力エラー"_s);
    if (!positive(target))
        return Information(u"目標体重は半角の数字で入力してください"_s, u"目標体重入力エラー"_s);
    return std::nullopt;
}

} // namespace

std::optional<SaveMessage> NewStartRefusal(const NewStartInputs &in)
{
    const struct
    {
        const QString &text;
        const char16_t *message, *title;
    } required[] = {
        {in.height, u"身長が入力されていません", u"身長未入力"},
        {in.target, u"目標体重が入力されていません", u"目標体重未入力"},
        {in.weight, u"現在の体重が入力されていません", u"現体重未入力"},
        {in.fat, u"現在の体脂肪率が入力されていません", u"現体脂肪率未入力"},
        {in.metabolism, u"現在の基礎代謝量が入力されていません", u"現基礎代謝量未入力"},
        {in.visceral, u"現在の内臓脂肪レベルが入力されていません", u"現内臓脂肪レベル未入力"},
        {in.muscle, u"現在の筋肉量が入力されていません", u"現筋肉量未入力"},
        {in.score, u"現在の筋肉スコアが入力されていません", u"現筋肉量未入力"},
        {in.bone, u"現在の骨量が入力されていません", u"現骨量未入力"},
        {in.status, u"初回の状況が入力されていません", u"初回状況（コメント）未入力"},
    };
    for (const auto &box : required)
        if (box.text.isEmpty())
            return Information(QString::fromUtf16(box.message), QString::fromUtf16(box.title));
    if (auto refusal = NumberRefusal(in.height, in.target))
        return refusal;
    const struct
    {
        const QString &text;
        const char16_t *name;
    } numberFields[] = {{in.weight, u"現体重"},
                        {in.fat, u"現体脂肪率"},
                        {in.metabolism, u"基礎代謝量"},
                        {in.visceral, u"内臓脂肪レベル"},
                        {in.muscle, u"筋肉量"},
                        {in.score, u"筋肉スコア"},
                        {in.bone, u"骨量"}};
    for (const auto &field : numberFields)
        if (!NumberWithUnit(field.text))
            return SaveMessage{SaveMessage::Kind::Refusal, NotANumberText(QString::fromUtf16(field.name)),
                               u"数値以外入力"_s};
    const struct
    {
        const QString &text;
        const char16_t *name;
    } wholeFields[] = {
        {in.metabolism, u"基礎代謝量"}, {in.visceral, u"内臓脂肪レベル"}, {in.score, u"筋肉スコア"}};
    for (const auto &field : wholeFields)
        if (!RoundToInt16(LeadingNumber(field.text)))
            return SaveMessage{SaveMessage::Kind::Refusal,
                               QString::fromUtf16(field.name) + u"は-32768～32767の範囲で入力してください"_s,
                               u"入力制限"_s};
    for (const QString &text : {in.name, in.status})
        if (auto refusal = UnstorableStatusMessage(text))
            return refusal;
    return std::nullopt;
}

PersonalData NewStartPersonalData(const NewStartInputs &in)
{
    return {in.name, WholeNumberAsFloat(in.height).value_or(0), WholeNumberAsFloat(in.target).value_or(0)};
}

MeasurementRecord NewStartRecord(const NewStartInputs &in, const QDate &today)
{
    MeasurementRecord r;
    r.date = StoredDateText(today);
    r.status = in.status;
    r.weight = float(LeadingNumber(in.weight));
    r.bodyFat = float(LeadingNumber(in.fat));
    r.basalMetabolism = RoundToInt16(LeadingNumber(in.metabolism)).value_or(0);
    r.visceralFat = RoundToInt16(LeadingNumber(in.visceral)).value_or(0);
    r.muscleMass = float(LeadingNumber(in.muscle));
    r.muscleScore = RoundToInt16(LeadingNumber(in.score)).value_or(0);
    r.boneMass = float(LeadingNumber(in.bone));
    return r;
}

std::optional<SaveMessage> PersonalDataRefusal(const QString &name, const QString &height,
                                               const QString &target)
{
    if (height.isEmpty())
        return Information(u"身長が入力されていません"_s, u"身長未入力"_s);
    if (target.isEmpty())
        return Information(u"目標体重が入力されていません"_s, u"目標体重未入力"_s);
    if (auto refusal = NumberRefusal(height, target))
        return refusal;
    return UnstorableStatusMessage(name);
}

std::optional<SaveMessage> UnstorableMemoMessage(const QString &memo)
{
    QByteArray ignored;
    QString bad;
    for (const QChar c : memo)
        if ((c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c.unicode() == 0x7f)
            bad = QStringLiteral("制御文字");
    if (bad.isEmpty() && EncodeCp932(memo, ignored, &bad))
        return std::nullopt;
    return SaveMessage{SaveMessage::Kind::Refusal,
                       u"「"_s + bad + u"」は保存できない文字です。別の文字に置き換えてください。"_s,
                       u"入力文字エラー"_s};
}

} // namespace zz
