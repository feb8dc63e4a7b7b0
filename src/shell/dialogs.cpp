#include "shell/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>

#include <optional>
#include <utility>

namespace zz::Dialogs {

namespace {
int Show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}
} // namespace

void Exclamation(QWidget *parent, const QString &title, const QString &text)
{
    Show(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void Information(QWidget *parent, const QString &title, const QString &text)
{
    Show(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowRefusal(QWidget *parent, const SaveMessage &refusal)
{
    if (refusal.kind == SaveMessage::Kind::Notice)
        Information(parent, refusal.title, refusal.text);
    else
        Exclamation(parent, refusal.title, refusal.text);
}

void Critical(QWidget *parent, const QString &title, const QString &text)
{
    Show(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskYesNo(QWidget *parent, const QString &title, const QString &text, QMessageBox::Icon icon,
              QMessageBox::StandardButton defaultButton)
{
    return Show(parent, icon, title, text, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}

bool AskOkCancel(QWidget *parent, const QString &title, const QString &text, QMessageBox::Icon icon,
                 QMessageBox::StandardButton defaultButton)
{
    return Show(parent, icon, title, text, QMessageBox::Ok | QMessageBox::Cancel, defaultButton) ==
           QMessageBox::Ok;
}

QMessageBox::StandardButton AskYesNoCancel(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::StandardButton(Show(parent, QMessageBox::Question, title, text,
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                            QMessageBox::Yes));
}

QString Input(QWidget *parent, const QString &title, const QString &prompt)
{
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

namespace {
std::optional<QString> &fileAnswer()
{
    static std::optional<QString> answer;
    return answer;
}
} // namespace

QString OpenFileName(QWidget *parent, const QString &title, const QString &filter)
{
    if (std::optional<QString> answer = std::exchange(fileAnswer(), std::nullopt))
        return *answer;
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString SaveFileName(QWidget *parent, const QString &title, const QString &proposed, const QString &filter)
{
    if (std::optional<QString> answer = std::exchange(fileAnswer(), std::nullopt))
        return *answer;
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

namespace testing {
void AnswerNextFileDialog(const QString &path)
{
    fileAnswer() = path;
}
} // namespace testing

} // namespace zz::Dialogs
