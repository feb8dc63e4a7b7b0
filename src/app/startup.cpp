#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/olderimport.h"
#include "shell/dialogs.h"
#include "store/backups.h"
#include "store/diaryfiles.h"
#include "store/diaryopen.h"
#include "store/newstart.h"

#include "base/clock.h"
#include "store/textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace zz {

namespace {

const QString Product = QStringLiteral("Zumazuma☆ダイエット");

// One program per diary folder: a second one would write over the first's
// changes. A lock that no running program can hold is taken over: one whose
// process has ended on this computer, an empty or unreadable one (a program
// killed while it wrote it), an empty folder of its name, and, after asking,
// one of another computer that is more than a day old (a folder copied from a
// laptop while its program ran). A folder that cannot be written gets its own
// message. Null when the diary must not be opened; the user was told why.
std::unique_ptr<QLockFile> takeDiaryLock(const QString &dir)
{
    const QString path = QDir(dir).filePath(DiaryLockName);
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    const auto cannotWrite = [&] {
        Dialogs::Exclamation(nullptr, Product,
                             QStringLiteral("この日記フォルダーに書き込めません。フォルダーの書き込み権限と"
                                            "ディスクの空き容量を確かめてください。\n%1")
                                 .arg(QDir::toNativeSeparators(dir)));
        return nullptr;
    };
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0))
            return lock;
        if (lock->error() != QLockFile::LockFailedError)
            return cannotWrite();
        if (attempt > 0)
            break;
        const QFileInfo info(path);
        if (info.isDir()) {
            if (!QDir(dir).rmdir(DiaryLockName))
                break;
            continue;
        }
        qint64 pid = 0;
        QString host, application;
        if (!lock->getLockInfo(&pid, &host, &application)) {
            lock->removeStaleLockFile();
            continue;
        }
        if (host.isEmpty() || host == QSysInfo::machineHostName())
            break; // a running program on this computer holds it
        const QDateTime written = info.lastModified();
        if (written.secsTo(Clock::now()) <= 24 * 60 * 60)
            break;
        if (!Dialogs::AskYesNo(
                nullptr, Product,
                QStringLiteral("この日記フォルダーは別のコンピューター「%1」の Zumazuma☆ダイエット が"
                               "%2 から使っていることになっています。そのコンピューターで開いていない"
                               "なら、引き継いで開けます。引き継ぎますか？")
                    .arg(QuotedInMessage(host), written.toString(QStringLiteral("yyyy/MM/dd HH:mm"))),
                QMessageBox::Question, QMessageBox::No))
            return nullptr;
        lock->removeStaleLockFile();
    }
    if (!QFileInfo(dir).isWritable())
        return cannotWrite();
    Dialogs::Exclamation(
        nullptr, Product,
        QStringLiteral("この日記フォルダーはすでに別の Zumazuma☆ダイエット で使われています。"
                       "先に開いている方を終了してください。"));
    return nullptr;
}

} // namespace

std::unique_ptr<MainWindow> StartProgram(const QString &dir)
{
    const QString &product = Product;
    std::unique_ptr<QLockFile> lock = takeDiaryLock(dir);
    if (!lock)
        return nullptr;
    QString finished;
    if (const StoreStatus status = FinishInterruptedNewStart(dir, finished); !status) {
        Dialogs::Critical(nullptr, product, status.userText());
        return nullptr;
    }
    if (!finished.isEmpty())
        Dialogs::Information(nullptr, product, finished);
    // A copy of the diary as it was found, before anything writes.
    if (QFileInfo::exists(ResolveDiaryFile(dir, FileNames::Measurements))) {
        if (const StoreStatus backup = BackUpDiary(dir, Clock::now()); !backup)
            Dialogs::Exclamation(
                nullptr, product,
                QStringLiteral("自動バックアップを作れませんでした。日記はこのまま使えます。\n") +
                    backup.userText());
    }
    // A new folder gets the sample first; older data files are converted
    // before the diary is checked, as the check would not know their layout.
    const DiaryOpenResult installed = InstallSampleIfNoDiary(dir);
    if (!installed.status) {
        Dialogs::Critical(nullptr, product, installed.status.userText());
        return nullptr;
    }
    // A file saved as UTF-8 by an editor would open as garbled text.
    if (const QStringList utf8 = FilesSavedAsUtf8(dir); !utf8.isEmpty()) {
        if (!Dialogs::AskYesNo(
                nullptr, product,
                QStringLiteral("%1 は UTF-8 で保存されています。このままでは文字化けして読めません。"
                               "コードページ 932 (Shift_JIS) に変換しますか？\n"
                               "(元のファイルは「…_UTF8_日時」の名前で残します)")
                    .arg(utf8.join(QStringLiteral("、"))),
                QMessageBox::Question, QMessageBox::Yes))
            return nullptr;
        for (const QString &name : utf8) {
            if (const StoreStatus converted = ConvertUtf8File(dir, name, Clock::now()); !converted) {
                Dialogs::Critical(nullptr, product, converted.userText());
                return nullptr;
            }
        }
    }
    if (const StoreStatus imported = ImportOlderFiles(dir, nullptr); !imported) {
        Dialogs::Critical(nullptr, product, imported.userText());
        return nullptr;
    }
    const DiaryOpenResult opened = OpenDiary(dir);
    if (!opened.status) {
        Dialogs::Critical(nullptr, product, opened.status.userText());
        return nullptr;
    }
    if (!opened.notice.isEmpty())
        Dialogs::Information(nullptr, product, opened.notice);

    auto window = std::make_unique<MainWindow>(dir);
    window->holdDiaryLock(std::move(lock));
    StoreStatus error;
    if (!window->Form_Load(error)) {
        window->hide();
        Dialogs::Critical(nullptr, product, error.userText());
        return nullptr;
    }
    return window;
}

} // namespace zz
