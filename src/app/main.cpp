#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "store/diaryopen.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zumazuma"));
    const QStringList families = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(10);
            QApplication::setFont(font);
            break;
        }
    }

    // The diary lives in the working directory.
    const QString dir = QDir::currentPath();
    const QString product = QStringLiteral("Zumazuma☆ダイエット");
    const zz::DiaryOpenResult opened = zz::OpenDiary(dir);
    if (!opened.status) {
        zz::Dialogs::Critical(nullptr, product, opened.status.userText());
        return 1;
    }
    if (!opened.notice.isEmpty())
        zz::Dialogs::Information(nullptr, product, opened.notice);

    zz::MainWindow window(dir);
    zz::StoreStatus error;
    if (!window.Form_Load(error)) {
        zz::Dialogs::Critical(nullptr, product, error.userText());
        return 1;
    }
    return QApplication::exec();
}
