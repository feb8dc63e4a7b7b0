#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/olderimport.h"
#include "shell/dialogs.h"
#include "store/diaryopen.h"

#include <QDir>
#include <QLockFile>

namespace zz {

std::unique_ptr<MainWindow> StartProgram(const QString &dir)
{
    const QString product = QStringLiteral("Zumazuma☆ダイエット");
    // One program per diary folder: a second one would write over the first's
    // changes. A lock left by a program that was killed is taken over.
    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(DiaryLockName));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        Dialogs::Exclamation(
            nullptr, product,
            QStringLiteral("この日記フォルダーはすでに別の Zumazuma☆ダイエット で使われています。"
                           "先に開いている方を終了してください。"));
        return nullptr;
    }
    // A new folder gets the sample first; older data files are converted
    // before the diary is checked, as the check would not know their layout.
    const DiaryOpenResult installed = InstallSampleIfNoDiary(dir);
    if (!installed.status) {
        Dialogs::Critical(nullptr, product, installed.status.userText());
        return nullptr;
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
