#include "shell/panel.h"

namespace zz {

Panel::Panel(const QString &name, PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(name);
}

} // namespace zz
