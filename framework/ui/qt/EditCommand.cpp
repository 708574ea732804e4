#include "framework/ui/qt/EditCommand.h"

#include <QApplication>
#include <QPlainTextEdit>

namespace fw::ui {

QPlainTextEdit* editTarget() { return qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()); }

void performEditCommand(EditCommand command, QPlainTextEdit* target)
{
    if (!target)
        return;
    switch (command) {
    case EditCommand::Undo:
        target->undo();
        break;
    case EditCommand::Cut:
        target->cut();
        break;
    case EditCommand::Copy:
        target->copy();
        break;
    case EditCommand::Paste:
        target->paste();
        break;
    case EditCommand::Clear: // the selection only
        if (!target->isReadOnly())
            target->textCursor().removeSelectedText();
        break;
    case EditCommand::SelectAll:
        target->selectAll();
        break;
    case EditCommand::None:
    case EditCommand::Count:
        break;
    }
}

} // namespace fw::ui
