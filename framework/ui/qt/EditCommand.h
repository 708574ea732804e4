#pragma once
// The standard edit actions a menu item can perform on the focused text
// widget, known by the names the framework gives them.

#include <string_view>

class QWidget;

namespace fw::ui {

bool isEditCommand(std::string_view name);

// The widget that edit commands act on: the focused widget when it edits
// text, else nil.
QWidget* editTarget();

// Performs the named command on target, which must come from editTarget();
// does nothing for a nil target.
void performEditCommand(std::string_view name, QWidget* target);

} // namespace fw::ui
