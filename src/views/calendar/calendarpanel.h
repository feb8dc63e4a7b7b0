#pragma once

#include "shell/panel.h"
#include "views/calendar/weightcalendar.h"

#include <QList>

class QLabel;
class QPushButton;

namespace zz {

class GridView;

// fraCale: the whole diary as a month-by-day calendar (msgList2) coloured by
// how the weight moved within each day, the day counts, the comparison of
// good and bad days with its face, and the two colour modes. A double click
// on a day opens it on the main panel.
class CalendarPanel : public Panel
{
    Q_OBJECT
public:
    explicit CalendarPanel(PanelHost &host, QWidget *parent = nullptr);

    // cmdCale_Click before the panel is shown: always the detailed mode.
    void PreparePanel() override;
    void SetupCalendarGrid();
    void BuildCalendar();
    void cmdSel1_Click(int index);

private:
    void selectMode(CalendarMode mode);
    void msgList2_DblClick(int row, int column);

    CalendarMode m_mode = CalendarMode::Detailed;
    GridView *msgList2 = nullptr;
    QList<QPushButton *> cmdSel1;
    QLabel *lblDn_c = nullptr, *lblSm_c = nullptr, *lblUp_c = nullptr, *lblOne_c = nullptr,
           *lblNon_c = nullptr;
    QLabel *lblGenT = nullptr, *lblZouT = nullptr, *lblHugou = nullptr;
    QLabel *imgWara2 = nullptr, *imgNiko2 = nullptr, *imgKana2 = nullptr;
};

} // namespace zz
