#pragma once
// The application's menu tree. It is not shown as a bar: every item's
// shortcut works in each of the application's windows, and a right click
// on a window pops the whole tree up.
//
// Items whose node names an edit action perform it on the focused text
// widget, and are disabled in the popup while no text widget has the focus;
// all other items report their choice.

#include "framework/ui/Presentation.h"

#include <QMetaObject>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace fw::ui {

class ApplicationMenu {
public:
    ApplicationMenu(const std::vector<MenuNode>& menus, std::function<void(uint64_t itemId)> onChosen);
    // The menu may be replaced from inside one of its own items, so the
    // widgets go only once control is back in the event loop; the shortcuts
    // stop at once.
    ~ApplicationMenu();
    ApplicationMenu(const ApplicationMenu&) = delete;
    ApplicationMenu& operator=(const ApplicationMenu&) = delete;

    // Makes the shortcuts work while window is the active window.
    void attachTo(QWidget& window);
    void popup(const QPoint& globalPos);

private:
    struct EditItem {
        QAction* action; // owned by its menu
        bool enabled;    // as the node gives it
    };

    void addNodes(QMenu& menu, const std::vector<MenuNode>& nodes);
    void addItem(QMenu& menu, const MenuNode& node);
    void enableEditItems(bool haveTarget);

    std::function<void(uint64_t)> onChosen_;
    QMenu* root_;                         // owned; deleted later
    std::vector<QAction*> shortcutItems_; // owned by their menus
    std::vector<EditItem> editItems_;
    QMetaObject::Connection restoreOnHide_;
};

} // namespace fw::ui
