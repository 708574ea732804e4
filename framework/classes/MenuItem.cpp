#include "framework/classes/MenuItem.h"

#include "framework/classes/MenuBar.h"
#include "framework/classes/Services.h"
#include "framework/classes/Unsupported.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/Variant.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace fw {

namespace {

MenuItemInstance* asItem(Object* item) { return static_cast<MenuItemInstance*>(item); }

// The standard edit commands, known by the names of their items.
struct EditCommandRow {
    std::string_view itemName;
    ui::EditCommand command;
};
// clang-format off
constexpr EditCommandRow kEditCommands[] = {
    // item name        edit command
    {"EditUndo", ui::EditCommand::Undo},
    {"EditCut", ui::EditCommand::Cut},
    {"EditCopy", ui::EditCommand::Copy},
    {"EditPaste", ui::EditCommand::Paste},
    {"EditClear", ui::EditCommand::Clear},
    {"EditSelectAll", ui::EditCommand::SelectAll},
};
// clang-format on

ui::EditCommand editCommandFor(std::string_view itemName)
{
    for (const EditCommandRow& row : kEditCommands)
        if (row.itemName == itemName)
            return row.command;
    return ui::EditCommand::None;
}

void adopt(Object* parent, Object* child)
{
    if (MenuItemInstance* former = static_cast<MenuItemInstance*>(asItem(child)->parent))
        std::erase_if(former->children, [child](const Ref<Object>& c) { return c.get() == child; });
    asItem(child)->parent = parent;
}

void Enable(Object* item) { setProperty(item, "Enabled", true); }

void CloseItem(Object* item)
{
    if (Object* parent = asItem(item)->parent) {
        Ref<Object> keepAlive = Ref<Object>::retain(item);
        std::erase_if(asItem(parent)->children, [item](const Ref<Object>& c) { return c.get() == item; });
        asItem(item)->parent = nullptr;
        MenuBar::treeChanged(parent);
    }
}

Ref<Object> Item(Object* parent, int32_t index)
{
    auto& children = asItem(parent)->children;
    return index >= 0 && static_cast<size_t>(index) < children.size() ? children[static_cast<size_t>(index)] : nullptr;
}

int32_t Count(Object* parent) { return static_cast<int32_t>(asItem(parent)->children.size()); }

void Insert(Object* parent, int32_t index, Object* child)
{
    auto& children = asItem(parent)->children;
    Ref<Object> held = Ref<Object>::retain(child);
    adopt(parent, child);
    size_t at = std::clamp<size_t>(static_cast<size_t>(std::max(index, 0)), 0, children.size());
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(at), std::move(held));
    MenuBar::treeChanged(parent);
}

void RemoveAt(Object* parent, int32_t index)
{
    if (Ref<Object> child = Item(parent, index))
        CloseItem(child.get());
}

void RemoveItem(Object* parent, Object* child)
{
    if (child && asItem(child)->parent == parent)
        CloseItem(child);
}

void RemoveNamed(Object* parent, String* name)
{
    if (Ref<Object> child = MenuItem::Child(parent, name))
        CloseItem(child.get());
}

Ref<Object> LookupIndexed(Object* root, String* name, int32_t index);

Ref<Object> Lookup(Object* root, String* name)
{
    return LookupIndexed(root, name, std::numeric_limits<int32_t>::min());
}

Ref<Object> LookupIndexed(Object* root, String* name, int32_t index)
{
    if (!name)
        return nullptr;
    for (const Ref<Object>& child : asItem(root)->children) {
        if (textProperty(child.get(), "Name") == name->view() && intProperty(child.get(), "Index") == index)
            return child;
        if (Ref<Object> found = LookupIndexed(child.get(), name, index))
            return found;
    }
    return nullptr;
}

void ConstructorWithText(Object* item, String* text, Object* tag)
{
    MenuItem::Constructor(item);
    MenuItem::Text::Set(item, 0, text);
    setProperty(item, "Tag", Ref<Object>::retain(tag));
}

