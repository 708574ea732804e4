// The menu bar's tree, its single instance and a build that fails part-way.

#include "framework/classes/MenuItem.h"
#include "framework/classes/QuitMenuItem.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Properties.h"
#include "palette/MenuBar1.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

#include <map>

namespace {

using MenuBarTest = ProgramFixture;

struct NodeCase {
    std::string name, text;
    std::optional<std::string> shortcut; // nullopt: never set
};

std::vector<NodeCase> childrenOf(fw::Object* node)
{
    std::vector<NodeCase> nodes;
    for (const auto& child : static_cast<fw::MenuItemInstance*>(node)->children) {
        const auto& shortcut = fw::propertyValue(child.get(), "KeyboardShortcut");
        EXPECT_TRUE(fw::boolProperty(child.get(), "AutoEnable"));
        nodes.push_back({std::string(fw::textProperty(child.get(), "Name")),
                         std::string(fw::textProperty(child.get(), "Text")),
                         std::holds_alternative<std::monostate>(shortcut)
                             ? std::nullopt
                             : std::optional<std::string>(fw::textProperty(child.get(), "KeyboardShortcut"))});
    }
    return nodes;
}

bool operator==(const NodeCase& a, const NodeCase& b)
{
    return a.name == b.name && a.text == b.text && a.shortcut == b.shortcut;
}

std::map<std::string, int> menuLookups;
fw::Ref<fw::Object> countingChild(fw::Object* node, fw::String* name)
{
    ++menuLookups[std::string(name ? name->view() : "")];
    return fw::MenuItem::Child(node, name);
}

TEST_F(MenuBarTest, TheTreeHoldsFileAndEditWithTheirItemsInOrder)
{
    installFakeDesktop();
    menuLookups.clear();
    fw::Ref<fw::Object> bar;
    {
        SlotPatch patch(MenuBar1::__Lookup(), fw::MenuItem::slot(fw::MenuItem::Op::Child), countingChild);
        bar = MenuBar1::MenuBar1();
    }
    EXPECT_EQ(menuLookups, (std::map<std::string, int>{{"FileMenu", 1}, {"EditMenu", 8}}))
        << "each item finds its menu afresh, by name, through the bar";
    EXPECT_EQ(MenuBar1::MenuBar1(), bar) << "a second call returns the same bar";
    EXPECT_EQ(childrenOf(bar.get()), (std::vector<NodeCase>{{"FileMenu", "&File", ""}, {"EditMenu", "&Edit", ""}}));

    fw::Ref<fw::String> fileName = fw::makeString("FileMenu"), editName = fw::makeString("EditMenu");
    fw::Ref<fw::Object> file = fw::MenuItem::Child(bar.get(), fileName.get());
    fw::Ref<fw::Object> edit = fw::MenuItem::Child(bar.get(), editName.get());
    EXPECT_EQ(childrenOf(file.get()), (std::vector<NodeCase>{{"FileQuit", "&Quit", "Cmd+Q"}}));
    EXPECT_TRUE(fw::RuntimeObjectIsa(static_cast<fw::MenuItemInstance*>(file.get())->children[0].get(),
                                     fw::QuitMenuItem::__Lookup()));
    EXPECT_EQ(childrenOf(edit.get()), (std::vector<NodeCase>{
                                          {"EditUndo", "&Undo", "Cmd+Z"},
                                          {"", "-", std::nullopt},
                                          {"EditCut", "Cu&t", "Cmd+X"},
                                          {"EditCopy", "&Copy", "Cmd+C"},
                                          {"EditPaste", "&Paste", "Cmd+V"},
                                          {"EditClear", "&Delete", ""},
                                          {"", "-", std::nullopt},
                                          {"EditSelectAll", "Select &All", "Cmd+A"},
                                      }));
    {
        fw::ui::MenuNode shown = fw::MenuItem::presentationNode(edit.get());
        EXPECT_EQ(fw::ui::editCommandName(shown.children[2].editCommand), "cut");
        EXPECT_EQ(fw::ui::editCommandName(shown.children[5].editCommand), "clear");
    }
    file = edit = bar = nullptr;
    MenuBar1::_implicitInstance::__Exit();
    fw::releaseServices();
}

fw::Ref<fw::Object> childWithoutEditMenu(fw::Object* node, fw::String* name)
{
    if (name && name->view() == "EditMenu")
        return nullptr;
    return fw::MenuItem::Child(node, name);
}

TEST_F(MenuBarTest, BuildThatFailsPartWayLeavesNoInstance)
{
    installFakeDesktop();
    SlotPatch patch(MenuBar1::__Lookup(), fw::MenuItem::slot(fw::MenuItem::Op::Child), childWithoutEditMenu);
    try {
        MenuBar1::MenuBar1();
        ADD_FAILURE() << "the build must raise";
    } catch (const fw::Raised& raised) {
        EXPECT_TRUE(fw::RuntimeObjectIsa(raised.exception.get(), fw::NilObjectException::__Lookup()));
    }
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    fw::releaseServices();
}

} // namespace
