// CSV in and out through the real window: the settings panel's buttons, the
// import dialog, undo of an import, the filtered view's export.

#include "base/clock.h"
#include "base/cp932.h"
#include "shell/dialogs.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>

using namespace zz;
using namespace Qt::StringLiterals;

class TestCsv : public WindowTest
{
    Q_OBJECT

    QTemporaryDir m_files;

    QString file(const QString &name, const QByteArray &bytes = {})
    {
        const QString path = QDir(m_files.path()).filePath(name);
        if (!bytes.isNull()) {
            QFile out(path);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
                qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Works the import dialog when it opens, then presses OK or Cancel.
    void whenImportOpens(std::function<bool(QDialog *)> work, int tries = 400)
    {
        QTimer::singleShot(5, this, [this, work, tries] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != u"dlgCsvImport"_s) {
                if (tries > 0)
                    whenImportOpens(work, tries - 1);
                return;
            }
            const bool ok = work(dialog);
            QTest::mouseClick(
                Control<QPushButton>(dialog, ok ? u"cmdCsvImportOk"_s : u"cmdCsvImportCancel"_s),
                Qt::LeftButton);
        });
    }

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
        click(u"cmdSettei"_s);
    }
    void cleanup() { m_session.reset(); }

    void exportThenImportAddsNothing()
    {
        Dialogs::testing::AnswerNextFileDialog(file(u"out.csv"_s));
        click(u"cmdCsvExport"_s);
        QCOMPARE(m_session->boxes.boxes.last().title, u"CSVの書き出し"_s);
        QCOMPARE(m_session->boxes.boxes.last().text, u"3件の測定を書き出しました。"_s);
        const QByteArray exported = read(file(u"out.csv"_s));
        QVERIFY(exported.startsWith("\xEF\xBB\xBF日付,状況,体重(kg)"));
        QCOMPARE(exported.count("\r\n"), 4);

        // The same records again: every row a duplicate, nothing to store.
        QString summary;
        bool okEnabled = true;
        whenImportOpens([&](QDialog *dialog) {
            summary = Control<QLabel>(dialog, u"lblCsvSummary"_s)->text();
            okEnabled = Control<QPushButton>(dialog, u"cmdCsvImportOk"_s)->isEnabled();
            return false;
        });
        const QByteArray before = m_session->diary.bytes(u"データ.txt"_s);
        Dialogs::testing::AnswerNextFileDialog(file(u"out.csv"_s));
        click(u"cmdCsvImport"_s);
        QCOMPARE(summary, u"取り込む測定 0件　重複 3件　読めない行 0件"_s);
        QVERIFY(!okEnabled);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), before);
    }

    void importWithAChosenStatusAndUndo()
    {
        const QString csv = file(u"scale.csv"_s, "Date,Time,Weight (kg),Body Fat (%),BMI\r\n"
                                                 "2026-12-06,06:40,65.1,24.3,25.4\r\n"
                                                 "2026-12-07,21:05,64.9,,25.3\r\n"
                                                 "oops,,,,\r\n");
        const QByteArray data = m_session->diary.bytes(u"データ.txt"_s);
        const QByteArray list = m_session->diary.bytes(u"状況リスト.txt"_s);
        QStringList columns, preview;
        QString summary;
        whenImportOpens([&](QDialog *dialog) {
            for (int f = 0; f < 4; ++f)
                columns << Control<QComboBox>(dialog, u"cboCsvColumn(%1)"_s.arg(f))->currentText();
            // The morning rows get a status the list does not have yet.
            Control<QComboBox>(dialog, u"cboCsvStatus(0)"_s)->setCurrentText(u"起床時"_s);
            const GridModel *model = Control<GridView>(dialog, u"msgCsvPreview"_s)->gridModel();
            for (int r = 1; r < model->gridRowCount(); ++r)
                preview << model->text(r, 0) + u' ' + model->text(r, 1) + u' ' + model->text(r, 2) + u' ' +
                               model->text(r, 3);
            // The missing body fat is guessed (the diary's last value of that day), and shown so.
            if (!model->background(2, 3).isValid())
                preview << u"not grey"_s;
            summary = Control<QLabel>(dialog, u"lblCsvSummary"_s)->text();
            return true;
        });
        Dialogs::testing::AnswerNextFileDialog(csv);
        click(u"cmdCsvImport"_s);
        QCOMPARE(columns, (QStringList{u"Date"_s, u"Time"_s, u"Weight (kg)"_s, u"Body Fat (%)"_s}));
        QCOMPARE(preview,
                 (QStringList{u"2026/12/06 起床時 65.1Kg 24.3%"_s, u"2026/12/07 朝起きて 64.9Kg 24.4%"_s}));
        QCOMPARE(summary, u"取り込む測定 2件　重複 0件　読めない行 1件（4行目）"_s);
        QCOMPARE(m_session->boxes.boxes.last().title, u"CSVの取り込み"_s);
        QCOMPARE(m_session->boxes.boxes.last().text, u"2件の測定を取り込みました。"_s);
        QCOMPARE(m_session->boxes.boxes.last().icon, QMessageBox::Information);
        QByteArray added;
        QVERIFY(EncodeCp932(u"\"起床時\"\r\n"_s, added));
        QVERIFY(m_session->diary.bytes(u"状況リスト.txt"_s).endsWith(added));
        QCOMPARE(m_session->window->statusListModel()->stringList().last(), u"起床時"_s);
        QCOMPARE(QDir(m_session->diary.dir()).entryList({u"データ_CSV取り込み前_*.txt"_s}).size(), 1);
        QCOMPARE(QDir(m_session->diary.dir()).entryList({u"状況リスト_CSV取り込み前_*.txt"_s}).size(), 1);
        const QByteArray imported = m_session->diary.bytes(u"データ.txt"_s);
        QCOMPARE(imported.count('\n'), 5);

        // One undo step takes both files back; redo puts them forward.
        click(u"cmdUndo"_s);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), data);
        QCOMPARE(m_session->diary.bytes(u"状況リスト.txt"_s), list);
        click(u"cmdRedo"_s);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), imported);
    }

    void badFilesAreNamedAndNothingIsWritten()
    {
        const QByteArray before = m_session->diary.bytes(u"データ.txt"_s);
        Dialogs::testing::AnswerNextFileDialog(file(u"picture.csv"_s, QByteArray("\x89PNG\0\0\0", 7)));
        click(u"cmdCsvImport"_s);
        QVERIFY2(m_session->boxes.boxes.last().text.startsWith(u"picture.csv: CSV ファイルではありません"_s),
                 qPrintable(m_session->boxes.boxes.last().text));
        Dialogs::testing::AnswerNextFileDialog(file(u"other.csv"_s, "name,age\r\nHanako,30\r\n"));
        click(u"cmdCsvImport"_s);
        QVERIFY(m_session->boxes.boxes.last().text.startsWith(
            u"other.csv: 日付または体重の列が見つかりません"_s));
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), before);
    }

    // A long file shows its progress and can be stopped; the diary stays as it was.
    void longFileCanBeCancelled()
    {
        QByteArray big("Date,Weight (kg)\r\n");
        for (int i = 0; i < 300000; ++i)
            big += QDate(1990, 1, 1).addDays(i / 3).toString(u"yyyy-MM-dd"_s).toLatin1() + ",65.4\r\n";
        const QByteArray before = m_session->diary.bytes(u"データ.txt"_s);
        bool sawProgress = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QProgressDialog *>(w); box && box->isVisible()) {
                    sawProgress = true;
                    box->cancel();
                }
        });
        watcher.start(1);
        Dialogs::testing::AnswerNextFileDialog(file(u"big.csv"_s, big));
        click(u"cmdCsvImport"_s);
        watcher.stop();
        QVERIFY(sawProgress);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), before);
        QVERIFY(!qobject_cast<QDialog *>(QApplication::activeModalWidget()));
    }

    void filteredViewExportsTheRowsShown()
    {
        click(u"cmdTaijyu"_s);
        m_session->boxes.answer(QMessageBox::Ok);
        Dialogs::testing::AnswerNextFileDialog(file(u"shown.csv"_s));
        click(u"cmdCsvData"_s);
        QCOMPARE(m_session->boxes.boxes.last().text, u"3件の測定を書き出しました。"_s);
        QVERIFY(read(file(u"shown.csv"_s)).contains("2026-12-07,夕食後,65.2,24.4"));
    }
};

QTEST_MAIN(TestCsv)
#include "tst_csv.moc"
