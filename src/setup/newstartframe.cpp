#include "setup/newstartframe.h"

#include "base/clock.h"
#include "setup/setupchecks.h"
#include "shell/dialogs.h"
#include "shell/eventhooks.h"
#include "store/newstart.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

struct NewStartBox
{
    const char16_t *name, *label, *unit;
};
constexpr NewStartBox kBoxes[] = {
    {u"txtPriData1", u"名前", u"※空欄可"},      {u"txtSincyou1", u"身長", u"ｃｍ"},
    {u"txtMokuTai1", u"目標体重", u"Ｋｇ"},     {u"txtNowTai", u"現体重", u"Ｋｇ"},
    {u"txtNowShi", u"現体脂肪率", u"％"},       {u"txtNowTaisya", u"現基礎代謝量", u"Kcal/日"},
    {u"txtNowNaizo", u"現内臓脂肪レベル", u""}, {u"txtNowKinr", u"現筋肉量", u"Ｋｇ"},
    {u"txtNowKins", u"現筋肉スコア", u""},      {u"txtNowKotu", u"現骨量", u"Ｋｇ"},
    {u"txtNowJyou", u"初期状況", u""},
};

} // namespace

NewStartFrame::NewStartFrame(PanelHost &host, QWidget *parent)
    : QGroupBox(u"新規スタート登録枠"_s, parent), m_host(host)
{
    setObjectName(u"fraNew"_s);
    auto *layout = new QGridLayout(this);
    layout->setVerticalSpacing(3);
    layout->addWidget(new QLabel(u"※データは半角文字で入力"_s), 0, 0, 1, 3);
    int row = 1;
    for (const NewStartBox &entry : kBoxes) {
        auto *box = new QLineEdit;
        box->setObjectName(QString::fromUtf16(entry.name));
        box->setMaximumWidth(150);
        layout->addWidget(new QLabel(QString::fromUtf16(entry.label)), row, 0);
        layout->addWidget(box, row, 1);
        layout->addWidget(new QLabel(QString::fromUtf16(entry.unit)), row, 2);
        m_boxes.append(box);
        ++row;
    }
    m_boxes.last()->setText(u"はじめの一歩"_s);

    cmdStHozon = new QPushButton(u"新規登録"_s);
    cmdStHozon->setObjectName(u"cmdStHozon"_s);
    cmdStHozon->setAutoDefault(true);
    auto *cmdYame = new QPushButton(u"キャンセル"_s);
    cmdYame->setObjectName(u"cmdYame"_s);
    layout->addWidget(cmdStHozon, row, 0);
    layout->addWidget(cmdYame, row, 1);
    connect(cmdStHozon, &QPushButton::clicked, this, [this] { cmdStHozon_Click(); });
    connect(cmdYame, &QPushButton::clicked, this, [this] { cmdYame_Click(); });

    // Enter always moves on, from the last box to the button.
    for (int i = 0; i < m_boxes.size(); ++i) {
        QWidget *next = i + 1 < m_boxes.size() ? static_cast<QWidget *>(m_boxes[i + 1]) : cmdStHozon;
        OnEnter(m_boxes[i], [next] { next->setFocus(Qt::TabFocusReason); });
        setTabOrder(m_boxes[i], next);
    }
    setVisible(false);
}

void NewStartFrame::Open()
{
    for (int i = 0; i + 1 < m_boxes.size(); ++i)
        m_boxes[i]->clear();
    setVisible(true);
    Dialogs::Information(
        this, u"データを登録しましょう"_s,
        u"新規にズマズマダイエットをスタートさせます。\r\n\r\n"
        u"あなたの名前（ニックネーム）を入力してください。フォームのタイトルに反映されます。\r\n"
        u"※入力は必須ではありません。空欄だとタイトルに名前が入らないだけです。\r\n\r\n"
        u"身長と目標体重を半角文字で入力してください。（※必須です）\r\n\r\n"
        u"現在（スタート時）の体重を入力してください。（※必須です）\r\n\r\n"
        u"現在（スタート時）の体脂肪率を入力してください。（※必須です）\r\n\r\n"
        u"同様にその他のデータを入力してください。（※必須です）\r\n\r\n"
        u"初期の状況として記録したい言葉を入力してください。\r\n"
        u"デフォルトでは「はじめの一歩」と入れていますが自由に変更できます。（※必須です）\r\n\r\n"
        u"入力し準備ができたら新規登録ボタンを押してください。\r\n"_s);
    m_boxes.first()->setFocus(Qt::OtherFocusReason);
}

void NewStartFrame::cmdStHozon_Click()
{
    NewStartInputs in;
    QString *fields[] = {&in.name,     &in.height, &in.target, &in.weight, &in.fat,   &in.metabolism,
                         &in.visceral, &in.muscle, &in.score,  &in.bone,   &in.status};
    for (int i = 0; i < m_boxes.size(); ++i)
        *fields[i] = m_boxes[i]->text();
    if (const std::optional<SaveMessage> refusal = NewStartRefusal(in)) {
        Dialogs::ShowRefusal(this, *refusal);
        return;
    }
    if (!Dialogs::AskOkCancel(this, u"クリア確認"_s, u"入力した内容でデータを作ります。よろしいですか？"_s))
        return;
    const PersonalData personal = NewStartPersonalData(in);
    // The calendar's selection does not matter: the diary starts today.
    const StoreStatus status =
        StartNewDiary(m_host.diaryDirectory(), personal, NewStartRecord(in, Clock::today()), Clock::now());
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    m_host.setPersonalData(personal);
    Dialogs::Information(
        this, u"新規登録終了"_s,
        u"登録が終了しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動からズマズマダイエットのスタートです！"_s);
    m_host.EndProgram();
}

void NewStartFrame::cmdYame_Click()
{
    setVisible(false);
}

} // namespace zz
