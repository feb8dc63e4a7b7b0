#include "setup/csvimportdialog.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "base/tablerow.h"
#include "ui/gridview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

namespace {

constexpr int PreviewRows = 100;
const QColor GuessedColour(0xd8, 0xd8, 0xd8);

QString fieldCaption(int field)
{
    static const char16_t *const captions[CsvFieldCount] = {
        u"日付",           u"時刻",   u"体重",       u"体脂肪率", u"基礎代謝量",
        u"内臓脂肪レベル", u"筋肉量", u"筋肉スコア", u"骨量",     u"一言日記"};
    return QString::fromUtf16(captions[field]);
}

} // namespace

CsvImportDialog::CsvImportDialog(const CsvTable &table, const QList<MeasurementRecord> &diary,
                                 const QStringList &statuses, QWidget *parent, const CsvProgress &progress)
    : QDialog(parent), m_table(table), m_diary(diary), m_statusList(statuses)
{
    setObjectName(QStringLiteral("dlgCsvImport"));
    setWindowTitle(QStringLiteral("CSVの取り込み"));
    setModal(true);
    m_choices = RecogniseCsvColumns(table);

    QStringList columnNames{QStringLiteral("（なし）")};
    const qsizetype columns =
        table.hasHeader ? table.header.size() : (table.rows.isEmpty() ? 0 : table.rows.first().size());
    for (qsizetype i = 0; i < columns; ++i)
        columnNames.append(table.hasHeader && !table.header.at(i).trimmed().isEmpty()
                               ? table.header.at(i).trimmed()
                               : QStringLiteral("%1列目").arg(i + 1));

    auto *choices = new QGridLayout;
    for (int f = 0; f < CsvFieldCount; ++f) {
        auto *combo = new QComboBox;
        combo->setObjectName(QStringLiteral("cboCsvColumn(%1)").arg(f));
        combo->setAccessibleName(fieldCaption(f));
        combo->addItems(columnNames);
        combo->setCurrentIndex(m_choices.columns[size_t(f)] + 1);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, f](int index) {
            m_choices.columns[size_t(f)] = index - 1;
            updatePreview();
        });
        cboCsvColumn.append(combo);
        choices->addWidget(new QLabel(fieldCaption(f)), f / 5 * 2, f % 5);
        choices->addWidget(combo, f / 5 * 2 + 1, f % 5);
    }

    cboCsvWeightUnit = new QComboBox;
    cboCsvWeightUnit->setObjectName(QStringLiteral("cboCsvWeightUnit"));
    cboCsvWeightUnit->setAccessibleName(QStringLiteral("体重の単位"));
    cboCsvWeightUnit->addItems({QStringLiteral("kg"), QStringLiteral("lb")});
    cboCsvWeightUnit->setCurrentIndex(m_choices.pounds ? 1 : 0);
    connect(cboCsvWeightUnit, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_choices.pounds = index == 1;
        updatePreview();
    });
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QStringLiteral("体重の単位")));
    statusRow->addWidget(cboCsvWeightUnit);
    statusRow->addSpacing(16);
    const QString times[3] = {QStringLiteral("4:00～10:59 (時刻なし)"), QStringLiteral("11:00～16:59"),
                              QStringLiteral("17:00～3:59")};
    m_choices.statuses.clear();
    for (int i = 0; i < 3; ++i) {
        auto *combo = new QComboBox;
        combo->setObjectName(QStringLiteral("cboCsvStatus(%1)").arg(i));
        combo->setEditable(true);
        combo->setAccessibleName(QStringLiteral("状況 ") + times[i]);
        combo->addItems(statuses);
        const QString preset =
            statuses.isEmpty() ? QStringLiteral("朝") : statuses.value(i, statuses.first());
        combo->setCurrentText(preset);
        m_choices.statuses.append(preset);
        connect(combo, &QComboBox::currentTextChanged, this, [this, i](const QString &text) {
            m_choices.statuses[i] = text;
            updatePreview();
        });
        cboCsvStatus.append(combo);
        statusRow->addWidget(new QLabel(times[i]));
        statusRow->addWidget(combo);
    }
    statusRow->addStretch();

    msgCsvPreview = new GridView;
    msgCsvPreview->setObjectName(QStringLiteral("msgCsvPreview"));
    msgCsvPreview->resetColumns(
        {QStringLiteral("日付"), QStringLiteral("状況"), QStringLiteral("体重"), QStringLiteral("体脂肪率"),
         QStringLiteral("基礎代謝量"), QStringLiteral("内臓脂肪"), QStringLiteral("筋肉量"),
         QStringLiteral("筋肉スコア"), QStringLiteral("骨量"), QStringLiteral("一言日記")},
        {1400, 1400, 1000, 1000, 1100, 900, 1000, 1000, 900, 2400}, 9);
    lblCsvSummary = new QLabel;
    lblCsvSummary->setObjectName(QStringLiteral("lblCsvSummary"));

    cmdCsvImportOk = new QPushButton(QStringLiteral("取り込む"));
    cmdCsvImportOk->setObjectName(QStringLiteral("cmdCsvImportOk"));
    cmdCsvImportOk->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"));
    cancel->setObjectName(QStringLiteral("cmdCsvImportCancel"));
    connect(cmdCsvImportOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblCsvSummary, 1);
    buttons->addWidget(cmdCsvImportOk);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(statusRow);
    layout->addWidget(msgCsvPreview, 1);
    layout->addLayout(buttons);
    resize(1000, 600);
    updatePreview(progress);
}

void CsvImportDialog::updatePreview(const CsvProgress &progress)
{
    m_plan = PlanCsvImport(m_table, m_choices, m_diary, m_statusList, progress);
    QList<TableRow> rows;
    const qsizetype shown = std::min<qsizetype>(m_plan.rows.size(), PreviewRows);
    rows.reserve(shown);
    for (qsizetype i = 0; i < shown; ++i) {
        const MeasurementRecord r = m_plan.rows.at(i).record();
        TableRow row;
        row.cells << r.date << r.status << FormatKg(r.weight) << FormatPercentSign(r.bodyFat)
                  << NumberText(int(r.basalMetabolism)) + QStringLiteral("kcal")
                  << NumberText(int(r.visceralFat)) << FormatKg(r.muscleMass)
                  << NumberText(int(r.muscleScore)) << FormatKg(r.boneMass) << r.comment;
        rows.append(row);
    }
    msgCsvPreview->gridModel()->setRows(rows);
    for (qsizetype i = 0; i < shown; ++i)
        for (int f = 1; f < 7; ++f)
            if (m_plan.rows.at(i).filled[size_t(f)])
                msgCsvPreview->gridModel()->setBackground(int(i) + 1, f + 2, GuessedColour);
    lblCsvSummary->setText(CsvSummaryText(m_plan));
    cmdCsvImportOk->setEnabled(m_choices.columns[int(CsvField::Date)] >= 0 &&
                               m_choices.columns[int(CsvField::Weight)] >= 0 && !m_plan.rows.isEmpty());
}

} // namespace zz
