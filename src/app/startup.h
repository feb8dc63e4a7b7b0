#pragma once

#include <QString>
#include <memory>

namespace zz {

class MainWindow;

// Opens the diary in `dir` (installing the sample into an empty directory),
// builds the main window and runs its startup. Any failure is shown to the user
// in a message box; the result is then null and the program stops.
std::unique_ptr<MainWindow> StartProgram(const QString &dir);

// The lock file that keeps a second program out of an open diary folder.
inline const QString DiaryLockName = QStringLiteral(".zumazuma.lock");

} // namespace zz
