#pragma once
// MenuItem: a node of a menu tree, with a name, a text, a keyboard shortcut
// and its children in order. MenuBar is the root of a tree.

#include "framework/classes/ViewBinding.h"
#include "framework/runtime/ClassDescription.h"

#include <vector>

namespace fw {

struct MenuItemInstance : Object {
    explicit MenuItemInstance(const ClassTable* classTable);
    ~MenuItemInstance() override;
    void propertyChanged(uint32_t slot) override;

    ViewBinding view{nullptr};
    Object* parent = nullptr; // borrowed; the parent holds this node
    std::vector<Ref<Object>> children;
};

namespace MenuItem {

enum class Op : uint32_t {
    Enable,
    Close,
    Item,
    Count,
    Child,
    Append,
    Insert,
    RemoveAt,
    RemoveItem,
    RemoveNamed,
    _Lookup,
    _LookupIndexed,
    MenuItem,
    ConstructorWithText,
    PopUp,
    PopUpAt,
    _Swap,
    _DisableEntirely,
    _SelfEnable,
    MenuItemWithText,
    Constructor,
    Clone,
    ConstructorFromItem,
    End
};
using fw::slot;

const ClassTable* __Lookup();

void Constructor(Object* item); // the argument-less one
void Append(Object* parent, Object* child);
Ref<Object> Child(Object* parent, String* name);

namespace Name {
void Set(Object* item, int32_t, String* name);
}
namespace Text {
void Set(Object* item, int32_t, String* text);
}
namespace KeyboardShortcut {
void Set(Object* item, int32_t, String* shortcut);
}
namespace AutoEnable {
void Set(Object* item, int32_t, bool autoEnable);
}

// The user chose the item: runs its class's Action handler.
void choose(Object* item);

// The tree below the node as the presentation shows it.
ui::MenuNode presentationNode(Object* item);

} // namespace MenuItem

} // namespace fw
