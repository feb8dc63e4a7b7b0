#include "app/helptexts.h"

namespace zz {

QString HelpFileName()
{
    return QStringLiteral("KaruppaHelp.html");
}

// Each explanation is the panel's lines joined with CR LF. Most end with a
// line end of their own, which leaves a blank line at the bottom of the box;
// the analysis and calendar texts end on their last sentence.
QString HelpTourText(HelpPanel panel)
{
    switch (panel) {
    case HelpPanel::Average:
        return QStringLiteral(
            u"日毎の平均体重をリストとグラフに表示します。\r\n"
            u"\r\n"
            u"表示中の平均データはテキストデータに保存したり、印刷することができます。\r\n");
    case HelpPanel::Analysis:
        return QStringLiteral(
            u"登録されている体重データを元に４つの分析結果を一覧表示します。\r\n"
            u"\r\n"
            u"　・時系列連続体重：体重の推移です。前回との差と初回との差で切り替えができます。\r\n"
            u"\r\n"
            u"　・区切り経過　　　：０．５Ｋｇを区切りとして何日後に達成したかが把握できます。\r\n"
            u"\r\n"
            u"　・体重平均推移　　：体重推移の平均です。停滞期でも下がっていくので励みになります。\r\n"
            u"\r\n"
            u"　・体重推移累積番付：何回その体重区間に滞在したかが把握できます。停滞期も楽しく乗りきれます！"
            u"？\r\n"
            u"\r\n"
            u"\r\n"
            u"これらの情報を利用してダイエットの励みにしましょう。");
    case HelpPanel::Calendar:
        return QStringLiteral(
            u"一日の中で体重増減状況を色で把握できるカレンダーです。\r\n"
            u"\r\n"
            u"体重が減っていれば「緑色」、増減がなければ「黄色」、増えちゃったら「赤色」です。\r\n"
            u"一日の中で１回しか測定しなかった日は「紫色」で表しています。\r\n"
            u"\r\n"
            u"詳細／簡易ボタンで「増えた日/１回測定」と「減った日/増減無し」に切り替えられます\r\n"
            u"\r\n"
            u"赤色以外を増やすようにがんばりましょう！");
    case HelpPanel::Memo:
        return QStringLiteral(
            u"一回一回の測定ごとにちょっとしたコメントを残すことができます。\r\n"
            u"\r\n"
            u"すごく増えちゃった日は言い訳を書いて懺悔？し、スッキリと明日を迎えたり…\r\n"
            u"すごく減った時は褒美の言葉を自分にプレゼントしたり。いろいろ使えると思います。\r\n"
            u"面倒でなければちょっとした食事日記にも使えますね。\r\n"
            u"\r\n"
            u"気付きメモはよりフリーにいろんなことが書き込めます。\r\n"
            u"ご自身のダイエットの極意を書き記したり、ダイエット中に気付いたことを書き留めてもいいと思います"
            u"。\r\n"
            u"\r\n");
    case HelpPanel::WholePeriod:
        return QStringLiteral(
            u"ズマズマダイエットを開始した日から現在までの体重の推移を表示します。\r\n"
            u"\r\n"
            u"青線は入力した体重データそのものです。\r\n"
            u"\r\n"
            u"赤線は１０回分を平均化した移動平均データです。\r\n"
            u"突発的な増減の影響を受けず傾向をつかみやすいグラフになります。\r\n"
            u"\r\n"
            u"「目標まで残り○○Ｋｇ」ボタンを押すとグラフの下限を目標値に切り替えられます。\r\n"
            u"\r\n"
            u"「体」「代」「筋」「骨」ボタンを押すとグラフが切り替わります。\r\n"
            u"\r\n");
    case HelpPanel::Edit:
        return QStringLiteral(
            u"これまでのデータを削除して新規にダイエットをスタートさせたり、各種データの編集を行います。\r\n"
            u"\r\n"
            u"体重と共に登録する状況項目を追加したり、順番の並び替え、削除ができます。\r\n"
            u"\r\n"
            u"ＢＭＩメーターではスクロールバーを可変させることでＢＭＩ値と肥満度をシミュレーションできます。"
            u"\r\n"
            u"\r\n");
    case HelpPanel::Filter:
        return QStringLiteral(u"これまで入力してきたデータを「状況」「曜日」「期間」指定で表示できます。\r\n"
                              u"\r\n"
                              u"「状況」をリストから選択すると、その「状況」のみのデータになります。\r\n"
                              u"　※状況欄に直接任意の語句を入力することができます。（入力後Enter）\r\n"
                              u"\r\n"
                              u"各種曜日ボタンで選択すると指定した曜日でのデータになります。\r\n"
                              u"\r\n"
                              u"「期間」をボタンで選択すると指定した期間でのデータになります。\r\n"
                              u"　※期間のコンボリストで任意に指定することも可能です。\r\n"
                              u"\r\n"
                              u"状況リスト上のボタンを押すと表示情報を切り替えることができます\r\n");
    }
    return {};
}

QStringList WelcomeTourTexts()
{
    return {
        QStringLiteral(
            u"Zumazuma☆ダイエットに興味をもっていただきありがとうございます。(^o^)／\r\n"
            u"\r\n"
            u"このソフトは「体重計乗るだけダイエット」を楽しくサポートするダイエット支援ソフトです。\r\n"
            u"体重や体脂肪率、各種体組成データ、状況を入力するだけの超簡単入力！\r\n"
            u"多彩な表示内容でダイエット意識の継続を促します。 \r\n"
            u"\r\n"
            u"<入力方法>\r\n"
            u"①「状況選択」リストから体重測定時の状況を選択します。\r\n"
            u"\r\n"
            u"②前回のデータが表示されますので↑↓ボタンで今回のデータを指定します。\r\n"
            u"※表示欄に直接入力することもできます。（入力後Enterキーで次の項目へ）\r\n"
            u"\r\n"
            u"③あとはフロッピーアイコン（保存ボタン）をクリックするだけ。\r\n"
            u"\r\n"
            u"リストとグラフに結果が表示されます。\r\n"
            u"\r\n"
            u"左上のフェイスマークはその日での体重変動に連動しています。\r\n"
            u"減っていれば「笑い」、変動なければ「ニコ」、増えたら「ムスッ」です。\r\n"
            u"\r\n"
            u"一日の終わりを「笑い」か「ニコ」で締めくくろう！\r\n"
            u"\r\n"),
        QStringLiteral(u"入力欄左隣の各種見出しラベルをクリックすると表示データを切り替えられます。\r\n"
                       u"\r\n"),
        QStringLiteral(
            u"＜登録が億劫にならず長続きするためのワンポイント＞\r\n"
            u"\r\n"
            u"入力項目が多くて大変…という方は体重、体脂肪ぐらいを毎回記録して、その他のデータは日に１回…\r\n"
            u"あるいは週に１回…のようにしてもいいと思います。\r\n"
            u"\r\n"
            u"内臓脂肪レベル、筋肉スコア、骨量などは大きく変動しないようですので。\r\n"),
    };
}

} // namespace zz
