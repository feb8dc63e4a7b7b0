#include "notes/notespanel.h"

#include "notes/diarylist.h"
#include "setup/setupchecks.h"
#include "shell/dialogs.h"
#include "shell/eventhooks.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/smallfiles.h"
#include "ui/gridview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

using namespace Qt::StringLiterals;

NotesPanel::NotesPanel(PanelHost &host, QWidget *parent) : Panel(u"fraMemo"_s, host, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    msgMemoList = new GridView;
    msgMemoList->setObjectName(u"msgMemoList"_s);
    connect(msgMemoList, &GridView::cellClicked, this, [this](int row, int) { msgMemoList_Click(row); });
    layout->addWidget(msgMemoList, 3);

    auto *diary = new QHBoxLayout;
    auto *diaryLabel = new QLabel(u"一言入力欄 →"_s);
    diaryLabel->setObjectName(u"Label1(2)"_s);
    txtMemo = new QLineEdit;
    txtMemo->setObjectName(u"txtMemo"_s);
    OnEnter(txtMemo, [this] { txtMemo_KeyPress(); });
    cmdMemoHozon = new QPushButton(u"一言日記保存"_s);
    cmdMemoHozon->setObjectName(u"cmdMemoHozon"_s);
    cmdMemoHozon->setEnabled(false);
    connect(cmdMemoHozon, &QPushButton::clicked, this, [this] { cmdMemoHozon_Click(); });
    diary->addWidget(diaryLabel);
    diary->addWidget(txtMemo, 1);
    diary->addWidget(cmdMemoHozon);
    layout->addLayout(diary);

    auto *memoHead = new QHBoxLayout;
    auto *memoLabel = new QLabel(u"気付きメモ"_s);
    memoLabel->setObjectName(u"Label1(3)"_s);
    cmdKizukiHozon = new QPushButton(u"気付きメモ保存"_s);
    cmdKizukiHozon->setObjectName(u"cmdKizukiHozon"_s);
    connect(cmdKizukiHozon, &QPushButton::clicked, this, [this] { cmdKizukiHozon_Click(); });
    memoHead->addWidget(memoLabel);
    memoHead->addStretch();
    memoHead->addWidget(cmdKizukiHozon);
    layout->addLayout(memoHead);
    txtKizuki = new QPlainTextEdit;
    txtKizuki->setObjectName(u"txtKizuki"_s);
    layout->addWidget(txtKizuki, 1);

    for (QLabel *label : {diaryLabel, memoLabel})
        OnClick(label, [this] { emit label1Clicked(u"Label1"_s); });
}

void NotesPanel::PreparePanel()
{
    msgMemoList->resetColumns(DiaryListHeaders(), DiaryListWidths(), 9);
    GridModel *model = msgMemoList->gridModel();
    model->setColumnAlignment(1, Qt::AlignCenter);
    model->setColumnAlignment(2, Qt::AlignLeft | Qt::AlignVCenter);
    model->setColumnAlignment(5, Qt::AlignCenter);
    model->setColumnAlignment(DiaryCommentColumn, Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 8; c <= 12; ++c)
        msgMemoList->setColumnHidden(c, true);

    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir(), records);
    host().ReportReadFailure(status);
    // The list makes a row's texts only when it is shown.
    if (status)
        model->setRowSource({int(records.size()), [records](int row) { return DiaryRow(records, row); },
                             DiaryWidestRows(records)});
    msgMemoList->showEnd();
    m_selectedRow = 0;
    cmdMemoHozon->setEnabled(false);
}

void NotesPanel::ReopenPanel()
{
    // The list was built from the diary as it still is.
    msgMemoList->showEnd();
    m_selectedRow = 0;
    cmdMemoHozon->setEnabled(false);
}

void NotesPanel::msgMemoList_Click(int row)
{
    if (row < 1)
        return;
    msgMemoList->setCurrentCell(row, DiaryCommentColumn);
    txtMemo->setText(msgMemoList->gridModel()->text(row, DiaryCommentColumn));
    m_selectedRow = row;
    cmdMemoHozon->setEnabled(true);
    txtMemo->setFocus(Qt::OtherFocusReason);
}

void NotesPanel::txtMemo_KeyPress()
{
    if (cmdMemoHozon->isEnabled())
        cmdMemoHozon_Click();
}

void NotesPanel::cmdMemoHozon_Click()
{
    saveComment();
}

bool NotesPanel::saveComment()
{
    if (m_selectedRow < 1)
        return true;
    const QString comment = txtMemo->text();
    if (const std::optional<SaveMessage> refusal = UnstorableStatusMessage(comment)) {
        Dialogs::ShowRefusal(this, *refusal);
        return false;
    }
    // Only the comment of the chosen record changes; every other byte of the
    // file stays as it is.
    const GridModel *model = msgMemoList->gridModel();
    QList<LineSplice> done;
    const QString date = model->text(m_selectedRow, 1);
    const StoreStatus status = ReplaceMeasurementComment(dir(), m_selectedRow - 1, date, comment, &done);
    if (!status) {
        host().ReportStoreFailure(status);
        return false;
    }
    host().RecordStep({date + u" の一言日記の保存"_s, done, false, {}, {}});
    msgMemoList->gridModel()->setText(m_selectedRow, DiaryCommentColumn, comment);
    msgMemoList->setCurrentCell(m_selectedRow, DiaryCommentColumn);
    return true;
}

void NotesPanel::LoadNoticeMemo()
{
    QString memo;
    host().ReportReadFailure(ReadNoticeMemo(dir(), memo));
    txtKizuki->setPlainText(memo);
    m_savedMemo = txtKizuki->toPlainText();
}

void NotesPanel::cmdKizukiHozon_Click()
{
    saveMemo();
}

bool NotesPanel::saveMemo()
{
    const QString memo = txtKizuki->toPlainText();
    if (const std::optional<SaveMessage> refusal = UnstorableMemoMessage(memo)) {
        Dialogs::ShowRefusal(this, *refusal);
        return false;
    }
    const StoreStatus status = WriteNoticeMemo(dir(), memo);
    if (!status) {
        host().ReportStoreFailure(status);
        return false;
    }
    m_savedMemo = memo;
    return true;
}

bool NotesPanel::ConfirmUnsavedText()
{
    const struct
    {
        bool unsaved;
        QString question;
        bool (NotesPanel::*save)();
    } texts[] = {
        {txtKizuki->toPlainText() != m_savedMemo, u"気付きメモが保存されていません。保存しますか？"_s,
         &NotesPanel::saveMemo},
        {m_selectedRow >= 1 &&
             txtMemo->text() != msgMemoList->gridModel()->text(m_selectedRow, DiaryCommentColumn),
         u"一言日記のコメントが保存されていません。保存しますか？"_s, &NotesPanel::saveComment},
    };
    for (const auto &text : texts) {
        if (!text.unsaved)
            continue;
        switch (Dialogs::AskYesNoCancel(this, u"終了確認"_s, text.question)) {
        case QMessageBox::Yes:
            if (!(this->*text.save)())
                return false;
            break;
        case QMessageBox::No: break;
        default: return false;
        }
    }
    return true;
}

} // namespace zz
