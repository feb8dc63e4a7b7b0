#pragma once

#include "shell/panelhost.h"

#include <QGroupBox>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zz {

// The frame "状況リスト編集" of the settings panel: add, delete, delete all,
// reorder by dragging (saved with cmdSort) and rename a status everywhere.
// cmdSort, cmdDel and cmdChg wait for a click in the list.
class StatusListEditor : public QGroupBox
{
    Q_OBJECT
public:
    explicit StatusListEditor(PanelHost &host, QWidget *parent = nullptr);

    void DisableEditButtons();

    void cmdNew2_Click();
    void cmdSort_Click();
    void cmdDel_Click();
    void cmdDel2_Click();
    void cmdChg_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lstKoumoku_Click();
    void lstKoumoku_MouseDown(int row);
    void lstKoumoku_MouseUp(int row);
    QStringList entries() const;
    void followStatusList();
    bool refuseUnstorable(const QString &text);

    PanelHost &m_host;
    // The entry under the button when it went down.
    int m_dragIndex = -1;
    QString m_dragText;
    QListWidget *lstKoumoku = nullptr;
    QPushButton *cmdNew2 = nullptr, *cmdDel = nullptr, *cmdDel2 = nullptr, *cmdSort = nullptr,
                *cmdChg = nullptr;
    QLineEdit *txtChg = nullptr;
};

} // namespace zz
