// The changes of the diary the window makes itself: a CSV import (from the
// button or a dropped file), corrections and deletions of a listed
// measurement, and undo and redo of every recorded change.

#include "app/mainwindow.h"

#include "base/clock.h"
#include "base/displayformats.h"
#include "entry/measurementdialog.h"
#include "notes/notespanel.h"
#include "setup/csvimportdialog.h"
#include "shell/dialogs.h"
#include "store/csvimport.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/safefile.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

namespace zz {

void MainWindow::ImportCsv(const QString &path)
{
    const QString title = QStringLiteral("CSVの取り込み");
    if (m_state.sampleMode) {
        Dialogs::Exclamation(
            this, QStringLiteral("新規スタート促し"),
            QStringLiteral("ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    QByteArray bytes;
    if (const StoreStatus status = ReadWholeFile(path, bytes); !status) {
        Dialogs::Exclamation(this, title, status.userText());
        return;
    }
    // A long file is read with a progress dialog that can stop it.
    std::unique_ptr<QProgressDialog> progressBox;
    CsvProgress progress;
    if (bytes.size() > 4 * 1024 * 1024) {
        progressBox = std::make_unique<QProgressDialog>(QStringLiteral("%1 を読んでいます…").arg(name),
                                                        QStringLiteral("キャンセル"), 0, 1000, this);
        progressBox->setObjectName(QStringLiteral("dlgCsvProgress"));
        progressBox->setWindowTitle(title);
        progressBox->setWindowModality(Qt::WindowModal);
        progressBox->setMinimumDuration(0);
        progress = [box = progressBox.get()](int permille) {
            box->setValue(permille);
            QCoreApplication::processEvents();
            return !box->wasCanceled();
        };
    }
    CsvTable table;
    QString fault;
    if (!ReadCsv(bytes, table, fault, progress)) {
        if (!progressBox || !progressBox->wasCanceled())
            Dialogs::Exclamation(this, title, QStringLiteral("%1: %2").arg(name, fault));
        return;
    }
    const CsvChoices recognised = RecogniseCsvColumns(table);
    if (table.hasHeader &&
        (recognised.columns[int(CsvField::Date)] < 0 || recognised.columns[int(CsvField::Weight)] < 0)) {
        Dialogs::Exclamation(
            this, title,
            QStringLiteral("%1: 日付または体重の列が見つかりません。体重計やアプリが書き出した"
                           "測定の CSV ファイルを選んでください。")
                .arg(name));
        return;
    }
    QList<MeasurementRecord> diary;
    if (const StoreStatus status = ReadMeasurements(m_dir, diary); !status) {
        ReportStoreFailure(status);
        return;
    }
    CsvImportDialog dialog(table, diary, m_statusList.stringList(), this, progress);
    if (dialog.cancelled())
        return;
    if (progressBox)
        progressBox->hide();
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (progressBox) {
        progressBox->setLabelText(QStringLiteral("日記に書き込んでいます…"));
        progressBox->setValue(0);
        progressBox->show();
        progress(100);
    }
    const CsvImportPlan &plan = dialog.plan();
    const QString statusPath = ResolveDiaryFile(m_dir, FileNames::StatusList);
    QByteArray listBefore, listAfter;
    QList<LineSplice> splices;
    StoreStatus status =
        BackUpBeforeCsvImport(m_dir, Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (status)
        status = ReadWholeFile(statusPath, listBefore);
    if (status)
        status = CsvMergeSplices(m_dir, plan, splices);
    // The last moment to stop: after this the diary changes in one step.
    if (progressBox && !progress(500))
        return;
    if (status)
        status = SpliceMeasurementLines(m_dir, splices);
    progressBox.reset();
    if (!status) {
        ReportStoreFailure(status);
        return;
    }
    for (const QString &added : plan.newStatuses)
        if (status)
            status = AppendStatusQuoted(m_dir, added);
    if (status)
        status = ReadWholeFile(statusPath, listAfter);
    if (!status) {
        // The measurements are in; the list misses a status. Say so, keep the step.
        ReportStoreFailure(status);
        listAfter.clear();
    }
    RecordStep({QStringLiteral("CSVからの%1件の取り込み").arg(plan.rows.size()), splices,
                status.ok && !plan.newStatuses.isEmpty(), listBefore, listAfter});
    LoadStatusList();
    DiaryChanged();
    Dialogs::Information(this, title,
                         QStringLiteral("%1件の測定を取り込みました。")
                             .arg(QLocale(QLocale::English).toString(qint64(plan.rows.size()))));
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
            event->acceptProposedAction();
            const QString path = url.toLocalFile();
            // After the drop has finished: the import opens a modal dialog.
            QMetaObject::invokeMethod(
                this, [this, path] { ImportCsv(path); }, Qt::QueuedConnection);
            return;
        }
}

void MainWindow::RecordStep(DiaryStep step)
{
    markPanelsStale();
    if (step.splices.isEmpty() && !step.changesStatusList)
        return;
    m_history.push(std::move(step));
    updateUndoButtons();
}

void MainWindow::updateUndoButtons()
{
    cmdUndo->setEnabled(m_history.canUndo());
    cmdRedo->setEnabled(m_history.canRedo());
    cmdUndo->setToolTip(m_history.canUndo() ? QStringLiteral("元に戻す: ") + m_history.undoText()
                                            : QStringLiteral("元に戻す操作はありません"));
    cmdRedo->setToolTip(m_history.canRedo() ? QStringLiteral("やり直す: ") + m_history.redoText()
                                            : QStringLiteral("やり直す操作はありません"));
}

void MainWindow::cmdUndo_Click()
{
    if (m_history.canUndo())
        takeHistoryStep(&DiaryHistory::undo);
}

void MainWindow::cmdRedo_Click()
{
    if (m_history.canRedo())
        takeHistoryStep(&DiaryHistory::redo);
}

void MainWindow::takeHistoryStep(StoreStatus (DiaryHistory::*step)(const QString &))
{
    if (const StoreStatus status = (m_history.*step)(m_dir); !status) {
        ReportStoreFailure(status);
        return;
    }
    LoadStatusList();
    DiaryChanged();
}

bool MainWindow::listedRecord(const ListedMeasurement &measurement, MeasurementRecord &record,
                              qsizetype &count)
{
    QList<MeasurementRecord> records;
    if (const StoreStatus status = ReadMeasurements(m_dir, records); !status) {
        ReportStoreFailure(status);
        return false;
    }
    if (measurement.index < 0 || measurement.index >= records.size() ||
        records.at(measurement.index).date != measurement.date) {
        ReportStoreFailure(StoreStatus::failure(
            FileNames::Measurements,
            QStringLiteral("ファイルがプログラムの外で変更されました。表示を更新します。")));
        DiaryChanged();
        return false;
    }
    record = records.at(measurement.index);
    count = records.size();
    return true;
}

void MainWindow::CorrectMeasurement(const ListedMeasurement &measurement)
{
    MeasurementRecord record;
    qsizetype count = 0;
    if (!listedRecord(measurement, record, count))
        return;
    MeasurementDialog dialog(record, m_statusList.stringList(), m_state.sampleMode, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const MeasurementRecord corrected = dialog.corrected();
    QList<LineSplice> done;
    if (const StoreStatus status = zz::CorrectMeasurement(m_dir, measurement.index, record, corrected, done);
        !status) {
        ReportStoreFailure(status);
        return;
    }
    if (done.isEmpty())
        return; // unchanged: nothing was written
    RecordStep({StepDescription(corrected, QStringLiteral("修正")), done, false, {}, {}});
    DiaryChanged();
}

void MainWindow::DeleteMeasurement(const ListedMeasurement &measurement)
{
    MeasurementRecord record;
    qsizetype count = 0;
    if (!listedRecord(measurement, record, count))
        return;
    if (count < 2) {
        Dialogs::Exclamation(
            this, QStringLiteral("削除できません"),
            QStringLiteral("最後の測定は削除できません。新規スタートは編集画面から行えます。"));
        return;
    }
    if (!Dialogs::AskOkCancel(this, QStringLiteral("クリア確認"),
                              QStringLiteral("%1 %2 %3 の測定を削除します。よろしいですか？")
                                  .arg(record.date, record.status, FormatKg(record.weight))))
        return;
    QList<LineSplice> done;
    if (const StoreStatus status = zz::DeleteMeasurement(m_dir, measurement.index, record, done); !status) {
        ReportStoreFailure(status);
        return;
    }
    RecordStep({StepDescription(record, QStringLiteral("削除")), done, false, {}, {}});
    DiaryChanged();
}

} // namespace zz
