#pragma once

#include "app/panel.h"

class QPlainTextEdit;

namespace zz {

// fraMemo: the one-line diary of every measurement and the notice memo
// txtKizuki.
class NotesPanel : public Panel
{
    Q_OBJECT
public:
    explicit NotesPanel(PanelHost &host, QWidget *parent = nullptr);

    void LoadNoticeMemo();

signals:
    // Its labels are members of the Label1 array, whose click is the bone-mass
    // heading of the main panel.
    void label1Clicked(const QString &label);

private:
    QPlainTextEdit *txtKizuki = nullptr;
};

} // namespace zz
