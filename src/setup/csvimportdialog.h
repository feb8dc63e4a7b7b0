#pragma once

#include "store/csvimport.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QPushButton;

namespace zz {

class GridView;

// dlgCsvImport, "CSVの取り込み": which column gives which field, the unit of
// the weight, the statuses by time of day, and a preview of exactly what will
// be stored. Every change of a choice updates the preview at once.
class CsvImportDialog : public QDialog
{
    Q_OBJECT
public:
    // `progress` follows the first preview of a long file; cancelled() then
    // tells that the user stopped it.
    CsvImportDialog(const CsvTable &table, const QList<MeasurementRecord> &diary, const QStringList &statuses,
                    QWidget *parent = nullptr, const CsvProgress &progress = {});

    bool cancelled() const { return m_plan.cancelled; }

    // What OK stores.
    const CsvImportPlan &plan() const { return m_plan; }

private:
    void updatePreview(const CsvProgress &progress = {});

    const CsvTable &m_table;
    const QList<MeasurementRecord> &m_diary;
    QStringList m_statusList;
    CsvChoices m_choices;
    CsvImportPlan m_plan;
    QList<QComboBox *> cboCsvColumn;
    QList<QComboBox *> cboCsvStatus;
    QComboBox *cboCsvWeightUnit = nullptr;
    GridView *msgCsvPreview = nullptr;
    QLabel *lblCsvSummary = nullptr;
    QPushButton *cmdCsvImportOk = nullptr;
};

} // namespace zz
