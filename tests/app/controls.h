#pragma once

#include <QWidget>

// The control of `root` named `name`; the test stops at once when it is missing,
// as every named control is part of the window's contract.
template <typename T>
T *Control(QWidget *root, const QString &name)
{
    T *widget = root->findChild<T *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}
