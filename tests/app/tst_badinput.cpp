// One program per diary folder, and bad input in every text box of every
// panel: refused, never a crash, a hang or a file holding it.

#include "app/startup.h"
#include "base/clock.h"
#include "controls.h"
#include "windowsession.h"

#include "base/cp932.h"
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QLockFile>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

class TestBadInput : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowSession> m_session;

    void startDiary()
    {
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(u"2026/12/06"_s, u"朝起きて"_s, 65.0f),
                                TestRecord(u"2026/12/07"_s, u"朝起きて"_s, 64.8f)},
                               PersonalData{u"花子"_s, 160.0f, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }

private Q_SLOTS:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(8, 0))); }
    void cleanup() { m_session.reset(); }

    void oneProgramPerFolder()
    {
        startDiary();
        const QStringList files = QDir(m_session->diary.dir()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY(files.contains(DiaryLockName));
        BoxWatcher &boxes = m_session->boxes;
        QVERIFY(!StartProgram(m_session->diary.dir()));
        QVERIFY2(boxes.titles() == QStringList{u"Zumazuma☆ダイエット"_s},
                 qPrintable(boxes.titles().join(u"|"_s)));
        QCOMPARE(boxes.boxes[0].text, u"この日記フォルダーはすでに別の Zumazuma☆ダイエット で使われています。"
                                      u"先に開いている方を終了してください。"_s);
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(QDir(m_session->diary.dir()).entryList(QDir::Files | QDir::Hidden), files);
        // A normal exit takes the lock away.
        m_session->window.reset();
        QVERIFY(!QDir(m_session->diary.dir()).exists(DiaryLockName));
    }

    void lockOfAKilledProgramIsTakenOver()
    {
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/06"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        // A lock whose program is gone: the pid of a process that has ended.
        QProcess ended;
        ended.start(u"true"_s);
        QVERIFY(ended.waitForFinished());
        const qint64 pid = ended.processId() ? ended.processId() : 999999;
        diary.writeBytes(DiaryLockName, QByteArray::number(pid) + "\nzumazuma\n" +
                                            QSysInfo::machineHostName().toUtf8() + "\n");
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QVERIFY(boxes.boxes.isEmpty());
    }

    // Locks that no running program can hold are taken over; a lock of
    // another computer only after asking, and only when it is a day old.
    void locksThatCannotBeHeldAreTakenOver_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("ageDays");
        QTest::addColumn<int>("answer"); // the answer to the question, or -1: no question
        QTest::addColumn<bool>("opens");
        const QByteArray other = "123\nzumazuma\nlaptop-of-hanako\n";
        QTest::newRow("empty lock") << QByteArray() << 0 << -1 << true;
        QTest::newRow("garbage lock") << QByteArray("\xff\xfe\x00junk") << 0 << -1 << true;
        QTest::newRow("folder of that name") << QByteArray("<dir>") << 0 << -1 << true;
        QTest::newRow("other computer, old, taken over") << other << 2 << int(QMessageBox::Yes) << true;
        QTest::newRow("other computer, old, declined") << other << 2 << int(QMessageBox::No) << false;
        QTest::newRow("other computer, recent") << other << 0 << -1 << false;
    }
    void locksThatCannotBeHeldAreTakenOver()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, ageDays);
        QFETCH(int, answer);
        QFETCH(bool, opens);
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/06"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        const QString lockPath = QDir(diary.dir()).filePath(DiaryLockName);
        if (lock == "<dir>") {
            QVERIFY(QDir(diary.dir()).mkdir(DiaryLockName));
        } else {
            diary.writeBytes(DiaryLockName, lock);
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-ageDays),
                                     QFileDevice::FileModificationTime));
        }
        Clock::setFixed(QDateTime::currentDateTime());
        BoxWatcher boxes;
        if (answer >= 0)
            boxes.answer(QMessageBox::StandardButton(answer));
        auto window = StartProgram(diary.dir());
        QCOMPARE(bool(window), opens);
        if (answer >= 0) {
            QCOMPARE(boxes.boxes.size(), 1);
            QVERIFY2(boxes.boxes[0].text.contains(u"laptop-of-hanako"_s), qPrintable(boxes.boxes[0].text));
        } else if (opens) {
            QVERIFY2(boxes.boxes.isEmpty(), qPrintable(boxes.titles().join(u'|')));
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QVERIFY(boxes.boxes[0].text.contains(u"すでに別の"_s));
        }
    }

    void folderThatCannotBeWrittenIsNotCalledInUse()
    {
        QTemporaryDir temp;
        const QString notAFolder = QDir(temp.path()).filePath(u"file"_s);
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        BoxWatcher boxes;
        QVERIFY(!StartProgram(notAFolder));
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY2(boxes.boxes[0].text.startsWith(u"この日記フォルダーに書き込めません"_s),
                 qPrintable(boxes.boxes[0].text));
    }

    // Text from a broken settings file reaches a box cut short and with its
    // control characters shown, and the box comes at once.
    void hugeSettingLineIsQuotedShort()
    {
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/06"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        diary.writeBytes(u"自動時間.TXT"_s, "\x01" + QByteArray(2 * 1024 * 1024, 'x') + "\r\n");
        diary.writeBytes(u"マーカー.TXT"_s, "\x82\xa0\r\n"); // "あ" in code page 932
        BoxWatcher boxes;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!StartProgram(diary.dir()));
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY2(boxes.boxes[0].text.contains(u"「あ」"_s), qPrintable(boxes.boxes[0].text));
        diary.writeBytes(u"マーカー.TXT"_s, "0\r\n");
        QVERIFY(!StartProgram(diary.dir()));
        QCOMPARE(boxes.boxes.size(), 2);
        const QString text = boxes.boxes[1].text;
        QVERIFY2(text.contains(u"「?" + QString(79, u'x') + u"…」"), qPrintable(text.left(200)));
        QVERIFY(text.size() < 400);
    }

    // A file an editor saved as UTF-8 is named, and converted when the user agrees.
    void utf8FileIsOfferedForConversion()
    {
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/06"_s, u"朝起きて"_s, 65.0f)},
                    PersonalData{u"花子"_s, 160.0f, 60.0f});
        const QByteArray cp932 = diary.bytes(u"データ.txt"_s);
        QString text;
        QVERIFY(DecodeCp932(cp932, text));
        diary.writeBytes(u"データ.txt"_s, "\xEF\xBB\xBF" + text.toUtf8());
        BoxWatcher boxes;
        boxes.answer(QMessageBox::No);
        QVERIFY(!StartProgram(diary.dir()));
        QVERIFY2(boxes.boxes[0].text.startsWith(u"データ.txt は UTF-8 で保存されています"_s),
                 qPrintable(boxes.boxes[0].text));
        boxes.answer(QMessageBox::Yes);
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        QCOMPARE(diary.bytes(u"データ.txt"_s), cp932);
        const QStringList kept = QDir(diary.dir()).entryList({u"データ_UTF8_*.txt"_s});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(diary.bytes(kept[0]), "\xEF\xBB\xBF" + text.toUtf8());
    }

    // Copies left by a killed rewrite go once the diary is known whole.
    void leftoverCopiesAreRemovedAtStart()
    {
        DiaryFixture diary;
        diary.write({TestRecord(u"2026/12/06"_s, u"朝"_s, 65.0f)}, PersonalData{u"花子"_s, 160.0f, 60.0f});
        for (const QString &name : {u"データＣＨＧ.txt"_s, u"データコピー.txt"_s, u"状況リスト.txt.tmp"_s})
            diary.writeBytes(name, "half");
        BoxWatcher boxes;
        auto window = StartProgram(diary.dir());
        QVERIFY(window);
        for (const QString &name : {u"データＣＨＧ.txt"_s, u"データコピー.txt"_s, u"状況リスト.txt.tmp"_s})
            QVERIFY2(!QFile::exists(QDir(diary.dir()).filePath(name)), qPrintable(name));
    }

    // Every control of every panel takes the focus from Tab; pictures and
    // controls without a caption carry a Japanese accessible name.
    void keyboardAndAssistiveTechnology()
    {
        startDiary();
        QMainWindow *window = m_session->window.get();
        const QStringList panels{u"cmdMain"_s,   u"cmdTaijyu"_s, u"cmdBunseki"_s, u"cmdRentai"_s,
                                 u"cmdSettei"_s, u"cmdCale"_s,   u"cmdMemo"_s,    u"cmdAvgtai"_s};
        for (const QString &panel : panels) {
            QTest::mouseClick(Control<QPushButton>(window, panel), Qt::LeftButton);
            QStringList unreachable;
            for (QWidget *w : window->findChildren<QWidget *>()) {
                const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                                     qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w) ||
                                     qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QAbstractSlider *>(w);
                // A scroll area's bars follow the focus; they take none themselves.
                const bool scrollAreaBar = w->parentWidget()->objectName().startsWith(u"qt_scrollarea"_s);
                if (control && !scrollAreaBar && !qobject_cast<QHeaderView *>(w) && w->isVisible() &&
                    w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus) &&
                    !w->objectName().startsWith(u"qt_"_s))
                    unreachable.append(w->objectName() + u'(' +
                                       QString::fromLatin1(w->metaObject()->className()) + u')');
            }
            QVERIFY2(unreachable.isEmpty(), qPrintable(panel + u": "_s + unreachable.join(u", "_s)));
        }
        for (const QString &name : {u"imgwara"_s, u"imgniko"_s, u"imgkana"_s, u"imgNashi"_s, u"Image1"_s,
                                    u"Image2"_s, u"cmdDn"_s, u"cmdUp6"_s, u"chkHelp"_s, u"Shape1(0)"_s,
                                    u"Shape2(4)"_s, u"cmdTaiHozon"_s, u"imgWara2"_s, u"Image3(0)"_s})
            QVERIFY2(!Control<QWidget>(window, name)->accessibleName().isEmpty(), qPrintable(name));
        // The main panel's order: status list and calendar, the boxes, save, the step buttons.
        QTest::mouseClick(Control<QPushButton>(window, u"cmdMain"_s), Qt::LeftButton);
        QStringList order;
        QWidget *w = Control<QWidget>(window, u"txtTaiInp"_s);
        for (int i = 0; i < 8; ++i) {
            order.append(w->objectName());
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled());
        }
        QCOMPARE(order, (QStringList{u"txtTaiInp"_s, u"txtShiInp"_s, u"txtTaisya"_s, u"txtNaizo"_s,
                                     u"txtKinr"_s, u"txtKins"_s, u"txtKotu"_s, u"cmdTaiHozon"_s}));
        // The whole walk through the main panel, for the record.
        QStringList walk;
        QWidget *panel = Control<QWidget>(window, u"fraMain"_s);
        QWidget *first = Control<QWidget>(window, u"lstAct"_s);
        w = first;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && panel->isAncestorOf(w))
                walk.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                      : w->objectName());
            w = w->nextInFocusChain();
        } while (w != first);
        qInfo("Tab through the main panel: %s", qPrintable(walk.join(u" → "_s)));
    }

    void aBoxThatSaysNoNumberIsRefused()
    {
        startDiary();
        const QByteArray before = m_session->diary.bytes(u"データ.txt"_s);
        ClickListRow(Control<QAbstractItemView>(m_session->window.get(), u"lstAct"_s), 0);
        // Full-width digits, as a Japanese input method types them.
        Control<QLineEdit>(m_session->window.get(), u"txtKinr"_s)->setText(u"６０．５"_s);
        QTest::mouseClick(Control<QPushButton>(m_session->window.get(), u"cmdTaiHozon"_s), Qt::LeftButton);
        QCOMPARE(m_session->boxes.titles(), QStringList{u"数値以外入力"_s});
        QVERIFY(m_session->boxes.boxes[0].text.startsWith(u"筋肉量に数値を入力してください"_s));
        QCOMPARE(m_session->diary.bytes(u"データ.txt"_s), before);
    }

    void badTextsEverywhere()
    {
        startDiary();
        const QString dir = m_session->diary.dir();
        const QStringList bad{QString(10000, u'あ'), u"朝\x01\x1b\t"_s, u"😀"_s, u"𠀋"_s,
                              QString(10000, u'9')};
        const QStringList panels{u"cmdMain"_s,   u"cmdTaijyu"_s, u"cmdRentai"_s,
                                 u"cmdSettei"_s, u"cmdMemo"_s,   u"cmdAvgtai"_s};
        for (const QString &panel : panels) {
            QTest::mouseClick(Control<QPushButton>(m_session->window.get(), panel), Qt::LeftButton);
            const auto edits = m_session->window->findChildren<QLineEdit *>();
            for (const QString &text : bad) {
                for (QLineEdit *edit : edits) {
                    if (!edit->isVisible())
                        continue;
                    edit->setText(text);
                    QTest::keyClick(edit, Qt::Key_Return);
                }
                for (auto *memo : m_session->window->findChildren<QPlainTextEdit *>())
                    memo->setPlainText(text);
                for (const QString &save :
                     {u"cmdTaiHozon"_s, u"cmdKizukiHozon"_s, u"cmdPHozon1"_s, u"cmdKikanF2"_s})
                    if (auto *button = m_session->window->findChild<QPushButton *>(save);
                        button && button->isVisible())
                        QTest::mouseClick(button, Qt::LeftButton);
                QVERIFY(m_session->window->isVisible());
            }
        }
        // No file of the diary holds a control character (besides line ends)
        // or lost its form: the diary still opens.
        for (const QString &name : QDir(dir).entryList(QDir::Files)) {
            const QByteArray bytes = m_session->diary.bytes(name);
            for (const char c : bytes)
                QVERIFY2(uchar(c) >= 0x20 || c == '\r' || c == '\n', qPrintable(name));
        }
        QVERIFY(!m_session->boxes.titles().isEmpty());
        QVERIFY(m_session->boxes.titles().contains(u"入力文字エラー"_s));
        m_session->window.reset();
        m_session->start();
        QVERIFY(m_session->window);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
