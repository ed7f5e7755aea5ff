#pragma once
// The widget of each kind of control: made once when the window loads, updated from the model
// after every change, and wired so that the operator's actions reach the model's User... calls.
// A widget's object name is its control's name.

#include <QWidget>
#include <string>

#include "qt/Routed.h"

namespace tav {

class Control;

// nullptr for the controls without a widget (timers, menu items, common dialogs).
QWidget* MakeControlWidget(Control& control, const ViewHandle& handle, QWidget* parent);
// Shows the model's state: visibility, enabled state, font, text, values, entries (the
// geometry is the window's layout's, ControlLayout.h).
void SyncControlWidget(Control& control, QWidget& widget);
// What of the model decides the control's place and size: a change means a new layout.
std::string LayoutKey(const Control& control);

}  // namespace tav
