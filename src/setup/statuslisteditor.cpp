#include "setup/statuslisteditor.h"
#include "store/diaryfiles.h"
#include "store/safefile.h"

#include "entry/entrylogic.h"
#include "shell/dialogs.h"
#include "store/measurementfile.h"
#include "store/smallfiles.h"
#include "ui/colours.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

const QString SortPendingStyle = FixedLightStyle(u"rgb(255, 224, 192)"_s);

} // namespace

StatusListEditor::StatusListEditor(PanelHost &host, QWidget *parent)
    : QGroupBox(u"状況リスト編集"_s, parent), m_host(host)
{
    auto *layout = new QGridLayout(this);
    lstKoumoku = new QListWidget;
    lstKoumoku->setObjectName(u"lstKoumoku"_s);
    lstKoumoku->setToolTip(u"クリックすると選択されます"_s);
    lstKoumoku->viewport()->installEventFilter(this);
    connect(lstKoumoku, &QListWidget::itemClicked, this, [this] { lstKoumoku_Click(); });
    followStatusList();
    layout->addWidget(lstKoumoku, 0, 0, 5, 1);

    const auto button = [&](const QString &name, const QString &caption, int row) {
        auto *b = new QPushButton(caption);
        b->setObjectName(name);
        layout->addWidget(b, row, 1);
        return b;
    };
    cmdNew2 = button(u"cmdNew2"_s, u"追加"_s, 0);
    cmdDel = button(u"cmdDel"_s, u"削除"_s, 1);
    cmdDel2 = button(u"cmdDel2"_s, u"全削除"_s, 2);
    cmdSort = button(u"cmdSort"_s, u"並び替え"_s, 3);
    layout->setRowStretch(4, 1);
    connect(cmdNew2, &QPushButton::clicked, this, [this] { cmdNew2_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(cmdDel2, &QPushButton::clicked, this, [this] { cmdDel2_Click(); });
    connect(cmdSort, &QPushButton::clicked, this, [this] { cmdSort_Click(); });

    txtChg = new QLineEdit;
    txtChg->setObjectName(u"txtChg"_s);
    cmdChg = new QPushButton(u"状況コメントを入れ替える"_s);
    cmdChg->setObjectName(u"cmdChg"_s);
    connect(cmdChg, &QPushButton::clicked, this, [this] { cmdChg_Click(); });
    layout->addWidget(txtChg, 5, 0);
    layout->addWidget(cmdChg, 5, 1);
    layout->setColumnStretch(0, 1);
}

void StatusListEditor::followStatusList()
{
    // The editor's list is a working copy of the status list: a new status is
    // added below a pending drag order, a new list replaces the copy.
    StatusListModel *model = m_host.statusListModel();
    connect(model, &QAbstractItemModel::modelReset, this, [this, model] {
        lstKoumoku->clear();
        lstKoumoku->addItems(model->stringList());
    });
    connect(model, &StatusListModel::statusAppended, this,
            [this](const QString &status) { lstKoumoku->addItem(status); });
}

void StatusListEditor::DisableEditButtons()
{
    for (QPushButton *b : {cmdSort, cmdDel, cmdChg})
        b->setEnabled(false);
}

QStringList StatusListEditor::entries() const
{
    QStringList texts;
    for (int i = 0; i < lstKoumoku->count(); ++i)
        texts.append(lstKoumoku->item(i)->text());
    return texts;
}

bool StatusListEditor::refuseUnstorable(const QString &text)
{
    const std::optional<SaveMessage> refusal = UnstorableStatusMessage(text);
    if (refusal)
        Dialogs::ShowRefusal(this, *refusal);
    return refusal.has_value();
}

void StatusListEditor::lstKoumoku_Click()
{
    for (QPushButton *b : {cmdSort, cmdDel, cmdChg})
        b->setEnabled(true);
}

// The drag is the list's own mouse press and release: the selection follows
// the mouse while the button is held, and the entry moves to just above the
// one it is released on. Qt's drag and drop is not used, as it could drop an
// entry below the last one.
bool StatusListEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstKoumoku->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex at = lstKoumoku->indexAt(mouse->position().toPoint());
            if (event->type() == QEvent::MouseButtonPress)
                lstKoumoku_MouseDown(at.isValid() ? at.row() : -1);
            else
                lstKoumoku_MouseUp(at.isValid() ? at.row() : lstKoumoku->currentRow());
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void StatusListEditor::lstKoumoku_MouseDown(int row)
{
    m_dragIndex = row;
    m_dragText = row >= 0 ? lstKoumoku->item(row)->text() : QString();
}

void StatusListEditor::lstKoumoku_MouseUp(int row)
{
    const int from = m_dragIndex;
    m_dragIndex = -1;
    if (from < 0 || row < 0 || row == from || row == from + 1)
        return;
    delete lstKoumoku->takeItem(from);
    const int to = row < from ? row : row - 1;
    lstKoumoku->insertItem(to, m_dragText);
    lstKoumoku->setCurrentRow(to);
    cmdSort->setStyleSheet(SortPendingStyle);
}

void StatusListEditor::cmdNew2_Click()
{
    const QString text = Dialogs::Input(this, u"状況追加"_s, u"追加したい状況を入力して下さい"_s);
    if (text.isEmpty() || refuseUnstorable(text))
        return;
    const StoreStatus status = AppendStatusPlain(m_host.diaryDirectory(), text);
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    m_host.AddStatusToLists(text);
}

void StatusListEditor::cmdSort_Click()
{
    const QStringList order = entries();
    const StoreStatus status = WriteStatusListPlain(m_host.diaryDirectory(), order);
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    const int current = lstKoumoku->currentRow();
    m_host.ShowStatusList(order);
    lstKoumoku->setCurrentRow(current);
    cmdSort->setStyleSheet(QString());
    Dialogs::Information(this, u"並び替え完了"_s, u"並び替えた順番で状況リストを作成しました"_s);
}

void StatusListEditor::cmdDel_Click()
{
    QListWidgetItem *item = lstKoumoku->currentItem();
    if (!item || !item->isSelected())
        return;
    if (!Dialogs::AskOkCancel(this, u"クリア確認"_s, item->text() + u"を削除します。よろしいですか？"_s))
        return;
    QStringList remaining = entries();
    remaining.removeAt(lstKoumoku->row(item));
    const StoreStatus status = WriteStatusListPlain(m_host.diaryDirectory(), remaining);
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    // A pending drag order is saved along with the deletion.
    m_host.ShowStatusList(remaining);
    cmdSort->setStyleSheet(QString());
    DisableEditButtons();
    Dialogs::Information(this, u"削除完了"_s, u"選択したデータを削除しました"_s);
}

void StatusListEditor::cmdDel2_Click()
{
    if (!Dialogs::AskOkCancel(this, u"クリア確認"_s, u"状況リストを全削除します。よろしいですか？"_s))
        return;
    const StoreStatus status = WriteStatusListPlain(m_host.diaryDirectory(), {});
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    m_host.ShowStatusList({});
    cmdSort->setStyleSheet(QString());
    DisableEditButtons();
    Dialogs::Information(this, u"削除完了"_s,
                         u"状況リストを削除しました。\n\n任意の状況をあらためて登録してください。"_s);
}

void StatusListEditor::cmdChg_Click()
{
    QListWidgetItem *item = lstKoumoku->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString oldText = item->text();
    const QString newText = txtChg->text();
    if (newText.isEmpty()) {
        Dialogs::Exclamation(this, u"変更後コメント未入力"_s, u"変更したいコメントを入力してください"_s);
        return;
    }
    if (refuseUnstorable(newText))
        return;
    if (!Dialogs::AskOkCancel(this, u"クリア確認"_s,
                              u"『"_s + oldText + u"』 を 『"_s + newText +
                                  u"』 に変更します。よろしいですか？"_s))
        return;
    const QString dir = m_host.diaryDirectory();
    QByteArray listBefore;
    StoreStatus status = ReadWholeFile(ResolveDiaryFile(dir, FileNames::StatusList), listBefore);
    QList<LineSplice> done;
    if (status)
        status = RenameStatusInMeasurements(dir, oldText, newText, &done);
    const bool measurementsRenamed = status.ok;
    QStringList statuses;
    if (status)
        status = ReadStatusList(dir, statuses);
    if (status) {
        for (QString &s : statuses)
            if (s == oldText)
                s = newText;
        status = WriteStatusListQuoted(dir, statuses);
    }
    QByteArray listAfter;
    if (status)
        status = ReadWholeFile(ResolveDiaryFile(dir, FileNames::StatusList), listAfter);
    if (status)
        m_host.RecordStep(
            {u"状況『%1』→『%2』の変更"_s.arg(oldText, newText), done, true, listBefore, listAfter});
    if (!status) {
        if (measurementsRenamed) {
            // Half done: the measurements carry the new name, the list the old
            // one. Pressing 変更 again finds no measurement left to rename and
            // finishes the list.
            status.fault =
                u"測定データの状況は『%1』から『%2』に変更しましたが、状況リストは変更できませんでした"
                u" (%3)。もう一度「変更」を押すと残りを変更します。"_s.arg(oldText, newText, status.fault);
            m_host.LoadStatusList();
            m_host.RefreshDayList();
        }
        m_host.ReportStoreFailure(status);
        return;
    }
    m_host.LoadStatusList();
    m_host.RefreshDayList();
    cmdSort->setStyleSheet(QString());
    DisableEditButtons();
    Dialogs::Information(this, u"コメント変更終了"_s, u"コメントを入れ替えました。"_s);
}

} // namespace zz
