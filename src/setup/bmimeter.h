#pragma once

#include "shell/panelhost.h"
#include "views/common/bmi.h"

#include <QGroupBox>
#include <QList>

class QLabel;
class QScrollBar;

namespace zz {

// The BMI meter (fraBmiMeter) on the settings panel: the BMI and obesity
// formulas filled with the current values, and the simulator HScroll1 that
// moves a pointer over the class colours. A move by the user simulates a
// weight for the chosen BMI; a move made by the classification of the
// current measurement does not.
class BmiMeter : public QGroupBox
{
    Q_OBJECT
public:
    explicit BmiMeter(PanelHost &host, QWidget *parent = nullptr);

    // The meter's half of ClassifyBmi: pointer, scroll bar and BMI text.
    void ShowClassification(const BmiClassification &c);
    // The weight and height of the formula (Label9(28), Label9(30)).
    void SetFormulaValues(const QString &weight, const QString &heightMetres);
    // lblTai emptied at startup until the meter is drawn.
    void ClearWeightLabel();
    void UpdateBmiMeter();

private:
    void HScroll1_Change();

    PanelHost &m_host;
    // Set while the classification moves the scroll bar, so that move is not
    // taken for a simulation.
    bool m_meterSetByRefresh = false;
    QScrollBar *HScroll1 = nullptr;
    QLabel *Label9_25 = nullptr, *Label9_28 = nullptr, *Label9_30 = nullptr;
    QLabel *lblHyouka = nullptr, *lblTai = nullptr, *lblHiman = nullptr, *Image2 = nullptr;
    QList<QLabel *> lblHyojun;
    QList<QLabel *> Shape2;
};

} // namespace zz
