#pragma once

#include <QLocale>
#include <QString>

class QWidget;

namespace zz {

// What a desktop program owes its desktop: Qt's own texts in the user's
// language, a clean end on the signals a logout or a closed terminal sends.

// Loads Qt's translation (qtbase_xx.qm) for `locale` into the application, so
// that boxes and dialogs say はい / いいえ / キャンセル; false when none is installed.
bool InstallQtTranslation(const QLocale &locale);

// The application's font: a Japanese face at 10 pt where one is installed.
void UseJapaneseFont();

// From here on SIGTERM, SIGINT and SIGHUP end the program as its 終了 button
// does, from the event loop (the handler itself only writes one byte): every
// open box is cancelled and the window given to CloseOnTermination closes.
void HandleTerminationSignals();
void CloseOnTermination(QWidget *window);
// A signal came (during the startup, the program then ends at once).
bool TerminationRequested();

} // namespace zz
