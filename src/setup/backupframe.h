#pragma once

#include "shell/panelhost.h"

#include <QGroupBox>

class QListWidget;
class QPushButton;

namespace zz {

// The frame "バックアップ" of the settings panel: the automatic backups,
// newest first, and putting one back.
class BackupFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit BackupFrame(PanelHost &host, QWidget *parent = nullptr);

    // Lists the backups as they are now.
    void LoadBackups();
    void cmdBackupRestore_Click();

private:
    PanelHost &m_host;
    QListWidget *lstBackups = nullptr;
    QPushButton *cmdBackupRestore = nullptr;
};

} // namespace zz
