#include "entry/measurementdialog.h"

#include "base/numbers.h"
#include "base/storeddate.h"
#include "entry/entrylogic.h"
#include "shell/dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zz {

MeasurementDialog::MeasurementDialog(const MeasurementRecord &record, const QStringList &statuses,
                                     bool sampleMode, QWidget *parent)
    : QDialog(parent), m_record(record), m_corrected(record), m_sampleMode(sampleMode)
{
    setObjectName(QStringLiteral("dlgMeasurement"));
    setWindowTitle(QStringLiteral("測定の修正"));
    setModal(true);
    auto *form = new QFormLayout;

    dteMeasurementDate = new QDateEdit(StoredDateOf(record.date));
    dteMeasurementDate->setObjectName(QStringLiteral("dteMeasurementDate"));
    dteMeasurementDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    dteMeasurementDate->setCalendarPopup(true);
    form->addRow(QStringLiteral("日付"), dteMeasurementDate);

    cboMeasurementStatus = new QComboBox;
    cboMeasurementStatus->setObjectName(QStringLiteral("cboMeasurementStatus"));
    cboMeasurementStatus->setEditable(true);
    cboMeasurementStatus->addItems(statuses);
    cboMeasurementStatus->setCurrentText(record.status);
    form->addRow(QStringLiteral("状況"), cboMeasurementStatus);

    const QString names[7] = {QStringLiteral("体重"),       QStringLiteral("体脂肪率"),
                              QStringLiteral("基礎代謝量"), QStringLiteral("内臓脂肪レベル"),
                              QStringLiteral("筋肉量"),     QStringLiteral("筋肉スコア"),
                              QStringLiteral("骨量")};
    const QString values[7] = {NumberText(record.weight),
                               NumberText(record.bodyFat),
                               NumberText(int(record.basalMetabolism)),
                               NumberText(int(record.visceralFat)),
                               NumberText(record.muscleMass),
                               NumberText(int(record.muscleScore)),
                               NumberText(record.boneMass)};
    for (int i = 0; i < 7; ++i) {
        auto *box = new QLineEdit(values[i]);
        box->setObjectName(QStringLiteral("txtMeasurement(%1)").arg(i));
        box->setAccessibleName(names[i]);
        txtMeasurement.append(box);
        form->addRow(names[i], box);
    }
    txtMeasurementComment = new QLineEdit(record.comment);
    txtMeasurementComment->setObjectName(QStringLiteral("txtMeasurementComment"));
    form->addRow(QStringLiteral("一言日記"), txtMeasurementComment);

    auto *ok = new QPushButton(QStringLiteral("修正する"));
    ok->setObjectName(QStringLiteral("cmdMeasurementOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"));
    cancel->setObjectName(QStringLiteral("cmdMeasurementCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void MeasurementDialog::accept()
{
    SaveInputs inputs;
    inputs.sampleMode = m_sampleMode;
    inputs.currentStatus = cboMeasurementStatus->currentText();
    inputs.weightText = txtMeasurement[0]->text();
    inputs.fatText = txtMeasurement[1]->text();
    inputs.metabolismText = txtMeasurement[2]->text();
    inputs.visceralText = txtMeasurement[3]->text();
    inputs.muscleText = txtMeasurement[4]->text();
    inputs.scoreText = txtMeasurement[5]->text();
    inputs.boneText = txtMeasurement[6]->text();
    // A correction is checked as a save is, but a value far from the one it
    // corrects is the point of it: only refusals count.
    for (const SaveMessage &message : SaveChecks(inputs)) {
        if (message.kind == SaveMessage::Kind::Refusal) {
            Dialogs::ShowRefusal(this, message);
            return;
        }
    }
    for (const QString &text : {inputs.currentStatus, txtMeasurementComment->text()}) {
        if (const std::optional<SaveMessage> refusal = UnstorableStatusMessage(text)) {
            Dialogs::ShowRefusal(this, *refusal);
            return;
        }
    }
    MeasurementRecord record = RecordFromEntry(inputs, StoredDateText(dteMeasurementDate->date()));
    record.comment = txtMeasurementComment->text();
    record.spare = m_record.spare;
    m_corrected = record;
    QDialog::accept();
}

} // namespace zz
