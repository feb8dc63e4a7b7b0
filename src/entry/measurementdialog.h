#pragma once

#include "store/measurementrecord.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace zz {

// dlgMeasurement, "測定の修正": one measurement's values to correct. OK
// applies the checks of a save from the entry boxes and keeps the dialog open
// on a refusal; corrected() is then the record to store.
class MeasurementDialog : public QDialog
{
    Q_OBJECT
public:
    MeasurementDialog(const MeasurementRecord &record, const QStringList &statuses, bool sampleMode,
                      QWidget *parent = nullptr);

    MeasurementRecord corrected() const { return m_corrected; }

    void accept() override;

private:
    MeasurementRecord m_record;
    MeasurementRecord m_corrected;
    bool m_sampleMode = false;
    QDateEdit *dteMeasurementDate = nullptr;
    QComboBox *cboMeasurementStatus = nullptr;
    QList<QLineEdit *> txtMeasurement;
    QLineEdit *txtMeasurementComment = nullptr;
};

} // namespace zz
