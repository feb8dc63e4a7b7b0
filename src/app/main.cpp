#include "app/desktop.h"
#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

namespace {

const QCommandLineOption DiaryOption(QStringLiteral("diary"),
                                     QStringLiteral("Opens the diary in <folder> (the sample diary goes into "
                                                    "an empty one). Default: the working directory."),
                                     QStringLiteral("folder"));

void Describe(QCoreApplication &app, QCommandLineParser &parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("zumazuma"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZZ_VERSION));
    // The user's preferences (QSettings) live under this name, never in the diary.
    QCoreApplication::setOrganizationName(QStringLiteral("zumazuma"));
    parser.setApplicationDescription(
        QStringLiteral("Zumazuma☆ダイエット: a diet diary for the body-composition scale."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(DiaryOption);
    parser.process(app); // --help, --version and a wrong option print and exit here
}

// --help and --version need no display.
bool AsksForTextOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v" || arg == "--help-all")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        Describe(app, parser);
        return 0;
    }
    QApplication app(argc, argv);
    QCommandLineParser parser;
    Describe(app, parser);
    const QCommandLineOption &diary = DiaryOption;

    zz::InstallQtTranslation(QLocale());
    zz::UseJapaneseFont();

    // The diary lives in the working directory unless --diary names one.
    QString dir = QDir::currentPath();
    if (parser.isSet(diary)) {
        dir = QDir(parser.value(diary)).absolutePath();
        if (!QDir().mkpath(dir)) {
            qCritical("%s", qPrintable(QStringLiteral("Cannot create the diary folder %1").arg(dir)));
            return 1;
        }
    }
    zz::HandleTerminationSignals();
    const std::unique_ptr<zz::MainWindow> window = zz::StartProgram(dir);
    if (zz::TerminationRequested())
        return 0;
    if (!window)
        return 1;
    zz::CloseOnTermination(window.get());
    return QApplication::exec();
}
