// Pictures every panel of the real window on the sample diary, in the light
// or (with --dark) the dark colour scheme: zzshots [--dark] OUTDIR.
// Each panel is written to OUTDIR/<button>-<scheme>.png.

#include "app/desktop.h"
#include "app/mainwindow.h"
#include "app/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// A dark palette as a dark desktop gives Qt: light text on dark grey.
QPalette DarkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), disabled(127, 127, 127);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, QColor(90, 90, 90));
    p.setColor(QPalette::Midlight, QColor(70, 70, 70));
    p.setColor(QPalette::Mid, QColor(45, 45, 45));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

// Lets the window's pending work (queued chart lines, layouts) run.
void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("zumazuma-screenshots"));
    QStringList args = QApplication::arguments().mid(1);
    const bool dark = args.removeAll(QStringLiteral("--dark")) > 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zzshots [--dark] OUTDIR\n");
        return 2;
    }
    const QString out = QDir(args.first()).absolutePath();
    QDir().mkpath(out);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (dark)
        QApplication::setPalette(DarkPalette());
    zz::InstallQtTranslation(QLocale(QLocale::Japanese, QLocale::Japan));
    zz::UseJapaneseFont();

    // The startup's boxes (the sample diary's greeting) get their default button.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->defaultButton() ? box->defaultButton()->click() : box->reject();
    });
    answer.start(20);

    QTemporaryDir diary;
    const std::unique_ptr<zz::MainWindow> window = zz::StartProgram(diary.path());
    if (!window)
        return 1;
    window->resize(1260, 760);
    window->show();
    Settle();

    const QString scheme = dark ? QStringLiteral("dark") : QStringLiteral("light");
    const char *panels[] = {"cmdMain", "cmdTaijyu", "cmdBunseki", "cmdRentai",
                            "cmdSettei", "cmdCale", "cmdMemo", "cmdAvgtai"};
    for (const char *panel : panels) {
        auto *button = window->findChild<QAbstractButton *>(QString::fromLatin1(panel));
        if (!button)
            return 1;
        button->click();
        Settle();
        const QString file = QStringLiteral("%1/%2-%3.png").arg(out, QString::fromLatin1(panel), scheme);
        if (!window->grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }
    window->close();
    return 0;
}
