#include "framework/ui/qt/ApplicationMenu.h"

#include "framework/ui/ShortcutText.h"
#include "framework/ui/qt/EditCommand.h"

#include <QMenu>

namespace fw::ui {

namespace {

constexpr std::string_view separatorText = "-";

QString menuText(const MenuNode& node) { return QString::fromStdString(node.text); }

} // namespace

ApplicationMenu::ApplicationMenu(const std::vector<MenuNode>& menus, std::function<void(uint64_t)> onChosen)
    : onChosen_(std::move(onChosen)), root_(new QMenu)
{
    addNodes(*root_, menus);
    // The edit items are enabled for the focus only while the popup shows;
    // otherwise their shortcuts follow the nodes alone.
    restoreOnHide_ = QObject::connect(root_, &QMenu::aboutToHide, root_, [this] { enableEditItems(true); });
}

ApplicationMenu::~ApplicationMenu()
{
    QObject::disconnect(restoreOnHide_);
    for (QAction* action : shortcutItems_)
        action->setShortcut(QKeySequence());
    root_->hide();
    root_->deleteLater();
}

void ApplicationMenu::attachTo(QWidget& window)
{
    window.addActions(QList<QAction*>(shortcutItems_.begin(), shortcutItems_.end()));
}

void ApplicationMenu::popup(const QPoint& globalPos)
{
    enableEditItems(editTarget() != nullptr);
    root_->popup(globalPos);
}

void ApplicationMenu::addNodes(QMenu& menu, const std::vector<MenuNode>& nodes)
{
    for (const MenuNode& node : nodes) {
        if (node.text == separatorText) {
            menu.addSeparator();
        } else if (!node.children.empty()) {
            QMenu* submenu = menu.addMenu(menuText(node));
            submenu->setEnabled(node.enabled);
            addNodes(*submenu, node.children);
        } else {
            addItem(menu, node);
        }
    }
}

void ApplicationMenu::addItem(QMenu& menu, const MenuNode& node)
{
    QAction* action = menu.addAction(menuText(node));
    action->setEnabled(node.enabled);
    if (!node.shortcut.empty()) {
        action->setShortcut(QKeySequence(QString::fromStdString(shortcutText(node.shortcut))));
        action->setShortcutContext(Qt::ApplicationShortcut);
        shortcutItems_.push_back(action);
    }
    // The slot keeps copies of what it needs: choosing an item may replace
    // this menu before the slot returns.
    if (node.editCommand != EditCommand::None) {
        editItems_.push_back({.action = action, .enabled = node.enabled});
        QObject::connect(action, &QAction::triggered, action,
                         [command = node.editCommand] { performEditCommand(command, editTarget()); });
    } else {
        QObject::connect(action, &QAction::triggered, action, [onChosen = onChosen_, id = node.id] { onChosen(id); });
    }
}

void ApplicationMenu::enableEditItems(bool haveTarget)
{
    for (const EditItem& item : editItems_)
        item.action->setEnabled(item.enabled && haveTarget);
}

} // namespace fw::ui
