#include "app/startup.h"

#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "store/diaryopen.h"

namespace zz {

std::unique_ptr<MainWindow> StartProgram(const QString &dir)
{
    const QString product = QStringLiteral("Zumazuma☆ダイエット");
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