void Swap(Object* parent, String* name, Object* replacement)
{
    auto& children = asItem(parent)->children;
    for (size_t i = 0; i < children.size(); ++i)
        if (name && textProperty(children[i].get(), "Name") == name->view()) {
            Ref<Object> held = Ref<Object>::retain(replacement);
            adopt(parent, replacement);
            asItem(children[i].get())->parent = nullptr;
            children[i] = std::move(held);
            MenuBar::treeChanged(parent);
            return;
        }
}

void DisableEntirely(Object* item)
{
    setProperty(item, "Enabled", false);
    for (const Ref<Object>& child : asItem(item)->children)
        DisableEntirely(child.get());
}

void SelfEnable(Object* item) { setProperty(item, "Enabled", boolProperty(item, "AutoEnable")); }

void ConstructorFromItem(Object* item, Object* original)
{
    item->propertyValues() = original->propertyValues();
    for (const Ref<Object>& child : asItem(original)->children) {
        Ref<Object> copy = RuntimeNewObject(child->classTable());
        ConstructorFromItem(copy.get(), child.get());
        MenuItem::Append(item, copy.get());
    }
}

Ref<Object> Clone(Object* item)
{
    Ref<Object> copy = RuntimeNewObject(item->classTable());
    ConstructorFromItem(copy.get(), item);
    return copy;
}

constexpr char kPopUp[] = "MenuItem.PopUp";

using M = MenuItem::Op;

constexpr OperationRow kOperations[] = {
    // function, slot, name, signature
    op<&Enable>(M::Enable, "Enable", "%%"),
    op<&CloseItem>(M::Close, "Close", "%%"),
    op<&Item>(M::Item, "Item", "%o<MenuItem>%i4"),
    op<&Count>(M::Count, "Count", "%i4%"),
    op<&MenuItem::Child>(M::Child, "Child", "%o<MenuItem>%s"),
    op<&MenuItem::Append>(M::Append, "Append", "%%o<MenuItem>"),
    op<&Insert>(M::Insert, "Insert", "%%i4o<MenuItem>"),
    op<&RemoveAt>(M::RemoveAt, "Remove", "%%i4"),
    op<&RemoveItem>(M::RemoveItem, "Remove", "%%o<MenuItem>"),
    op<&RemoveNamed>(M::RemoveNamed, "Remove", "%%s"),
    op<&Lookup>(M::_Lookup, "_Lookup", "%o<MenuItem>%s"),
    op<&LookupIndexed>(M::_LookupIndexed, "_Lookup", "%o<MenuItem>%si4"),
    op<&MenuItem::Constructor>(M::MenuItem, "MenuItem", "%%"),
    op<&ConstructorWithText>(M::ConstructorWithText, "Constructor", "%%sv"),
    op<&unsupportedOperation<kPopUp, Ref<Object>>>(M::PopUp, "PopUp", "%o<MenuItem>%"),
    op<&unsupportedOperation<kPopUp, Ref<Object>, int32_t, int32_t>>(M::PopUpAt, "PopUp", "%o<MenuItem>%i4i4"),
    op<&Swap>(M::_Swap, "_Swap", "%%so<MenuItem>"),
    op<&DisableEntirely>(M::_DisableEntirely, "_DisableEntirely", "%%"),
    op<&SelfEnable>(M::_SelfEnable, "_SelfEnable", "%%"),
    op<&ConstructorWithText>(M::MenuItemWithText, "MenuItem", "%%sv"),
    op<&MenuItem::Constructor>(M::Constructor, "Constructor", "%%"),
    op<&Clone>(M::Clone, "Clone", "%o<MenuItem>%"),
    op<&ConstructorFromItem>(M::ConstructorFromItem, "Constructor", "%%o<MenuItem>"),
};
static_assert(rowsFollowSlots(kOperations, 0, MenuItem::Op::End));

