#include "palette/MenuBar1.h"

#include "framework/classes/MenuBar.h"
#include "framework/classes/QuitMenuItem.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Invokers.h"
#include "glue/ClassBuilder.h"
#include "glue/ConstantString.h"

#include <iterator>
#include <optional>

namespace MenuBar1 {

namespace {

const fw::ClassTable* classTable = nullptr;
fw::Ref<fw::Object> implicitInstance;

using fw::MenuItem::Op;
using fw::MenuItem::slot;

// The slots of MenuBar1's own operations, after MenuBar's.
constexpr uint32_t kUntitled0Slot = fw::MenuBar::operationCount;
constexpr uint32_t kUntitled1Slot = kUntitled0Slot + 1;

const OwnOperation kOwnOperations[] = {
    // name           code                      signature  invoker             replaces
    {"Untitled0", fw::toCode(Untitled0), "%%", fw::invokeNoResult},
    {"Untitled1", fw::toCode(Untitled1), "%%", fw::invokeNoResult},
    {"Constructor", fw::toCode(Constructor), "%%", fw::invokeNoResult, false,
     static_cast<int32_t>(slot(Op::Constructor))},
};

static_assert(withOwnOperations({.members = fw::MenuBar::memberCount,
                                 .events = fw::MenuBar::eventCount,
                                 .properties = fw::MenuBar::propertyCount},
                                std::size(kOwnOperations)) == ClassTotals{.members = 54, .events = 2, .properties = 16});

enum class Parent { Bar, FileMenu, EditMenu };

// One node of the tree, in the order built and attached.
struct MenuNodeRow {
    const fw::ClassTable* (*nodeClass)();
    Parent attachTo;
    std::string_view name;
    std::string_view text;
    std::optional<std::string_view> shortcut;  // nullopt: the setter is not called
};

// clang-format off
constexpr MenuNodeRow kFileMenu[] = {
    // class                        attached to       name          text       shortcut
    {fw::MenuItem::__Lookup,     Parent::Bar,      "FileMenu",   "&File",   ""},
    {fw::QuitMenuItem::__Lookup, Parent::FileMenu, "FileQuit",   "&Quit",   "Cmd+Q"},
};

constexpr MenuNodeRow kEditMenu[] = {
    // class                    attached to       name             text           shortcut
    {fw::MenuItem::__Lookup, Parent::Bar,      "EditMenu",      "&Edit",       ""},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditUndo",      "&Undo",       "Cmd+Z"},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "",              "-",           std::nullopt},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditCut",       "Cu&t",        "Cmd+X"},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditCopy",      "&Copy",       "Cmd+C"},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditPaste",     "&Paste",      "Cmd+V"},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditClear",     "&Delete",     ""},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "",              "-",           std::nullopt},
    {fw::MenuItem::__Lookup, Parent::EditMenu, "EditSelectAll", "Select &All", "Cmd+A"},
};
// clang-format on

fw::Object* requireNode(const fw::Ref<fw::Object>& node)
{
    if (!node)
        fw::RaiseNilObjectException();
    return node.get();
}

void attach(fw::Object* bar, Parent parent, fw::Object* node)
{
    if (parent == Parent::Bar) {
        fw::callOperation(bar, slot(Op::Append), node);
        return;
    }
    fw::String* menuName = constantString(parent == Parent::FileMenu ? "FileMenu" : "EditMenu");
    fw::Ref<fw::Object> menu = fw::callOperation<fw::Ref<fw::Object>>(bar, slot(Op::Child), menuName);
    if (!menu)
        fw::RaiseNilObjectException();
    fw::callOperation(menu.get(), slot(Op::Append), node);
}

void buildNode(fw::Object* bar, const MenuNodeRow& row)
{
    fw::Ref<fw::Object> node = fw::RuntimeNewObject(row.nodeClass());
    fw::callOperation(node.get(), slot(Op::Constructor));
    fw::MenuItem::Name::Set(requireNode(node), 0, constantString(row.name));
    fw::MenuItem::AutoEnable::Set(requireNode(node), 0, true);
    fw::MenuItem::Text::Set(requireNode(node), 0, constantString(row.text));
    if (row.shortcut)
        fw::MenuItem::KeyboardShortcut::Set(requireNode(node), 0, constantString(*row.shortcut));
    attach(bar, row.attachTo, node.get());
}

} // namespace

const fw::ClassTable* __Lookup() { return lookUpClassTable(classTable, __ctblinit); }

void __ctblinit()
{
    buildClassTable(classTable, {
                                    .name = "MenuBar1.MenuBar1",
                                    .parent = fw::MenuBar::__Lookup,
                                    .classAttributeCount = 1,
                                    .operations = kOwnOperations,
                                });
}

fw::Ref<fw::Object> MenuBar1()
{
    if (!implicitInstance) {
        fw::Ref<fw::Object> bar = fw::RuntimeNewObject(__Lookup());
        fw::callOperation(bar.get(), slot(Op::Constructor));
        implicitInstance = bar;
    }
    return implicitInstance;
}

void Constructor(fw::Object* bar)
{
    fw::callOperation(bar, kUntitled0Slot);
    fw::callOperation(bar, kUntitled1Slot);
}

void Untitled0(fw::Object* bar)
{
    for (const MenuNodeRow& row : kFileMenu)
        buildNode(bar, row);
}

void Untitled1(fw::Object* bar)
{
    for (const MenuNodeRow& row : kEditMenu)
        buildNode(bar, row);
}

namespace _implicitInstance {
fw::Object* get() { return implicitInstance.get(); }
void __Exit() { fw::Ref<fw::Object> held = std::move(implicitInstance); }
} // namespace _implicitInstance

} // namespace MenuBar1
