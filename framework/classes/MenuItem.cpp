#include "framework/classes/MenuItem.h"

#include "framework/classes/MenuBar.h"
#include "framework/classes/Services.h"
#include "framework/classes/Unsupported.h"
#include "framework/classes/UserActionDispatch.h"
#include "framework/runtime/FrameworkClass.h"
#include "framework/runtime/Invokers.h"
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
constexpr EditCommandRow kEditCommands[] = {
    // item name        edit command
    {"EditUndo", ui::EditCommand::Undo},
    {"EditCut", ui::EditCommand::Cut},
    {"EditCopy", ui::EditCommand::Copy},
    {"EditPaste", ui::EditCommand::Paste},
    {"EditClear", ui::EditCommand::Clear},
    {"EditSelectAll", ui::EditCommand::SelectAll},
};

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

Ref<Object> Lookup(Object* root, String* name) { return LookupIndexed(root, name, std::numeric_limits<int32_t>::min()); }

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

const OperationRow kOperations[] = {
    // name                 code                                                  signature
    {"Enable", toCode(Enable), "%%", invokeNoResult},
    {"Close", toCode(CloseItem), "%%", invokeNoResult},
    {"Item", toCode(Item), "%o<MenuItem>%i4"},
    {"Count", toCode(Count), "%i4%"},
    {"Child", toCode(MenuItem::Child), "%o<MenuItem>%s"},
    {"Append", toCode(MenuItem::Append), "%%o<MenuItem>"},
    {"Insert", toCode(Insert), "%%i4o<MenuItem>"},
    {"Remove", toCode(RemoveAt), "%%i4"},
    {"Remove", toCode(RemoveItem), "%%o<MenuItem>"},
    {"Remove", toCode(RemoveNamed), "%%s"},
    {"_Lookup", toCode(Lookup), "%o<MenuItem>%s"},
    {"_Lookup", toCode(LookupIndexed), "%o<MenuItem>%si4"},
    {"MenuItem", toCode(MenuItem::Constructor), "%%", invokeNoResult},
    {"Constructor", toCode(ConstructorWithText), "%%sv"},
    {"PopUp", toCode(unsupportedOperation<kPopUp, Ref<Object>>), "%o<MenuItem>%", invokeReturnsObject},
    {"PopUp", toCode(unsupportedOperation<kPopUp, Ref<Object>, int32_t, int32_t>), "%o<MenuItem>%i4i4"},
    {"_Swap", toCode(Swap), "%%so<MenuItem>"},
    {"_DisableEntirely", toCode(DisableEntirely), "%%", invokeNoResult},
    {"_SelfEnable", toCode(SelfEnable), "%%", invokeNoResult},
    {"MenuItem", toCode(ConstructorWithText), "%%sv"},
    {"Constructor", toCode(MenuItem::Constructor), "%%", invokeNoResult},
    {"Clone", toCode(Clone), "%o<MenuItem>%", invokeReturnsObject},
    {"Constructor", toCode(ConstructorFromItem), "%%o<MenuItem>"},
};
static_assert(std::size(kOperations) == MenuItem::slot(MenuItem::Op::OpCount));

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
static_assert(std::size(kProperties) == 16);

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
static_assert(std::size(kConstants) == 10);

constexpr Event kEvents[] = {Event::Action, Event::EnableMenu};

} // namespace

MenuItemInstance::MenuItemInstance(const ClassTable* classTable) : Object(classTable), viewId(newViewId())
{
    userActionDispatch().registerView(viewId, this);
}

MenuItemInstance::~MenuItemInstance()
{
    userActionDispatch().unregisterView(viewId);
    for (const Ref<Object>& child : children)
        asItem(child.get())->parent = nullptr;
}

void MenuItemInstance::propertyChanged(uint32_t) { MenuBar::treeChanged(this); }

namespace MenuItem {

const ClassTable* __Lookup()
{
    static const ClassTable* table = buildFrameworkClass({
        .name = "MenuItem",
        .parent = ObjectClass::__Lookup,
        .createInstance = createInstanceOf<MenuItemInstance>,
        .instanceSize = sizeof(MenuItemInstance),
        .operations = kOperations,
        .properties = kProperties,
        .events = kEvents,
        .constants = kConstants,
    });
    return table;
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

void choose(Object* item)
{
    callEventHandler<bool>(item, Event::Action);
}

ui::MenuNode presentationNode(Object* item)
{
    ui::MenuNode node{
        .id = asItem(item)->viewId,
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
