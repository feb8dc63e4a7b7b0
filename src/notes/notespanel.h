#pragma once

#include "shell/panel.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zz {

class GridView;

// fraMemo: the one-line diary of every measurement (msgMemoList, a comment
// edited in txtMemo and saved with cmdMemoHozon) and the notice memo
// txtKizuki with its own save button.
class NotesPanel : public Panel
{
    Q_OBJECT
public:
    explicit NotesPanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdMemo_Click before the panel is shown.
    void PreparePanel() override;
    void ReopenPanel() override;
    void LoadNoticeMemo();
    void cmdMemoHozon_Click();
    void cmdKizukiHozon_Click();
    // Before the program ends: asks for each text typed and not saved (the
    // memo, a comment) whether to save it. False when the user cancels (or a
    // save failed): the program stays open.
    bool ConfirmUnsavedText();

signals:
    // Its labels are members of the Label1 array, whose click is the bone-mass
    // heading of the main panel.
    void label1Clicked(const QString &label);

private:
    void msgMemoList_Click(int row);
    void txtMemo_KeyPress();
    bool saveComment();
    bool saveMemo();
    QString m_savedMemo;

    // The grid row whose comment is being edited; 0 until a row is clicked.
    int m_selectedRow = 0;
    GridView *msgMemoList = nullptr;
    QLineEdit *txtMemo = nullptr;
    QPushButton *cmdMemoHozon = nullptr, *cmdKizukiHozon = nullptr;
    QPlainTextEdit *txtKizuki = nullptr;
};

} // namespace zz
