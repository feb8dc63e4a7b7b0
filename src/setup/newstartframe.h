#pragma once

#include "shell/panelhost.h"

#include <QGroupBox>
#include <QList>

class QLineEdit;
class QPushButton;

namespace zz {

// fraNew "新規スタート登録枠": the eleven boxes of a new diary, cmdStHozon
// which replaces the diary by its start record and ends the program, and
// cmdYame which closes the frame.
class NewStartFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit NewStartFrame(PanelHost &host, QWidget *parent = nullptr);

    // cmdNew1_Click: the boxes emptied (the initial status kept), the frame
    // shown and explained.
    void Open();
    void cmdStHozon_Click();
    void cmdYame_Click();

private:
    PanelHost &m_host;
    // txtPriData1, txtSincyou1, txtMokuTai1, txtNowTai .. txtNowKotu, txtNowJyou
    QList<QLineEdit *> m_boxes;
    QPushButton *cmdStHozon = nullptr;
};

} // namespace zz
