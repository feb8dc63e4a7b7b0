#include "setup/backupframe.h"

#include "base/clock.h"
#include "shell/dialogs.h"
#include "store/backups.h"

#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

BackupFrame::BackupFrame(PanelHost &host, QWidget *parent)
    : QGroupBox(QStringLiteral("バックアップ"), parent), m_host(host)
{
    setObjectName(QStringLiteral("fraBackup"));
    lstBackups = new QListWidget;
    lstBackups->setObjectName(QStringLiteral("lstBackups"));
    lstBackups->setAccessibleName(QStringLiteral("バックアップの一覧"));
    cmdBackupRestore = new QPushButton(QStringLiteral("このバックアップに戻す…"));
    cmdBackupRestore->setObjectName(QStringLiteral("cmdBackupRestore"));
    cmdBackupRestore->setToolTip(
        QStringLiteral("選んだバックアップの時点の日記に戻します（今の日記も先にバックアップします）"));
    connect(cmdBackupRestore, &QPushButton::clicked, this, [this] { cmdBackupRestore_Click(); });
    connect(lstBackups, &QListWidget::currentRowChanged, this,
            [this](int row) { cmdBackupRestore->setEnabled(row >= 0); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstBackups);
    layout->addWidget(cmdBackupRestore);
    cmdBackupRestore->setEnabled(false);
}

void BackupFrame::LoadBackups()
{
    lstBackups->clear();
    const QLocale locale(QLocale::Japanese, QLocale::Japan);
    for (const BackupInfo &backup : ListBackups(m_host.diaryDirectory())) {
        auto *item = new QListWidgetItem(QStringLiteral("%1 (%2件)")
                                             .arg(backup.taken.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
                                                  locale.toString(backup.records)));
        item->setData(Qt::UserRole, backup.name);
        lstBackups->addItem(item);
    }
    cmdBackupRestore->setEnabled(false);
}

void BackupFrame::cmdBackupRestore_Click()
{
    QListWidgetItem *item = lstBackups->currentItem();
    if (!item)
        return;
    if (!Dialogs::AskOkCancel(
            this, QStringLiteral("クリア確認"),
            QStringLiteral("日記を %1 の状態に戻します。今の日記は先にバックアップします。よろしいですか？")
                .arg(item->text())))
        return;
    const StoreStatus status =
        RestoreBackup(m_host.diaryDirectory(), item->data(Qt::UserRole).toString(), Clock::now());
    if (!status)
        m_host.ReportStoreFailure(status);
    m_host.DiaryReplaced();
    LoadBackups();
}

} // namespace zz
