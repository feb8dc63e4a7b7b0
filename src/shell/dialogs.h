#pragma once

#include "entry/entrylogic.h"

#include <QMessageBox>
#include <QString>

class QWidget;

namespace zz::Dialogs {

// Modal message boxes and input boxes as the window uses them. Each is a real
// QMessageBox / QInputDialog (title, text, icon, buttons, default button).

// A refusal or notice with the exclamation icon and OK.
void Exclamation(QWidget *parent, const QString &title, const QString &text);
// A completion or tour box with the information icon and OK.
void Information(QWidget *parent, const QString &title, const QString &text);
// A refusal of what the user typed: exclamation for a refusal, information
// for a notice (the edit panel's empty and non-numeric boxes).
void ShowRefusal(QWidget *parent, const SaveMessage &refusal);
// A failure that stops an action (a file could not be written): critical icon, OK.
void Critical(QWidget *parent, const QString &title, const QString &text);
// Yes/No; `icon` and the default button as given. True for Yes.
bool AskYesNo(QWidget *parent, const QString &title, const QString &text, QMessageBox::Icon icon,
              QMessageBox::StandardButton defaultButton);
// A destructive step ("クリア確認"): warning icon, OK / Cancel, Cancel as the
// default so that Enter never destroys anything. True for OK.
bool AskOkCancel(QWidget *parent, const QString &title, const QString &text,
                 QMessageBox::Icon icon = QMessageBox::Warning,
                 QMessageBox::StandardButton defaultButton = QMessageBox::Cancel);
// Yes / No / Cancel with the question icon, Yes the default (a question
// before text would be lost); the button chosen, Cancel for Escape.
QMessageBox::StandardButton AskYesNoCancel(QWidget *parent, const QString &title, const QString &text);
// An input box: `prompt` as label, `title` as window title, empty default.
// Returns the typed text, or an empty text when cancelled.
QString Input(QWidget *parent, const QString &title, const QString &prompt);

// The file to read or write, chosen in a QFileDialog; empty when cancelled.
QString OpenFileName(QWidget *parent, const QString &title, const QString &filter);
QString SaveFileName(QWidget *parent, const QString &title, const QString &proposed, const QString &filter);

namespace testing {
// The next file dialog answers `path` at once (empty: cancelled) instead of
// opening; for tests, which cannot click through a platform file dialog.
void AnswerNextFileDialog(const QString &path);
} // namespace testing
} // namespace zz::Dialogs
