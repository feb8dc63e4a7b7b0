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

#include <QAbstractItemView>
#include <QTest>

// The texts of a list, whatever kind of list view shows them.
inline QStringList ListTexts(QAbstractItemView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data().toString());
    return texts;
}

// A click on the list's entry `row`, as a user makes it.
inline void ClickListRow(QAbstractItemView *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
}
