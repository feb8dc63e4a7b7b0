#include "views/calendar/calendarpanel.h"

namespace zz {

CalendarPanel::CalendarPanel(PanelHost &host, QWidget *parent) : Panel(QStringLiteral("fraCale"), host, parent) {}

} // namespace zz
