#pragma once

#include "shell/panel.h"

#include <QList>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace zz {

class BackupFrame;
class BmiMeter;
class NewStartFrame;
class StatusListEditor;

// fraSettei: the scale increments of the entry boxes, the automatic time of
// the one-line diary, the personal data, New start, the status-list editor
// and the BMI meter. It owns the increments, autoTimeOn and the personal data
// in the shared values.
class SettingsPanel : public Panel
{
    Q_OBJECT
public:
    explicit SettingsPanel(PanelHost &host, QWidget *parent = nullptr);

    BmiMeter *bmiMeter() const { return m_meter; }
    // cmdSettei_Click before the panel is shown.
    void PreparePanel() override;
    void cmdNew1_Click();
    void cmdPHozon1_Click();

    void READ_KIZAMI();
    void LoadAutoTime();

signals:
    // New personal data were saved (the target may have changed).
    void personalDataChanged();

private:
    void optKizami_Click(int index);
    void optKizami1_Click(int index);
    void txtKizami_Enter();
    void txtKizami2_Enter();
    void chkJikan_Click();
    void writeIncrements(const Increments &increments);

    QWidget *buildPersonalFrame();

    BmiMeter *m_meter = nullptr;
    NewStartFrame *fraNew = nullptr;
    BackupFrame *fraBackup = nullptr;
    StatusListEditor *m_statusEditor = nullptr;
    QLineEdit *txtPriData = nullptr, *txtSincyou = nullptr, *txtMokuTai = nullptr;
    QList<QRadioButton *> optKizami, optKizami1; // indexes 1..3 at 0..2
    QButtonGroup *m_weightOptions = nullptr, *m_fatOptions = nullptr;
    QLineEdit *txtKizami = nullptr, *txtKizami2 = nullptr;
    QCheckBox *chkJikan = nullptr;
};

} // namespace zz
