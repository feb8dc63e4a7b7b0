// The diary panel and the settings panel's personal data, New start and
// status-list editing, walked through the real window.

#include "base/clock.h"
#include "base/cp932.h"
#include "controls.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "ui/gridview.h"
#include "windowtest.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

class TestNotesSetup : public WindowTest
{
    Q_OBJECT

    QList<MeasurementRecord> m_records;

    QStringList items(const QString &list) { return ListTexts(child<QAbstractItemView>(list)); }
    void clickItem(const QString &list, int row) { ClickListRow(child<QAbstractItemView>(list), row); }
    QList<MeasurementRecord> stored()
    {
        QList<MeasurementRecord> records;
        if (!ReadMeasurements(m_session->diary.dir(), records).ok)
            qFatal("unreadable diary");
        return records;
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(8, 15, 0)));
        m_records = {TestRecord(u"2026/12/06"_s, u"朝起きて"_s, 65.0f),
                     TestRecord(u"2026/12/07"_s, u"朝起きて"_s, 64.8f),
                     TestRecord(u"2026/12/07"_s, u"夕食後"_s, 65.1f)};
        m_records[0].spare = u"旧版の値"_s;
        m_records[2].spare = u"xyz"_s;
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write(m_records, PersonalData{u"花子"_s, 160.0f, 60.0f}, 0,
                               {u"朝起きて"_s, u"夕食後"_s, u"入浴後"_s});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void unsavedTextIsAskedAboutOnExit()
    {
        click(u"cmdMemo"_s);
        auto *memo = child<QPlainTextEdit>(u"txtKizuki"_s);
        memo->setPlainText(u"水を多めに"_s);
        auto *window = m_session->window.get();
        // Cancel keeps the program open and writes nothing.
        m_session->boxes.answer(QMessageBox::Cancel);
        click(u"cmdOwari"_s);
        QCOMPARE(m_session->boxes.titles(), QStringList{u"終了確認"_s});
        QCOMPARE(m_session->boxes.boxes[0].text, u"気付きメモが保存されていません。保存しますか？"_s);
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Question);
        QVERIFY(window->isVisible());
        QVERIFY(!m_session->diary.bytes(u"気付きメモ.TXT"_s).contains("\x90\x85")); // 水
        // A comment typed and not saved is asked about too; Yes saves the memo,
        // No drops the comment, and the program ends.
        auto *grid = child<GridView>(u"msgMemoList"_s);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->gridModel()->index(1, 2)).center());
        child<QLineEdit>(u"txtMemo"_s)->setText(u"よく歩いた"_s);
        m_session->boxes.answer(QMessageBox::Yes);
        m_session->boxes.answer(QMessageBox::No);
        click(u"cmdOwari"_s);
        QCOMPARE(m_session->boxes.titles().mid(1), (QStringList{u"終了確認"_s, u"終了確認"_s}));
        QCOMPARE(m_session->boxes.boxes[2].text, u"一言日記のコメントが保存されていません。保存しますか？"_s);
        QVERIFY(!window->isVisible());
        QVERIFY(m_session->diary.bytes(u"気付きメモ.TXT"_s).contains("\x90\x85"));
        QVERIFY(!stored()[1].comment.contains(u"歩"_s));
    }

    void cleanup() { m_session.reset(); }

    void diaryAndMemo()
    {
        click(u"cmdMemo"_s);
        auto *grid = child<GridView>(u"msgMemoList"_s);
        QCOMPARE(grid->gridModel()->gridRowCount(), 4);
        auto *memo = child<QLineEdit>(u"txtMemo"_s);
        // Enter before a row is chosen does nothing.
        const QByteArray before = m_session->diary.bytes(u"データ.txt"_s);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), before);
        QVERIFY(!child<QPushButton>(u"cmdMemoHozon"_s)->isEnabled());

        const QRect cell = grid->visualRect(grid->gridModel()->index(1, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(child<QPushButton>(u"cmdMemoHozon"_s)->isEnabled());
        QCOMPARE(grid->currentGridColumn(), 7);
        memo->setText(u"ケーキを食べた"_s);
        QTest::keyClick(memo, Qt::Key_Return);
        // Only the comment of the second record changed; the spare texts stay.
        QList<MeasurementRecord> expected = m_records;
        expected[1].comment = u"ケーキを食べた"_s;
        QCOMPARE(stored(), expected);
        QCOMPARE(grid->gridModel()->text(2, 7), u"ケーキを食べた"_s);

        // A comment the file cannot hold is refused.
        memo->setText(u"\"引用\""_s);
        click(u"cmdMemoHozon"_s);
        QCOMPARE(m_session->boxes.titles(), QStringList{u"入力文字エラー"_s});
        QCOMPARE(stored(), expected);

        // The notice memo comes back after a restart as it was saved.
        child<QPlainTextEdit>(u"txtKizuki"_s)->setPlainText(u"一行目\n二行目\n三行目"_s);
        click(u"cmdKizukiHozon"_s);
        m_session->window.reset();
        m_session->start();
        QCOMPARE(child<QPlainTextEdit>(u"txtKizuki"_s)->toPlainText(), u"一行目\n二行目\n三行目"_s);
    }

    void personalDataAndNewStart()
    {
        click(u"cmdSettei"_s);
        QCOMPARE(child<QLineEdit>(u"txtSincyou"_s)->text(), u"160"_s);
        child<QLineEdit>(u"txtSincyou"_s)->clear();
        const QByteArray personal = m_session->diary.bytes(u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s);
        click(u"cmdPHozon1"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"身長未入力"_s);
        QCOMPARE(m_session->diary.bytes(u"ﾌﾟﾗｲﾍﾞｰﾄ.txt"_s), personal);
        child<QLineEdit>(u"txtSincyou"_s)->setText(u"158.5"_s);
        child<QLineEdit>(u"txtPriData"_s)->setText(u"Hanako"_s);
        click(u"cmdPHozon1"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"保存終了"_s);
        QCOMPARE(m_session->window->windowTitle(), u" Hanako の Zumazuma☆ダイエット"_s);
        QCOMPARE(m_session->window->state().personal.heightCm, 158.5f);

        click(u"cmdNew1"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"データを登録しましょう"_s);
        QVERIFY(child<QWidget>(u"fraNew"_s)->isVisible());
        const QStringList boxes{u"txtPriData1"_s, u"txtSincyou1"_s,  u"txtMokuTai1"_s, u"txtNowTai"_s,
                                u"txtNowShi"_s,   u"txtNowTaisya"_s, u"txtNowNaizo"_s, u"txtNowKinr"_s,
                                u"txtNowKins"_s,  u"txtNowKotu"_s};
        const QStringList values{QString(), u"170"_s, u"62"_s, u"70.5kg"_s, u"24"_s,
                                 u"1500"_s, u"9"_s,   u"50"_s, u"90"_s,     u"3"_s};
        for (int i = 0; i < boxes.size(); ++i)
            child<QLineEdit>(boxes[i])->setText(values[i]);
        // Cancel in the confirmation changes nothing.
        const QByteArray diary = m_session->diary.bytes(u"データ.txt"_s);
        click(u"cmdStHozon"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"クリア確認"_s);
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), diary);
        QVERIFY(child<QWidget>(u"fraNew"_s)->isVisible());

        m_session->boxes.answer(QMessageBox::Ok);
        click(u"cmdStHozon"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"新規登録終了"_s);
        QVERIFY(!m_session->window->isVisible());
        const QList<MeasurementRecord> records = stored();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].date, u"2026/12/07"_s);
        QCOMPARE(records[0].weight, 70.5f);
        QCOMPARE(records[0].status, u"はじめの一歩"_s);
        QCOMPARE(m_session->diary.bytes(u"データ_新規スタート前_20261207-081500.txt"_s), diary);
        // The next start has no name in its title.
        m_session->window.reset();
        m_session->start();
        QCOMPARE(m_session->window->windowTitle(), u" Zumazuma☆ダイエット"_s);
    }

    void statusListEditing()
    {
        click(u"cmdSettei"_s);
        QVERIFY(!child<QPushButton>(u"cmdDel"_s)->isEnabled());
        m_session->boxes.answerInput(u"散歩後"_s);
        click(u"cmdNew2"_s);
        const QStringList four{u"朝起きて"_s, u"夕食後"_s, u"入浴後"_s, u"散歩後"_s};
        for (const QString &list : {u"lstAct"_s, u"lstAct2"_s, u"lstKoumoku"_s})
            QCOMPARE(items(list), four);
        QVERIFY(m_session->diary.bytes(u"状況リスト.txt"_s)
                    .endsWith(QByteArray(QByteArray("\r\n") + storeText(u"散歩後"_s) + "\r\n")));

        // Drag the third entry onto the first: it goes to the top, in this list only.
        auto *list = child<QListWidget>(u"lstKoumoku"_s);
        const auto centre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre(2));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(0));
        QCOMPARE(items(u"lstKoumoku"_s), (QStringList{u"入浴後"_s, u"朝起きて"_s, u"夕食後"_s, u"散歩後"_s}));
        QCOMPARE(items(u"lstAct"_s), four);
        QVERIFY(child<QPushButton>(u"cmdSort"_s)->styleSheet().contains(u"255, 224, 192"_s));
        // Onto the one right below: nothing moves.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre(1));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(2));
        QCOMPARE(items(u"lstKoumoku"_s).at(1), u"朝起きて"_s);
        clickItem(u"lstKoumoku"_s, 0);
        click(u"cmdSort"_s);
        QCOMPARE(items(u"lstAct"_s), (QStringList{u"入浴後"_s, u"朝起きて"_s, u"夕食後"_s, u"散歩後"_s}));
        QVERIFY(child<QPushButton>(u"cmdSort"_s)->styleSheet().isEmpty());
        QCOMPARE(m_session->boxes.titles().last(), u"並び替え完了"_s);

        // Delete one: the measurements keep their status.
        clickItem(u"lstKoumoku"_s, 2);
        m_session->boxes.answer(QMessageBox::Ok);
        click(u"cmdDel"_s);
        QCOMPARE(items(u"lstAct2"_s), (QStringList{u"入浴後"_s, u"朝起きて"_s, u"散歩後"_s}));
        QCOMPARE(stored().at(2).status, u"夕食後"_s);
        QVERIFY(!child<QPushButton>(u"cmdDel"_s)->isEnabled());

        // A rename cut half-way (the list cannot be written) says what was
        // done and shows it; the next press finishes it.
        clickItem(u"lstKoumoku"_s, 1);
        child<QLineEdit>(u"txtChg"_s)->setText(u"起床直後"_s);
        m_session->boxes.answer(QMessageBox::Ok);
        testing::SetWriteFailure(testing::FailPoint::Rename, ENOSPC, 0, 1);
        click(u"cmdChg"_s);
        testing::ClearWriteFailure();
        QVERIFY2(m_session->boxes.boxes.last().text.contains(u"状況リストは変更できませんでした"_s),
                 qPrintable(m_session->boxes.boxes.last().text));
        QCOMPARE(stored().at(1).status, u"起床直後"_s);
        QCOMPARE(items(u"lstAct"_s), (QStringList{u"入浴後"_s, u"朝起きて"_s, u"散歩後"_s}));
        QCOMPARE(child<GridView>(u"msgDayList"_s)->gridModel()->text(1, 1), u"起床直後"_s);

        // Rename everywhere; the main panel shows the new status.
        clickItem(u"lstKoumoku"_s, 1);
        child<QLineEdit>(u"txtChg"_s)->setText(u"起床直後"_s);
        m_session->boxes.answer(QMessageBox::Ok);
        click(u"cmdChg"_s);
        QCOMPARE(m_session->boxes.titles().last(), u"コメント変更終了"_s);
        QCOMPARE(stored().at(1).status, u"起床直後"_s);
        QCOMPARE(items(u"lstAct"_s), (QStringList{u"入浴後"_s, u"起床直後"_s, u"散歩後"_s}));
        QCOMPARE(child<GridView>(u"msgDayList"_s)->gridModel()->text(1, 1), u"起床直後"_s);

        // Delete all.
        m_session->boxes.answer(QMessageBox::Ok);
        click(u"cmdDel2"_s);
        QVERIFY(m_session->diary.bytes(u"状況リスト.txt"_s).isEmpty());
        QVERIFY(items(u"lstAct"_s).isEmpty() && items(u"lstKoumoku"_s).isEmpty());
    }

private:
    static QByteArray storeText(const QString &text)
    {
        QByteArray bytes;
        EncodeCp932(text, bytes);
        return bytes;
    }
};

QTEST_MAIN(TestNotesSetup)
#include "tst_notessetup.moc"
