#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

// Answers the modal message and input boxes the window opens, recording what
// each box showed. Answers are taken from the queue in order; when the queue
// is empty a message box gets its default button and an input box is cancelled.
class BoxWatcher : public QObject
{
public:
    struct Box
    {
        bool isInput = false;
        QString title;
        QString text; // message text, or the input box's label
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };
    struct Answer
    {
        QMessageBox::StandardButton button = QMessageBox::NoButton; // message boxes
        QString input;                                              // input boxes
        bool cancel = false;
    };

    BoxWatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &BoxWatcher::poll);
        m_timer.start();
    }

    void answer(QMessageBox::StandardButton button) { m_answers.append({button, {}, false}); }
    void answerInput(const QString &text) { m_answers.append({QMessageBox::NoButton, text, false}); }
    void cancelInput() { m_answers.append({QMessageBox::NoButton, {}, true}); }

    QList<Box> boxes;
    QStringList titles() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.title);
        return result;
    }
    void clear() { boxes.clear(); }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_handled)
            return;
        m_handled = modal;
        Answer answer;
        if (!m_answers.isEmpty())
            answer = m_answers.takeFirst();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            Box seen;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.defaultButton =
                box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            boxes.append(seen);
            QAbstractButton *press = answer.button != QMessageBox::NoButton
                                         ? box->button(answer.button)
                                         : static_cast<QAbstractButton *>(box->defaultButton());
            if (!press)
                press = box->buttons().value(0);
            press->click();
        } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            Box seen;
            seen.isInput = true;
            seen.title = input->windowTitle();
            seen.text = input->labelText();
            boxes.append(seen);
            if (answer.cancel || answer.input.isEmpty()) {
                input->reject();
            } else {
                input->setTextValue(answer.input);
                input->accept();
            }
        }
    }

    QTimer m_timer;
    QList<Answer> m_answers;
    QPointer<QWidget> m_handled; // null once that box is gone
};
