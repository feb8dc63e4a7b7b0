#pragma once

#include <QString>

namespace zz {

// `widget` with its objectName set: the name the control has throughout the
// program (cmdTaiHozon, lblNichis, ...).
template <typename T>
T *Named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace zz