// clang-format off
constexpr PropertyRow kProperties[] = {
    // name                kind
    {"Name", ValueKind::Text},
    {"Text", ValueKind::Text},
    {"KeyboardShortcut", ValueKind::Text},
    {"AutoEnable", ValueKind::Boolean},
    {"Enabled", ValueKind::Boolean},
    {"Checked", ValueKind::Boolean},
    {"Visible", ValueKind::Boolean},
    {"Index", ValueKind::Int32},
    {"Tag", ValueKind::Object},
    {"Icon", ValueKind::Object},
    {"HelpTag", ValueKind::Text},
    {"Bold", ValueKind::Boolean},
    {"Italic", ValueKind::Boolean},
    {"Underline", ValueKind::Boolean},
    {"ShiftModifier", ValueKind::Boolean},
    {"AlternateModifier", ValueKind::Boolean},
};
// clang-format on
static_assert(std::size(kProperties) == 16);

// clang-format off
constexpr ConstantRow kConstants[] = {
    // name                value
    {"ModifierCommand", 1},
    {"ModifierShift", 2},
    {"ModifierAlternate", 4},
    {"EditActionNone", 0},
    {"EditActionUndo", 1},
    {"EditActionCut", 2},
    {"EditActionCopy", 3},
    {"EditActionPaste", 4},
    {"EditActionClear", 5},
    {"EditActionSelectAll", 6},
};
// clang-format on
static_assert(std::size(kConstants) == 10);

constexpr Event kEvents[] = {Event::Action, Event::EnableMenu};

constexpr ClassDescription kDescription = {
    .name = "MenuItem",
    .parent = ObjectClass::__Lookup,
    .instances = instancesOf<MenuItemInstance>,
    .operations = kOperations,
    .properties = kProperties,
    .events = kEvents,
    .constants = kConstants,
};

} // namespace

MenuItemInstance::MenuItemInstance(const ClassTable* classTable) : Object(classTable) { view.bind(this); }

MenuItemInstance::~MenuItemInstance()
{
    for (const Ref<Object>& child : children)
        asItem(child.get())->parent = nullptr;
}

void MenuItemInstance::propertyChanged(uint32_t) { MenuBar::treeChanged(this); }

namespace MenuItem {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, kDescription);
}

void Constructor(Object* item)
{
    setProperty(item, "Enabled", true);
    setProperty(item, "Visible", true);
    setProperty(item, "Index", std::numeric_limits<int32_t>::min());
}

void Append(Object* parent, Object* child) { Insert(parent, Count(parent), child); }

Ref<Object> Child(Object* parent, String* name)
{
    if (!name)
        return nullptr;
    for (const Ref<Object>& child : asItem(parent)->children)
        if (textProperty(child.get(), "Name") == name->view())
            return child;
    return nullptr;
}

namespace Name {
void Set(Object* item, int32_t, String* name) { setProperty(item, "Name", Ref<String>::retain(name)); }
} // namespace Name
namespace Text {
void Set(Object* item, int32_t, String* text) { setProperty(item, "Text", Ref<String>::retain(text)); }
} // namespace Text
namespace KeyboardShortcut {
void Set(Object* item, int32_t, String* shortcut)
{
    setProperty(item, "KeyboardShortcut", Ref<String>::retain(shortcut));
}
} // namespace KeyboardShortcut
namespace AutoEnable {
void Set(Object* item, int32_t, bool autoEnable) { setProperty(item, "AutoEnable", autoEnable); }
} // namespace AutoEnable

void choose(Object* item) { callEventHandler<bool>(item, Event::Action); }

ui::MenuNode presentationNode(Object* item)
{
    ui::MenuNode node{
        .id = asItem(item)->view.id(),
        .text = std::string(textProperty(item, "Text")),
        .shortcut = std::string(textProperty(item, "KeyboardShortcut")),
        .enabled = boolProperty(item, "Enabled"),
        .editCommand = editCommandFor(textProperty(item, "Name")),
    };
    for (const Ref<Object>& child : asItem(item)->children)
        node.children.push_back(presentationNode(child.get()));
    return node;
}

} // namespace MenuItem

} // namespace fw
