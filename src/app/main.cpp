#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zumazuma"));
    // The user's preferences (QSettings) live under this name, never in the diary.
    QApplication::setOrganizationName(QStringLiteral("zumazuma"));
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
    const std::unique_ptr<zz::MainWindow> window = zz::StartProgram(QDir::currentPath());
    if (!window)
        return 1;
    return QApplication::exec();
}
