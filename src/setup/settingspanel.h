#pragma once

#include "app/panel.h"

#include <QList>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace zz {

class BmiMeter;

// fraSettei: the scale increments of the entry boxes, the automatic time of
// the one-line diary, the status-list editor and the BMI meter. It owns the
// increments and autoTimeOn in the shared values.
class SettingsPanel : public Panel
{
    Q_OBJECT
public:
    explicit SettingsPanel(PanelHost &host, QWidget *parent = nullptr);

    BmiMeter *bmiMeter() const { return m_meter; }
    void SetStatusList(const QStringList &statuses);

    void READ_KIZAMI();
    void LoadAutoTime();

private:
    void optKizami_Click(int index);
    void optKizami1_Click(int index);
    void txtKizami_Enter();
    void txtKizami2_Enter();
    void chkJikan_Click();
    void writeIncrements();

    BmiMeter *m_meter = nullptr;
    QList<QRadioButton *> optKizami, optKizami1; // indexes 1..3 at 0..2
    QButtonGroup *m_weightOptions = nullptr, *m_fatOptions = nullptr;
    QLineEdit *txtKizami = nullptr, *txtKizami2 = nullptr;
    QCheckBox *chkJikan = nullptr;
    QListWidget *lstKoumoku = nullptr;
};

} // namespace zz
