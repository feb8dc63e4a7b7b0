#pragma once

#include "app/helptexts.h"
#include "shell/panelhost.h"
#include "shell/windowstate.h"
#include "store/storestatus.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class QCheckBox;
class QLockFile;
class QPushButton;

namespace zz {

class AnalysisPanel;
class AveragePanel;
class CalendarPanel;
class FilterPanel;
class MainPanel;
class NotesPanel;
class Panel;
class SettingsPanel;
class WholePeriodPanel;

// frmMain: the frame around the eight panels. It holds the panel buttons,
// help and the help tour, exit, the startup sequence (which calls into the
// panels in its numbered order), sample detection and the shared values. The
// panels are classes of their own; they meet only through the PanelHost this
// window implements (see app/panelhost.h).
class MainWindow : public QMainWindow, public PanelHost
{
    Q_OBJECT
public:
    // `dir` is the diary directory (the working directory).
    explicit MainWindow(const QString &dir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The startup sequence; false (with `error` set) when a file could not be
    // read, in which case the program shows the error and stops.
    bool Form_Load(StoreStatus &error);

    void cmdHelp_Click();
    void cmdOwari_Click();
    QDialog *helpWindow() const { return m_helpWindow; }
    void READ_SETTEI();
    // The diary folder's lock, released when the window goes.
    void holdDiaryLock(std::unique_ptr<QLockFile> lock);

    // PanelHost
    QString diaryDirectory() const override { return m_dir; }
    const WindowState &state() const override { return m_state; }
    void setPersonalData(const PersonalData &personal) override
    {
        m_state.personal = personal;
        markPanelsStale();
    }
    void setIncrements(const Increments &increments) override { m_state.increments = increments; }
    void setAutoTimeOn(bool on) override { m_state.autoTimeOn = on; }
    void setDayListValues(const DayListValues &values) override { m_state.dayList = values; }
    void setCurrentStatus(const QString &status) override { m_state.currentStatus = status; }
    void setMarkerMode(MarkerMode mode) override { m_state.markerMode = mode; }
    void HideAllPanels() override;
    void ShowPanel(PanelId panel) override;
    void DSP_HELP(const QString &text) override;
    void RefreshDayList() override;
    void OpenDay(const QDate &date) override;
    StatusListModel *statusListModel() override { return &m_statusList; }
    void LoadStatusList() override;
    void ShowStatusList(const QStringList &statuses) override;
    void AddStatusToLists(const QString &status) override;
    void EndProgram() override;
    void SetWindowTitleFromPersonalData() override;
    void ReportStoreFailure(const StoreStatus &status) override;
    void ReportReadFailure(const StoreStatus &status) override;
    void DiaryChanged() override;
    void RecordStep(DiaryStep step) override;
    void DiaryReplaced() override;
    void ImportCsv(const QString &path) override;
    void CorrectMeasurement(const ListedMeasurement &measurement) override;
    void DeleteMeasurement(const ListedMeasurement &measurement) override;

    void cmdUndo_Click();
    void cmdRedo_Click();
    const DiaryHistory &history() const { return m_history; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct PanelEntry
    {
        PanelId id;
        Panel *panel;
        std::optional<HelpPanel> help; // none: the main panel explains nothing
    };

    void buildFrame();
    void restoreWindowPlacement();
    void connectPanels();
    QPushButton *addPanelButton(const QString &name, const QString &caption, const QString &toolTip,
                                PanelId id);
    bool detectSample() const;
    void noteStartupFailure(const StoreStatus &status);
    void chkHelp_Click();
    void classifyBmiAndFillMeter();
    void updateUndoButtons();
    // What the panels show may have changed: each is rebuilt when next shown.
    void markPanelsStale() { ++m_diaryGeneration; }
    // Builds the panel from the diary as it is now.
    void preparePanel(Panel *panel);
    // Undo or redo, then every view as the files now are.
    void takeHistoryStep(StoreStatus (DiaryHistory::*step)(const QString &));
    // The record a list showed, read afresh; false (after telling) when the
    // file no longer holds it there.
    bool listedRecord(const ListedMeasurement &measurement, MeasurementRecord &record, qsizetype &count);

    QString m_dir;
    WindowState m_state;
    StatusListModel m_statusList;
    StoreStatus m_startupFailure;

    QList<PanelEntry> m_panels; // in HideAllPanels order
    // Counts the changes of the diary; a panel built at the current count is
    // shown again as it is.
    quint64 m_diaryGeneration = 1;
    QHash<const Panel *, quint64> m_panelBuiltAt;
    MainPanel *fraMain = nullptr;
    FilterPanel *fraTaijyu = nullptr;
    AnalysisPanel *fraBunseki = nullptr;
    WholePeriodPanel *fraRenTai = nullptr;
    SettingsPanel *fraSettei = nullptr;
    CalendarPanel *fraCale = nullptr;
    NotesPanel *fraMemo = nullptr;
    AveragePanel *fraAvgTai = nullptr;
    QCheckBox *chkHelp = nullptr;
    QPointer<QDialog> m_helpWindow;
    std::unique_ptr<QLockFile> m_lock;
    DiaryHistory m_history;
    QPushButton *cmdUndo = nullptr;
    QPushButton *cmdRedo = nullptr;
};

} // namespace zz
