#pragma once

#include "controls.h"
#include "windowsession.h"

#include <QAbstractButton>
#include <QObject>
#include <QTest>

#include <memory>

// The base of the tests that drive the real window: the session and the two
// ways a test reaches the window's controls.
class WindowTest : public QObject
{
protected:
    std::unique_ptr<WindowSession> m_session;

    template <typename T>
    T *child(const QString &name)
    {
        return Control<T>(m_session->window.get(), name);
    }
    void click(const QString &name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
};
