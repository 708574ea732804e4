#pragma once
// The standard edit commands as a text area performs them.

#include "framework/ui/Presentation.h"

class QPlainTextEdit;

namespace fw::ui {

// The text area that edit commands act on: the focused widget when it is
// one, else nil.
QPlainTextEdit* editTarget();

// Performs command on target, which must come from editTarget(); does
// nothing for a nil target.
void performEditCommand(EditCommand command, QPlainTextEdit* target);

} // namespace fw::ui
