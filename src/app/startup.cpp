#include "app/startup.h"

#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "app/olderimport.h"
#include "store/diaryopen.h"

namespace zz {

std::unique_ptr<MainWindow> StartProgram(const QString &dir)
{
    const QString product = QStringLiteral("Zumazuma☆ダイエット");
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
    StoreStatus error;
    if (!window->Form_Load(error)) {
        window->hide();
        Dialogs::Critical(nullptr, product, error.userText());
        return nullptr;
    }
    return window;
}

} // namespace zz
