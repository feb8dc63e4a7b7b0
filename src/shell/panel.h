#pragma once

#include "shell/panelhost.h"

#include <QFrame>

namespace zz {

// One of the eight panels of the window. Exactly one is visible at a time;
// its button shows it through the host. The objectName is the panel's name
// (fraMain, fraTaijyu, ...).
class Panel : public QFrame
{
    Q_OBJECT
public:
    Panel(const QString &name, PanelHost &host, QWidget *parent = nullptr);

    // Re-reads what the panel shows from the files; its button calls this
    // before the panel is shown. Panels whose content is kept current
    // elsewhere (the main panel) do nothing.
    virtual void PreparePanel() {}
    // Shows the panel again when nothing it shows changed since it was last
    // prepared: a panel whose building is costly only resets what opening
    // resets (scroll positions, choices). By default it is prepared again.
    virtual void ReopenPanel() { PreparePanel(); }

protected:
    PanelHost &host() const { return m_host; }
    const WindowState &state() const { return m_host.state(); }
    QString dir() const { return m_host.diaryDirectory(); }

private:
    PanelHost &m_host;
};

} // namespace zz
