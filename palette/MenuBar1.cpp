#include "palette/MenuBar1.h"

#include "framework/classes/MenuBar.h"
#include "framework/classes/QuitMenuItem.h"
#include "framework/runtime/Exception.h"
#include "glue/ConstantString.h"

#include <optional>

namespace MenuBar1 {

namespace {

const fw::ClassTable* classTable = nullptr;
fw::Ref<fw::Object> implicitInstance;

using fw::slot;
using Item = fw::MenuItem::Op;

// The argument-less constructor takes the place of MenuItem's; its entry comes
// after those of the two operations that the bar adds.
constexpr fw::OperationRow kOperations[] = {
    // function, slot, name, signature
    fw::op<&Untitled0>(Op::Untitled0, "Untitled0", "%%"),
    fw::op<&Untitled1>(Op::Untitled1, "Untitled1", "%%"),
    fw::op<&Constructor>(Item::Constructor, "Constructor", "%%"),
};
static_assert(fw::rowsFollowSlots(kOperations, fw::MenuBar::operationCount, Op::End));

constexpr fw::ClassDescription kDescription = {
    .name = "MenuBar1.MenuBar1",
    .parent = fw::MenuBar::__Lookup,
    .operations = kOperations,
};
static_assert(fw::totalsOf(fw::MenuBar::kTotals, kDescription) ==
              fw::ClassTotals{.members = 54, .events = 2, .properties = 16});

enum class Parent { Bar, FileMenu, EditMenu };

// One node of the tree, in the order built and attached.
struct MenuNodeRow {
    const fw::ClassTable* (*nodeClass)();
    Parent attachTo;
    std::string_view name;
    std::string_view text;
    std::optional<std::string_view> shortcut; // nullopt: the setter is not called
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
        fw::callOperation(bar, slot(Item::Append), node);
        return;
    }
    fw::String* menuName = constantString(parent == Parent::FileMenu ? "FileMenu" : "EditMenu");
    fw::Ref<fw::Object> menu = fw::callOperation<fw::Ref<fw::Object>>(bar, slot(Item::Child), menuName);
    if (!menu)
        fw::RaiseNilObjectException();
    fw::callOperation(menu.get(), slot(Item::Append), node);
}

void buildNode(fw::Object* bar, const MenuNodeRow& row)
{
    fw::Ref<fw::Object> node = fw::RuntimeNewObject(row.nodeClass());
    fw::callOperation(node.get(), slot(Item::Constructor));
    fw::MenuItem::Name::Set(requireNode(node), 0, constantString(row.name));
    fw::MenuItem::AutoEnable::Set(requireNode(node), 0, true);
    fw::MenuItem::Text::Set(requireNode(node), 0, constantString(row.text));
    if (row.shortcut)
        fw::MenuItem::KeyboardShortcut::Set(requireNode(node), 0, constantString(*row.shortcut));
    attach(bar, row.attachTo, node.get());
}

} // namespace

const fw::ClassTable* __Lookup() { return fw::registerClass(classTable, kDescription); }

void __ctblinit() { fw::registerClass(classTable, kDescription); }

fw::Ref<fw::Object> MenuBar1()
{
    if (!implicitInstance) {
        fw::Ref<fw::Object> bar = fw::RuntimeNewObject(__Lookup());
        fw::callOperation(bar.get(), slot(Item::Constructor));
        implicitInstance = bar;
    }
    return implicitInstance;
}

void Constructor(fw::Object* bar)
{
    fw::callOperation(bar, slot(Op::Untitled0));
    fw::callOperation(bar, slot(Op::Untitled1));
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
