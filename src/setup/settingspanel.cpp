#include "setup/settingspanel.h"
#include "setup/backupframe.h"
#include "shell/csvexportflow.h"
#include "shell/dialogs.h"

#include "base/numbers.h"
#include "entry/entrylogic.h"
#include "setup/bmimeter.h"
#include "setup/newstartframe.h"
#include "setup/setupchecks.h"
#include "setup/statuslisteditor.h"
#include "shell/dialogs.h"
#include "shell/eventhooks.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zz {

SettingsPanel::SettingsPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraSettei"), host, parent)
{
    auto *layout = new QGridLayout(this);

    auto makeIncrementFrame = [](const QString &title, const QStringList &captions, const QString &optionName,
                                 const QString &boxName, const QString &unit, QList<QRadioButton *> &options,
                                 QButtonGroup *&group, QLineEdit *&freeBox) {
        auto *frame = new QGroupBox(title);
        auto *row = new QHBoxLayout(frame);
        group = new QButtonGroup(frame);
        for (int i = 0; i < 3; ++i) {
            auto *option = new QRadioButton(captions[i]);
            option->setObjectName(QStringLiteral("%1(%2)").arg(optionName).arg(i + 1));
            group->addButton(option, i + 1);
            options.append(option);
            row->addWidget(option);
        }
        row->addSpacing(12);
        row->addWidget(new QLabel(QStringLiteral("任意")));
        freeBox = new QLineEdit;
        freeBox->setObjectName(boxName);
        freeBox->setMaximumWidth(70);
        row->addWidget(freeBox);
        row->addWidget(new QLabel(unit));
        row->addStretch();
        return frame;
    };

    layout->addWidget(makeIncrementFrame(QStringLiteral("体重入力 刻み指定　（体重計の刻み）"),
                                         {QStringLiteral("０．１ Ｋｇ"), QStringLiteral("０．２ Ｋｇ"),
                                          QStringLiteral("０．５ Ｋｇ")},
                                         QStringLiteral("optKizami"), QStringLiteral("txtKizami"),
                                         QStringLiteral("Ｋｇ"), optKizami, m_weightOptions, txtKizami),
                      0, 0);
    layout->addWidget(makeIncrementFrame(QStringLiteral("体脂肪率入力 刻み指定　（体脂肪率計の刻み）"),
                                         {QStringLiteral("０．１ ％"), QStringLiteral("０．２ ％"),
                                          QStringLiteral("０．５ ％")},
                                         QStringLiteral("optKizami1"), QStringLiteral("txtKizami2"),
                                         QStringLiteral("％"), optKizami1, m_fatOptions, txtKizami2),
                      1, 0);
    for (int i = 0; i < 3; ++i) {
        connect(optKizami[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optKizami_Click(i + 1);
        });
        connect(optKizami1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optKizami1_Click(i + 1);
        });
    }
    OnEnter(txtKizami, [this] { txtKizami_Enter(); });
    OnEnter(txtKizami2, [this] { txtKizami2_Enter(); });

    chkJikan = new QCheckBox(QStringLiteral("一言日記に自動的に時間を記録"));
    chkJikan->setObjectName(QStringLiteral("chkJikan"));
    connect(chkJikan, &QCheckBox::toggled, this, [this] { chkJikan_Click(); });
    auto *cmdNew1 = new QPushButton(QStringLiteral("新規にスタートするとき"));
    cmdNew1->setObjectName(QStringLiteral("cmdNew1"));
    connect(cmdNew1, &QPushButton::clicked, this, [this] { cmdNew1_Click(); });
    auto *startRow = new QHBoxLayout;
    startRow->addWidget(chkJikan);
    startRow->addStretch();
    startRow->addWidget(cmdNew1);
    layout->addLayout(startRow, 2, 0);
    layout->addWidget(buildPersonalFrame(), 3, 0);

    m_statusEditor = new StatusListEditor(host);
    layout->addWidget(m_statusEditor, 0, 1, 4, 1);
    fraNew = new NewStartFrame(host);
    layout->addWidget(fraNew, 0, 2, 4, 1, Qt::AlignTop);
    auto *fraCsv = new QGroupBox(QStringLiteral("CSVファイル"));
    fraCsv->setObjectName(QStringLiteral("fraCsv"));
    auto *csvRow = new QHBoxLayout(fraCsv);
    auto *cmdCsvImport = new QPushButton(QStringLiteral("CSVから取り込む…"));
    cmdCsvImport->setObjectName(QStringLiteral("cmdCsvImport"));
    cmdCsvImport->setToolTip(QStringLiteral("体重計やアプリが書き出した CSV ファイルの測定を取り込みます"));
    connect(cmdCsvImport, &QPushButton::clicked, this, [this] {
        const QString path =
            Dialogs::OpenFileName(this, QStringLiteral("CSVから取り込む"),
                                  QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)"));
        if (!path.isEmpty())
            this->host().ImportCsv(path);
    });
    auto *cmdCsvExport = new QPushButton(QStringLiteral("CSVに書き出す…"));
    cmdCsvExport->setObjectName(QStringLiteral("cmdCsvExport"));
    cmdCsvExport->setToolTip(QStringLiteral("日記のすべての測定を CSV ファイルに書き出します"));
    connect(cmdCsvExport, &QPushButton::clicked, this, [this] { ExportCsvWithDialog(this, this->host()); });
    csvRow->addWidget(cmdCsvImport);
    csvRow->addWidget(cmdCsvExport);
    layout->addWidget(fraCsv, 4, 2);
    fraBackup = new BackupFrame(host);
    layout->addWidget(fraBackup, 5, 2, 2, 1);

    m_meter = new BmiMeter(host);
    layout->addWidget(m_meter, 4, 0, 1, 2);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);
}

