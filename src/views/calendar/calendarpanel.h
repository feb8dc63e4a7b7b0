#pragma once

#include "app/panel.h"

namespace zz {

// fraCale: the whole diary as a calendar coloured by how the weight moved in each day.
class CalendarPanel : public Panel
{
    Q_OBJECT
public:
    explicit CalendarPanel(PanelHost &host, QWidget *parent = nullptr);
};

} // namespace zz
