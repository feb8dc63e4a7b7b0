// Correcting and deleting a measurement through the real window, undo and
// redo with the buttons and the keys, and the automatic backups.

#include "base/clock.h"
#include "store/backups.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

using namespace zz;
using namespace Qt::StringLiterals;

class TestCorrections : public WindowTest
{
    Q_OBJECT

    QByteArray data() const { return m_session->diary.bytes(u"データ.txt"_s); }

    // Fills the correction dialog when it opens: `fill` sets its controls,
    // then OK (or Cancel) is pressed.
    void whenDialogOpens(std::function<void(QDialog *)> fill, bool ok = true, int tries = 200)
    {
        QTimer::singleShot(5, this, [this, fill, ok, tries] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != u"dlgMeasurement"_s) {
                if (tries > 0)
                    whenDialogOpens(fill, ok, tries - 1); // not open yet
                return;
            }
            m_dialogTitle = dialog->windowTitle();
            fill(dialog);
            QTest::mouseClick(
                Control<QPushButton>(dialog, ok ? u"cmdMeasurementOk"_s : u"cmdMeasurementCancel"_s),
                Qt::LeftButton);
        });
    }
    static QLineEdit *field(QDialog *dialog, int i)
    {
        return Control<QLineEdit>(dialog, u"txtMeasurement(%1)"_s.arg(i));
    }
    void key(const QString &grid, Qt::Key k, int row)
    {
        auto *view = child<GridView>(grid);
        view->setFocus();
        view->setCurrentCell(row, 2);
        QTest::keyClick(view, k);
    }

    QString m_dialogTitle;

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(7, 30)));
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(u"2026/12/05"_s, u"朝起きて"_s, 65.0f, 24.5f),
                                TestRecord(u"2026/12/07"_s, u"朝起きて"_s, 64.6f, 24.1f),
                                TestRecord(u"2026/12/07"_s, u"夕食後"_s, 65.2f, 24.4f)},
                               PersonalData{u"花子"_s, 160.0f, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    void saveUndoRedoWithButtonsAndKeys()
    {
        const QByteArray before = data();
        auto *undo = child<QPushButton>(u"cmdUndo"_s);
        auto *redo = child<QPushButton>(u"cmdRedo"_s);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        m_session->window->setCurrentStatus(u"夕食後"_s);
        child<QLineEdit>(u"txtTaiInp"_s)->setText(u"65.8"_s);
        child<QLineEdit>(u"txtShiInp"_s)->setText(u"24.0"_s);
        click(u"cmdTaiHozon"_s);
        const QByteArray saved = data();
        QVERIFY(saved != before);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->toolTip(), u"元に戻す: 2026/12/07 夕食後 65.8Kg の登録"_s);
        QCOMPARE(child<GridView>(u"msgDayList"_s)->gridModel()->gridRowCount(), 4);

        click(u"cmdUndo"_s);
        QCOMPARE(data(), before);
        QCOMPARE(child<GridView>(u"msgDayList"_s)->gridModel()->gridRowCount(), 3);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        QCOMPARE(redo->toolTip(), u"やり直す: 2026/12/07 夕食後 65.8Kg の登録"_s);

        // The keys, from the window (not from a text box).
        child<GridView>(u"msgDayList"_s)->setFocus();
        QTest::keyClick(m_session->window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(data(), saved);
        QTest::keyClick(m_session->window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(data(), before);
        QTest::keyClick(m_session->window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(data(), saved);
        QVERIFY(m_session->boxes.boxes.isEmpty());
    }

    void correctMovesTheRecordAndUndoes()
    {
        const QByteArray before = data();
        // F2 on the second row of the day: the dialog holds its values.
        QList<QString> seen;
        bool stayedOpen = false;
        whenDialogOpens([&seen, &stayedOpen](QDialog *dialog) {
            seen << Control<QDateEdit>(dialog, u"dteMeasurementDate"_s)->date().toString(u"yyyy/MM/dd"_s)
                 << Control<QComboBox>(dialog, u"cboMeasurementStatus"_s)->currentText()
                 << field(dialog, 0)->text() << field(dialog, 1)->text();
            // A refused value keeps the dialog open.
            field(dialog, 0)->setText(u"abc"_s);
            QTest::mouseClick(Control<QPushButton>(dialog, u"cmdMeasurementOk"_s), Qt::LeftButton);
            stayedOpen = dialog->isVisible();
            // Correct the weight and move it a day back.
            field(dialog, 0)->setText(u"64.9"_s);
            Control<QDateEdit>(dialog, u"dteMeasurementDate"_s)->setDate(QDate(2026, 12, 5));
        });
        key(u"msgDayList"_s, Qt::Key_F2, 2);
        QCOMPARE(m_dialogTitle, u"測定の修正"_s);
        QCOMPARE(seen, (QList<QString>{u"2026/12/07"_s, u"夕食後"_s, u"65.2"_s, u"24.4"_s}));
        QCOMPARE(m_session->boxes.titles(), QStringList{u"数値以外入力"_s});
        QVERIFY(stayedOpen);
        QList<QByteArray> lines = before.split('\n');
        lines.removeLast(); // after the final line end
        QCOMPARE(lines.size(), 3);
        const QByteArray moved =
            QByteArray(lines[2]).replace("2026/12/07", "2026/12/05").replace("65.2", "64.9");
        QCOMPARE(data(), lines[0] + '\n' + moved + '\n' + lines[1] + '\n');
        // The day shows one record now; the moved one sits with the 5th.
        QCOMPARE(child<GridView>(u"msgDayList"_s)->gridModel()->gridRowCount(), 2);
        QCOMPARE(child<QPushButton>(u"cmdUndo"_s)->toolTip(), u"元に戻す: 2026/12/05 夕食後 64.9Kg の修正"_s);

        click(u"cmdUndo"_s);
        QCOMPARE(data(), before);

        // Cancel, and an unchanged OK, write nothing and add no step.
        whenDialogOpens([](QDialog *) {}, false);
        key(u"msgDayList"_s, Qt::Key_F2, 1);
        whenDialogOpens([](QDialog *) {});
        key(u"msgDayList"_s, Qt::Key_F2, 1);
        QCOMPARE(data(), before);
        QVERIFY(!child<QPushButton>(u"cmdUndo"_s)->isEnabled());
    }

    void deleteFromTheMenuAndTheFilteredList()
    {
        const QByteArray before = data();
        // The context menu of the first row of the day.
        auto *grid = child<GridView>(u"msgDayList"_s);
        QTimer::singleShot(50, this, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QStringList texts;
            for (QAction *action : menu->actions())
                texts << action->text();
            QCOMPARE(texts, (QStringList{u"この測定を修正…"_s, u"この測定を削除…"_s}));
            menu->setActiveAction(menu->actions().at(1));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        m_session->boxes.answer(QMessageBox::Cancel);
        const QRect cell = grid->visualRect(grid->model()->index(0, 2));
        emit grid->customContextMenuRequested(cell.center());
        QVERIFY(!m_session->boxes.boxes.isEmpty());
        QCOMPARE(m_session->boxes.boxes.last().title, u"クリア確認"_s);
        QCOMPARE(m_session->boxes.boxes.last().text,
                 u"2026/12/07 朝起きて 64.6Kg の測定を削除します。よろしいですか？"_s);
        QCOMPARE(m_session->boxes.boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(data(), before);

        // Delete from the filtered view: the first record, the start of the diet.
        click(u"cmdTaijyu"_s);
        m_session->boxes.answer(QMessageBox::Ok);
        key(u"msgBunseki"_s, Qt::Key_Delete, 1);
        const QByteArray deleted = data();
        QCOMPARE(deleted, before.mid(before.indexOf('\n') + 1));
        QCOMPARE(child<GridView>(u"msgBunseki"_s)->gridModel()->gridRowCount(), 3);
        click(u"cmdUndo"_s);
        QCOMPARE(data(), before);
        QCOMPARE(child<GridView>(u"msgBunseki"_s)->gridModel()->gridRowCount(), 4);
        click(u"cmdRedo"_s);
        QCOMPARE(data(), deleted);
        click(u"cmdUndo"_s);
        QCOMPARE(data(), before);

        // The header row does nothing; the last record cannot go.
        const int boxes = m_session->boxes.boxes.size();
        key(u"msgBunseki"_s, Qt::Key_Delete, 0);
        QCOMPARE(m_session->boxes.boxes.size(), boxes);
        m_session->boxes.answer(QMessageBox::Ok);
        key(u"msgBunseki"_s, Qt::Key_Delete, 1);
        m_session->boxes.answer(QMessageBox::Ok);
        key(u"msgBunseki"_s, Qt::Key_Delete, 1);
        key(u"msgBunseki"_s, Qt::Key_Delete, 1);
        QCOMPARE(m_session->boxes.boxes.last().title, u"削除できません"_s);
        QCOMPARE(m_session->boxes.boxes.last().text,
                 u"最後の測定は削除できません。新規スタートは編集画面から行えます。"_s);
        QCOMPARE(m_session->boxes.boxes.last().icon, QMessageBox::Warning);
        QVERIFY(!data().isEmpty());
    }

    void backupsAreMadeAndRestored()
    {
        const QString dir = m_session->diary.dir();
        QList<BackupInfo> backups = ListBackups(dir);
        QCOMPARE(backups.size(), 1); // made at the start
        QCOMPARE(backups[0].records, 3);
        const QByteArray before = data();
        // An unchanged diary makes no new backup at the next start.
        bool made = true;
        QVERIFY(BackUpDiary(dir, Clock::now().addSecs(60), false, &made));
        QVERIFY(!made);

        m_session->boxes.answer(QMessageBox::Ok);
        key(u"msgDayList"_s, Qt::Key_Delete, 1);
        QVERIFY(data() != before);
        click(u"cmdSettei"_s);
        auto *list = child<QListWidget>(u"lstBackups"_s);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), u"2026/12/07 07:30 (3件)"_s);
        list->setCurrentRow(0);
        m_session->boxes.answer(QMessageBox::Ok);
        click(u"cmdBackupRestore"_s);
        QCOMPARE(m_session->boxes.boxes.last().title, u"クリア確認"_s);
        QCOMPARE(data(), before);
        // The state before the restore was kept first; a restore is no undo step.
        QCOMPARE(ListBackups(dir).size(), 2);
        QCOMPARE(list->count(), 2);
        QVERIFY(!child<QPushButton>(u"cmdUndo"_s)->isEnabled());

        // Only the newest twenty stay.
        for (int i = 0; i < 25; ++i)
            QVERIFY(BackUpDiary(dir, Clock::now().addDays(i + 1), true));
        QCOMPARE(ListBackups(dir).size(), BackupsKept);
    }
};

QTEST_MAIN(TestCorrections)
#include "tst_corrections.moc"
