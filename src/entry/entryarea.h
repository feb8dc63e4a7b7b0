#pragma once

#include "shell/panelhost.h"

#include <QDate>
#include <QList>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QListView;
class QPushButton;

namespace zz {

// The entry area of the main panel: the status choice (lstAct, free entry,
// time), the calendar mtvmain whose date the day list shows and a save
// stores, the seven entry boxes with their step buttons, and cmdTaiHozon.
// It owns currentStatus in the shared values.
class EntryArea : public QWidget
{
    Q_OBJECT
public:
    explicit EntryArea(PanelHost &host, QWidget *parent = nullptr);

    QDate selectedDate() const;
    void setSelectedDate(const QDate &date);

    void FillEntryFields();
    void DisableStepButtons();
    // The boxes emptied after a refresh of the day list.
    void ClearBoxes();
    // The days that hold measurements show in bold in the calendar (Julian
    // day numbers), so that a user finds their data in an old diary.
    // `days`: Julian day numbers in ascending order.
    void MarkMeasuredDays(const QList<qint64> &days);

    void cmdTaiHozon_Click();
    void cmdFree_Click();
    void cmdJikan_Click();

signals:
    // A heading label of the boxes was clicked: `label` is its name, "Label1"
    // for any member of that array.
    void headingClicked(const QString &label);

private:
    void lstAct_Click();
    void mtvmain_DateClick();
    void step(int box, int direction);
    void entryKeyEnter(int box);
    bool refuseUnstorableStatus(const QString &status);

    PanelHost &m_host;
    QCalendarWidget *mtvmain = nullptr;
    QList<qint64> m_measuredDays; // ascending
    QList<QDate> m_markedDays;    // the days the calendar's page shows in bold
    void markPage();
    QListView *lstAct = nullptr;
    QPushButton *cmdFree = nullptr, *cmdJikan = nullptr, *cmdTaiHozon = nullptr;
    QList<QLineEdit *> m_boxes;   // txtTaiInp .. txtKotu, in entry order
    QList<QPushButton *> m_downs; // cmdDn .. cmdDn6
    QList<QPushButton *> m_ups;   // cmdUp .. cmdUp6
};

} // namespace zz
