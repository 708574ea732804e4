#include "tests/ui/qt/PresentationTest.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr uint64_t quitItem = 100;

struct Item {
    uint64_t id;
    const char* text;
    const char* shortcut = "";
    fw::ui::EditCommand editCommand = fw::ui::EditCommand::None;
};

// id   text          shortcut   edit command
constexpr Item fileItems[] = {
    {.id = quitItem, .text = "&Quit", .shortcut = "Cmd+Q"},
};
constexpr Item editItems[] = {
    {.id = 201, .text = "&Undo", .shortcut = "Cmd+Z", .editCommand = fw::ui::EditCommand::Undo},
    {.id = 202, .text = "-"},
    {.id = 203, .text = "Cu&t", .shortcut = "Cmd+X", .editCommand = fw::ui::EditCommand::Cut},
    {.id = 204, .text = "&Copy", .shortcut = "Cmd+C", .editCommand = fw::ui::EditCommand::Copy},
    {.id = 205, .text = "&Paste", .shortcut = "Cmd+V", .editCommand = fw::ui::EditCommand::Paste},
    {.id = 206, .text = "&Delete", .editCommand = fw::ui::EditCommand::Clear},
    {.id = 207, .text = "-"},
    {.id = 208, .text = "Select &All", .shortcut = "Cmd+A", .editCommand = fw::ui::EditCommand::SelectAll},
};

template <size_t count>
fw::ui::MenuNode menu(uint64_t id, const char* text, const Item (&items)[count])
{
    fw::ui::MenuNode node;
    node.id = id;
    node.text = text;
    for (const Item& item : items) {
        fw::ui::MenuNode& child = node.children.emplace_back();
        child.id = item.id;
        child.text = item.text;
        child.shortcut = item.shortcut;
        child.editCommand = item.editCommand;
    }
    return node;
}

std::vector<fw::ui::MenuNode> menuBar() { return {menu(1, "&File", fileItems), menu(2, "&Edit", editItems)}; }

class MenuTest : public PresentationTest {
protected:
    QWidget& activeWindow(uint64_t windowId, const fw::ui::WindowLook& look)
    {
        QWidget& window = makeWindow(windowId, look);
        presentation().showWindow(windowId);
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    // Right-clicks target as Qt reports it, and returns the menu it pops up.
    static QMenu* rightClick(QWidget& target, QPoint pos)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target.mapToGlobal(pos));
        QApplication::sendEvent(&target, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    static QAction* item(QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions()) {
            if (action->text() == text)
                return action;
            if (QMenu* submenu = action->menu(); submenu && item(*submenu, text))
                return item(*submenu, text);
        }
        return nullptr;
    }

    static QStringList texts(const QMenu& menu)
    {
        QStringList result;
        for (const QAction* action : menu.actions())
            result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return result;
    }
};

TEST_F(MenuTest, QuitShortcutWorksInWindowsMadeBeforeAndAfterTheMenu)
{
    QWidget& palette = activeWindow(1, paletteLook());
    presentation().setMenuBar(menuBar());
    QTest::keyClick(&palette, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(actions.chosen, std::vector<uint64_t>{quitItem});

    QWidget& about = activeWindow(2, aboutLook());
    QTest::keyClick(&about, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(actions.chosen, (std::vector<uint64_t>{quitItem, quitItem}));
}

TEST_F(MenuTest, RightClickOnTheBackgroundOrAButtonPopsUpTheWholeTree)
{
    QWidget& window = activeWindow(1, paletteLook());
    presentation().createControl(1, 10, buttonLook("cmdRead", 2, 2));
    presentation().setMenuBar(menuBar());

    QWidget* const targets[] = {&window, &control<QPushButton>(window, "cmdRead")};
    for (QWidget* target : targets) {
        QMenu* menu = rightClick(*target, QPoint(1, 1));
        ASSERT_TRUE(menu) << target->objectName().toStdString();
        ASSERT_EQ(texts(*menu), (QStringList{"&File", "&Edit"}));
        EXPECT_EQ(texts(*menu->actions()[0]->menu()), QStringList{"&Quit"});
        EXPECT_EQ(texts(*menu->actions()[1]->menu()),
                  (QStringList{"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
        EXPECT_EQ(item(*menu, "&Quit")->shortcut(), QKeySequence("Ctrl+Q"));
        // No text widget has the focus, so there is nothing to edit.
        EXPECT_FALSE(item(*menu, "&Copy")->isEnabled());
        EXPECT_TRUE(item(*menu, "&Quit")->isEnabled());
        menu->hide();
    }
}

TEST_F(MenuTest, EditItemsActOnTheFocusedTextArea)
{
    QWidget& window = activeWindow(1, aboutLook());
    presentation().createControl(1, 20, textAreaLook("txtRead", 0, 0));
    presentation().setMenuBar(menuBar());
    presentation().setControlText(20, "speak this");
    auto& area = control<QPlainTextEdit>(window, "txtRead");
    area.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &area);

    QMenu* menu = rightClick(window, QPoint(400, 500));
    ASSERT_TRUE(menu);
    EXPECT_TRUE(item(*menu, "&Copy")->isEnabled());
    menu->hide();
    item(*menu, "Select &All")->trigger();
    item(*menu, "&Delete")->trigger();

    EXPECT_EQ(area.toPlainText(), "");
    ASSERT_FALSE(actions.edits.empty());
    EXPECT_EQ(actions.edits.back(), (std::pair<uint64_t, std::string>(20, "")));
    EXPECT_TRUE(actions.chosen.empty());
}

TEST_F(MenuTest, FocusedTextAreaKeepsItsStandardKeys)
{
    QWidget& window = activeWindow(1, aboutLook());
    presentation().createControl(1, 20, textAreaLook("txtRead", 0, 0));
    presentation().setMenuBar(menuBar());
    presentation().setControlText(20, "copied");
    auto& area = control<QPlainTextEdit>(window, "txtRead");
    area.setFocus();
    area.selectAll();
    QGuiApplication::clipboard()->clear();

    int menuCopies = 0;
    for (QAction* action : window.actions()) {
        if (action->shortcut() == QKeySequence::Copy)
            QObject::connect(action, &QAction::triggered, [&menuCopies] { ++menuCopies; });
    }
    QTest::keyClick(&area, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "copied");
    EXPECT_EQ(menuCopies, 0);

    QTest::keyClick(&area, Qt::Key_Q, Qt::ControlModifier); // not a text key: the menu's
    EXPECT_EQ(actions.chosen, std::vector<uint64_t>{quitItem});
}

TEST_F(MenuTest, ItemMayReplaceTheMenuWhileItIsChosen)
{
    QWidget& window = activeWindow(1, paletteLook());
    presentation().setMenuBar(menuBar());
    actions.onMenuItemChosen = [](uint64_t) { presentation().setMenuBar(menuBar()); };

    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    settle();
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); // the new menu's shortcut, and only one
    EXPECT_EQ(actions.chosen, (std::vector<uint64_t>{quitItem, quitItem}));
}

} // namespace
