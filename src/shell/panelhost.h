#pragma once

#include "shell/statuslistmodel.h"
#include "shell/windowstate.h"
#include "store/diaryhistory.h"
#include "store/storestatus.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zz {

// How the panels and the window meet. Read this first.
//
// The program is built in floors, and a file includes only its own floor and
// those below: base/ (numbers, dates, formats), store/ (the files), the
// computing halves (views/common/ and each panel folder's pure functions),
// ui/ (grid and chart components), shell/ (this kit: panel base, host,
// shared values, boxes), print/, the panel folders, and app/ (main, startup,
// the frame) on top. tools/floors.sh checks it.
//
// The window (frmMain, MainWindow) is only the frame: the panel buttons,
// help and the help tour, exit and the startup sequence. Each of the eight
// panels (fraMain, fraTaijyu, ...) is a widget class of its own, in the folder
// of its subsystem, that owns its controls and their handlers. A panel never
// touches another panel's controls. It reaches the rest of the program in two
// ways only:
//
// - Calls on the PanelHost below, which the window implements and hands to
//   every panel: the diary folder, the shared values (WindowState: every panel
//   reads them, only a value's owner writes them, see windowstate.h), and the
//   few operations that cross panels: HideAllPanels, showing another panel,
//   DSP_HELP, RefreshDayList, the three status lists, the
//   window title, ending the program after New start, and telling the user of
//   a failed read or write.
// - Qt signals for events that one panel raises and another panel answers (a
//   new BMI class on the main panel moves the meter on the settings panel; the
//   memo panel's labels switch the main panel's charts). The window connects
//   them all in MainWindow::connectPanels, so the wiring between panels reads
//   in one place.
//
// A host interface rather than signals alone, because most of these are
// requests that must finish before the caller goes on (the day list must be
// refreshed before the calendar shows the main panel), which a plain virtual
// call says more honestly than a signal.

// A measurement as a list shows it: its place in the measurement file (from
// 0) and its date, which must still match when the user acts on it.
struct ListedMeasurement
{
    qsizetype index = -1;
    QString date;
};

enum class PanelId { Main, Filter, Analysis, WholePeriod, Settings, Calendar, Memo, Average };

class PanelHost
{
public:
    virtual ~PanelHost() = default;

    // The diary folder: every file is read and written there.
    virtual QString diaryDirectory() const = 0;
    virtual const WindowState &state() const = 0;
    // The setters of the shared values, each for the value's owner only (see
    // windowstate.h).
    virtual void setPersonalData(const PersonalData &personal) = 0;
    virtual void setIncrements(const Increments &increments) = 0;
    virtual void setAutoTimeOn(bool on) = 0;
    virtual void setDayListValues(const DayListValues &values) = 0;
    virtual void setCurrentStatus(const QString &status) = 0;
    virtual void setMarkerMode(MarkerMode mode) = 0;

    virtual void HideAllPanels() = 0;
    // The pattern of the panel buttons: prepare, hide the others, show, explain.
    virtual void ShowPanel(PanelId panel) = 0;
    // Shows `text` as a help-tour box when the help tour is on.
    virtual void DSP_HELP(const QString &text) = 0;
    // The main panel's day list, summary and charts for the calendar's date.
    virtual void RefreshDayList() = 0;
    // `date` chosen in the main panel's calendar, its day list refreshed, and
    // the main panel shown (a double click on a day of the weight calendar).
    virtual void OpenDay(const QDate &date) = 0;
    // The status list every status choice shows (lstAct, lstAct2), one model
    // for all; the window alone changes it, through the three calls below. The
    // status-list editor keeps a working copy that follows it.
    virtual StatusListModel *statusListModel() = 0;
    // Re-reads the status list from its file.
    virtual void LoadStatusList() = 0;
    // Shows `statuses` as the status list (the edit panel's saved order).
    virtual void ShowStatusList(const QStringList &statuses) = 0;
    // Adds `status` as the last entry of the status list.
    virtual void AddStatusToLists(const QString &status) = 0;
    // The title from the personal data in the shared values.
    virtual void SetWindowTitleFromPersonalData() = 0;
    // Ends the program at once (after New start): the window closes, nothing
    // else is saved.
    virtual void EndProgram() = 0;

    // A failed write (or a read after startup) is shown to the user at once; a
    // read that fails during startup stops the program once startup is done.
    virtual void ReportStoreFailure(const StoreStatus &status) = 0;

    // The diary's measurements changed (a save, a correction, a comment, a
    // rename, an import, an undo): every view is brought up to date.
    virtual void DiaryChanged() = 0;
    // Every file of the diary was replaced (a backup restored): everything is
    // read again, and the undo history no longer applies.
    virtual void DiaryReplaced() = 0;
    // A change just written, which Undo can take back.
    virtual void RecordStep(DiaryStep step) = 0;
    // "CSVから取り込む…" for the file at `path`: the import dialog, then the
    // merge as one undo step.
    virtual void ImportCsv(const QString &path) = 0;
    // The correction dialog and the deletion question for a listed measurement.
    virtual void CorrectMeasurement(const ListedMeasurement &measurement) = 0;
    virtual void DeleteMeasurement(const ListedMeasurement &measurement) = 0;
    virtual void ReportReadFailure(const StoreStatus &status) = 0;
};

} // namespace zz
