#include "framework/ui/qt/EditCommand.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace fw::ui {

namespace {

struct EditCommand {
    std::string_view name;
    void (*onPlainText)(QPlainTextEdit&);
    void (*onLine)(QLineEdit&);
};

// name         on a QPlainTextEdit / on a QLineEdit
// "clear" is the Delete item: it removes the selection and nothing else.
constexpr EditCommand editCommands[] = {
    {.name = "undo",
     .onPlainText = [](QPlainTextEdit& edit) { edit.undo(); },
     .onLine = [](QLineEdit& edit) { edit.undo(); }},
    {.name = "cut",
     .onPlainText = [](QPlainTextEdit& edit) { edit.cut(); },
     .onLine = [](QLineEdit& edit) { edit.cut(); }},
    {.name = "copy",
     .onPlainText = [](QPlainTextEdit& edit) { edit.copy(); },
     .onLine = [](QLineEdit& edit) { edit.copy(); }},
    {.name = "paste",
     .onPlainText = [](QPlainTextEdit& edit) { edit.paste(); },
     .onLine = [](QLineEdit& edit) { edit.paste(); }},
    {.name = "clear",
     .onPlainText = [](QPlainTextEdit& edit) {
         if (!edit.isReadOnly())
             edit.textCursor().removeSelectedText();
     },
     .onLine = [](QLineEdit& edit) {
         if (!edit.isReadOnly() && edit.hasSelectedText())
             edit.del();
     }},
    {.name = "selectAll",
     .onPlainText = [](QPlainTextEdit& edit) { edit.selectAll(); },
     .onLine = [](QLineEdit& edit) { edit.selectAll(); }},
};

const EditCommand* findCommand(std::string_view name)
{
    for (const EditCommand& command : editCommands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

} // namespace

bool isEditCommand(std::string_view name)
{
    return findCommand(name) != nullptr;
}

QWidget* editTarget()
{
    QWidget* focused = QApplication::focusWidget();
    if (qobject_cast<QPlainTextEdit*>(focused) || qobject_cast<QLineEdit*>(focused))
        return focused;
    return nullptr;
}

void performEditCommand(std::string_view name, QWidget* target)
{
    const EditCommand* command = findCommand(name);
    if (!command)
        return;
    if (auto* plainText = qobject_cast<QPlainTextEdit*>(target))
        command->onPlainText(*plainText);
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        command->onLine(*line);
}

} // namespace fw::ui
