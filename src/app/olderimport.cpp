#include "app/olderimport.h"
#include "entry/entrylogic.h"

#include "base/numbers.h"
#include "shell/dialogs.h"
#include "store/olderfiles.h"

#include <optional>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

// The values asked one by one; none when an answer is empty or a whole
// number does not fit the file.
std::optional<TypedValues> AskValues(QWidget *parent, OlderLayout layout)
{
    struct Question
    {
        QString prompt, title;
        const char16_t *name;
        // A whole-number field: rounded with halves to even, it must fit 16 bits.
        bool whole = false;
    };
    QList<Question> questions;
    const QString blank = u"\r\n\r\n"_s;
    if (layout == OlderLayout::SecondEdition) {
        questions.append({u"Zumazuma☆ダイエット+のデータを検出しました。"_s + blank +
                              u"変換する場合は現在の基礎代謝量を入力してください。"_s,
                          u"基礎代謝量確認"_s, u"基礎代謝量", true});
    } else {
        const QString found = layout == OlderLayout::WeightOnly
                                  ? u"連続体重.txtを検出しました。"_s
                                  : u"Zumazuma☆ダイエットのデータを検出しました。"_s;
        questions.append({found + blank + u"変換する場合は現在の体脂肪率を入力してください。"_s,
                          u"データ変換および体脂肪率確認"_s, u"体脂肪率"});
        questions.append(
            {u"現在の基礎代謝量を入力してください。"_s, u"基礎代謝量確認"_s, u"基礎代謝量", true});
    }
    questions.append(
        {u"現在の内臓脂肪レベルを入力してください。"_s, u"内臓脂肪レベル確認"_s, u"内臓脂肪レベル", true});
    questions.append({u"現在の筋肉量を入力してください。"_s, u"筋肉量確認"_s, u"筋肉量"});
    questions.append({u"現在の筋肉スコアを入力してください。"_s, u"筋肉スコア確認"_s, u"筋肉スコア", true});
    questions.append({u"現在の骨量を入力してください。"_s, u"骨量確認"_s, u"骨量"});

    QList<double> answers;
    for (const Question &q : std::as_const(questions)) {
        const QString answer = Dialogs::Input(parent, q.title, q.prompt);
        if (answer.isEmpty())
            return std::nullopt;
        // An answer that says no number, or an out-of-range whole number, is
        // refused at once; the conversion ends there, nothing written, and the
        // questions come again next time.
        const std::optional<double> value = NumberWithUnit(answer);
        if (!value) {
            Dialogs::Exclamation(parent, u"数値以外入力"_s, NotANumberText(QString::fromUtf16(q.name)));
            return std::nullopt;
        }
        answers.append(*value);
        if (q.whole && !RoundToInt16(*value)) {
            Dialogs::Exclamation(parent, u"入力制限"_s,
                                 QString::fromUtf16(q.name) + u"は-32768～32767の範囲で入力してください"_s);
            return std::nullopt;
        }
    }
    if (layout == OlderLayout::SecondEdition)
        answers.prepend(0); // the body fat comes from each record

    TypedValues typed;
    typed.bodyFat = float(answers[0]);
    typed.basalMetabolism = *RoundToInt16(answers[1]);
    typed.visceralFat = *RoundToInt16(answers[2]);
    typed.muscleMass = float(answers[3]);
    typed.muscleScore = *RoundToInt16(answers[4]);
    typed.boneMass = float(answers[5]);
    return typed;
}

StoreStatus ImportEdition(const QString &dir, QWidget *parent, OlderLayout wanted)
{
    OlderFile file;
    bool found = false;
    if (StoreStatus status = ReadEditionFile(dir, file, found); !status || !found)
        return status;
    if (file.layout != wanted)
        return StoreStatus::success();
    const std::optional<TypedValues> typed = AskValues(parent, file.layout);
    if (!typed)
        return StoreStatus::success();
    return WriteEditionImport(dir, ConvertOlderRecords(file, *typed));
}

} // namespace

StoreStatus ImportWeightOnlyFile(const QString &dir, QWidget *parent)
{
    OlderFile file;
    bool found = false;
    if (StoreStatus status = ReadWeightOnlyFile(dir, file, found); !status || !found)
        return status;
    const std::optional<TypedValues> typed = AskValues(parent, OlderLayout::WeightOnly);
    if (!typed)
        return StoreStatus::success();
    return WriteWeightOnlyImport(dir, ConvertOlderRecords(file, *typed));
}

StoreStatus ImportFirstEditionFile(const QString &dir, QWidget *parent)
{
    if (StoreStatus status = ImportEdition(dir, parent, OlderLayout::FirstEdition); !status)
        return status;
    return ImportSecondEditionFile(dir, parent);
}

StoreStatus ImportSecondEditionFile(const QString &dir, QWidget *parent)
{
    return ImportEdition(dir, parent, OlderLayout::SecondEdition);
}

StoreStatus ImportOlderFiles(const QString &dir, QWidget *parent)
{
    if (StoreStatus status = ImportWeightOnlyFile(dir, parent); !status)
        return status;
    return ImportFirstEditionFile(dir, parent);
}

} // namespace zz
