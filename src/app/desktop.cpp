#include "app/desktop.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace zz {

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void UseJapaneseFont()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(10);
            QApplication::setFont(font);
            return;
        }
    }
}

bool InstallQtTranslation(const QLocale &locale)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

bool terminating = false;
QPointer<QWidget> windowToClose;

// Answers every open box with its cancel and closes the window; again a little
// later, for boxes the startup opens after the signal.
void endNow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(widget); dialog && dialog->isVisible())
            dialog->reject();
    if (windowToClose)
        windowToClose->close();
    QTimer::singleShot(50, qApp, endNow);
}

} // namespace

void HandleTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        if (!terminating) {
            terminating = true;
            endNow();
        }
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void CloseOnTermination(QWidget *window)
{
    windowToClose = window;
}

bool TerminationRequested()
{
    return terminating;
}

} // namespace zz