QWidget *SettingsPanel::buildPersonalFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("プライベートデータ"));
    auto *row = new QHBoxLayout(frame);
    const auto box = [&](const QString &name, const QString &caption, const QString &unit, int width) {
        row->addWidget(new QLabel(caption));
        auto *edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMaximumWidth(width);
        row->addWidget(edit);
        if (!unit.isEmpty())
            row->addWidget(new QLabel(unit));
        return edit;
    };
    txtPriData = box(QStringLiteral("txtPriData"), QStringLiteral("名前"), QStringLiteral("※空欄可"), 120);
    txtPriData->setMinimumWidth(90);
    txtSincyou = box(QStringLiteral("txtSincyou"), QStringLiteral("身長"), QStringLiteral("ｃｍ"), 60);
    txtMokuTai = box(QStringLiteral("txtMokuTai"), QStringLiteral("目標体重"), QStringLiteral("Ｋｇ"), 60);
    auto *cmdPHozon1 = new QPushButton(QStringLiteral("データ変更"));
    cmdPHozon1->setObjectName(QStringLiteral("cmdPHozon1"));
    connect(cmdPHozon1, &QPushButton::clicked, this, [this] { cmdPHozon1_Click(); });
    row->addWidget(cmdPHozon1);
    row->addStretch();
    return frame;
}

void SettingsPanel::PreparePanel()
{
    fraBackup->LoadBackups();
    const PersonalData &personal = state().personal;
    txtPriData->setText(personal.userName);
    txtSincyou->setText(NumberText(personal.heightCm));
    txtMokuTai->setText(NumberText(personal.targetWeight));
    m_statusEditor->DisableEditButtons();
}

void SettingsPanel::cmdNew1_Click()
{
    fraNew->Open();
}

