#pragma once

#include <QWidget>
#include <functional>

namespace zz {

// Small event hooks for controls whose old-style events Qt does not signal.

// Enter (character 13) pressed in `widget`; the key still reaches the widget.
void OnEnter(QWidget *widget, std::function<void()> handler);
// A left click released on `widget` (labels that act as buttons); the widget
// also takes the focus with Tab and answers Space and Enter.
void OnClick(QWidget *widget, std::function<void()> handler);
// `widget` received the focus.
void OnFocusIn(QWidget *widget, std::function<void(Qt::FocusReason)> handler);

} // namespace zz
