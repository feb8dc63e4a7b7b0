#include "shell/eventhooks.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zz {

namespace {
class Hook : public QObject
{
public:
    using Test = std::function<bool(QEvent *)>;
    Hook(QObject *parent, Test test) : QObject(parent), m_test(std::move(test)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        m_test(event);
        return QObject::eventFilter(watched, event);
    }

private:
    Test m_test;
};
} // namespace

void OnEnter(QWidget *widget, std::function<void()> handler)
{
    widget->installEventFilter(new Hook(widget, [handler = std::move(handler)](QEvent *event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            handler();
        return false;
    }));
}

void OnClick(QWidget *widget, std::function<void()> handler)
{
    widget->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and pressed with Space or Enter, like a button.
    widget->setFocusPolicy(Qt::TabFocus);
    widget->installEventFilter(new Hook(widget, [widget, handler = std::move(handler)](QEvent *event) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
                handler();
            return false;
        }
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint()))
            handler();
        return false;
    }));
}

void OnFocusIn(QWidget *widget, std::function<void(Qt::FocusReason)> handler)
{
    widget->installEventFilter(new Hook(widget, [handler = std::move(handler)](QEvent *event) {
        if (event->type() == QEvent::FocusIn)
            handler(static_cast<QFocusEvent *>(event)->reason());
        return false;
    }));
}

} // namespace zz