void SettingsPanel::cmdPHozon1_Click()
{
    const QString name = txtPriData->text(), height = txtSincyou->text(), target = txtMokuTai->text();
    if (const std::optional<SaveMessage> refusal = PersonalDataRefusal(name, height, target)) {
        Dialogs::ShowRefusal(this, *refusal);
        return;
    }
    const PersonalData edited{name, WholeNumberAsFloat(height).value_or(0),
                              WholeNumberAsFloat(target).value_or(0)};
    // The file first: a failed write changes nothing the user sees.
    const StoreStatus status = WritePersonalData(dir(), edited);
    if (!status) {
        host().ReportStoreFailure(status);
        return;
    }
    host().setPersonalData(edited);
    host().SetWindowTitleFromPersonalData();
    emit personalDataChanged();
    Dialogs::Information(this, QStringLiteral("保存終了"), QStringLiteral("保存が終了しました"));
}

void SettingsPanel::READ_KIZAMI()
{
    Increments increments;
    host().ReportReadFailure(ReadIncrements(dir(), increments.weight, increments.fat));
    host().setIncrements(increments);
    auto show = [](const QString &text, QButtonGroup *group, const QList<QRadioButton *> &options,
                   QLineEdit *freeBox) {
        const int index = IncrementOptionIndex(text);
        if (index > 0) {
            options[index - 1]->setChecked(true);
            return;
        }
        group->setExclusive(false);
        for (QRadioButton *option : options)
            option->setChecked(false);
        group->setExclusive(true);
        freeBox->setText(text);
    };
    show(increments.weight, m_weightOptions, optKizami, txtKizami);
    show(increments.fat, m_fatOptions, optKizami1, txtKizami2);
}

void SettingsPanel::LoadAutoTime()
{
    // Automatic time is on only for a stored 1, as the program writes it.
    int stored = 0;
    host().ReportReadFailure(ReadAutoTime(dir(), stored));
    host().setAutoTimeOn(stored == 1);
    // Setting the box runs its handler when the value changes, which writes
    // the file again with the value just read; that is harmless and kept.
    chkJikan->setChecked(state().autoTimeOn);
}

void SettingsPanel::writeIncrements(const Increments &increments)
{
    host().setIncrements(increments);
    const StoreStatus status = WriteIncrements(dir(), state().increments.weight, state().increments.fat);
    if (!status)
        host().ReportStoreFailure(status);
}

void SettingsPanel::optKizami_Click(int index)
{
    if (state().startupInProgress)
        return;
    writeIncrements({IncrementForOption(index), state().increments.fat});
}

void SettingsPanel::optKizami1_Click(int index)
{
    if (state().startupInProgress)
        return;
    writeIncrements({state().increments.weight, IncrementForOption(index)});
}

void SettingsPanel::txtKizami_Enter()
{
    if (!WholeNumber(txtKizami->text())) {
        Dialogs::Exclamation(this, QStringLiteral("数値以外入力"),
                             NotANumberText(QStringLiteral("体重の刻み")));
        return;
    }
    if (const std::optional<SaveMessage> refusal = UnstorableStatusMessage(txtKizami->text())) {
        Dialogs::ShowRefusal(this, *refusal);
        return;
    }
    writeIncrements({txtKizami->text(), state().increments.fat});
}

void SettingsPanel::txtKizami2_Enter()
{
    if (!WholeNumber(txtKizami2->text())) {
        Dialogs::Exclamation(this, QStringLiteral("数値以外入力"),
                             NotANumberText(QStringLiteral("体脂肪率の刻み")));
        return;
    }
    if (const std::optional<SaveMessage> refusal = UnstorableStatusMessage(txtKizami2->text())) {
        Dialogs::ShowRefusal(this, *refusal);
        return;
    }
    writeIncrements({state().increments.weight, txtKizami2->text()});
}

void SettingsPanel::chkJikan_Click()
{
    host().setAutoTimeOn(chkJikan->isChecked());
    const StoreStatus status = WriteAutoTime(dir(), state().autoTimeOn ? 1 : 0);
    if (!status)
        host().ReportStoreFailure(status);
}

} // namespace zz
