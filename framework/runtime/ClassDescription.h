#pragma once
// How every class describes itself, the framework's and the program's: its
// parent and its own operations, properties, events, constants, handlers and
// class attribute as tables of rows, walked by registerClass into the class
// table. op() makes an operation row from its function: it picks the invoker
// and refuses a signature that does not fit the function.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Invokers.h"

namespace fw {

// The slot of a row that takes the one after its parent's and the rows before it.
inline constexpr uint32_t kNextSlot = UINT32_MAX;

// Whether an operation carries "Hidden": introspection reports it as not accessible.
enum class Visibility : bool { Shown, Hidden };

struct OperationRow {
    std::string_view name;
    std::string_view signature; // "%" result "%" parameters
    TypedCode (*code)();        // the operation, with its function type
    Invoker invoker;            // follows from the function's type; nil: not callable through introspection
    uint32_t slot = kNextSlot;  // its slot; below the parent's count, the inherited slot it replaces
    Visibility visibility = Visibility::Shown;
};

// An operation's row, in the next slot or (the second form) in slot at: an
// enumerator of the class's Op, or of its parent's for one it replaces.
template <auto Function>
consteval OperationRow op(std::string_view name, std::string_view signature, Visibility visibility = {})
{
    requireSignatureFits(Function, signature);
    return {.name = name,
            .signature = signature,
            .code = codeOf<Function>,
            .invoker = kInvokerFor<decltype(Function)>,
            .visibility = visibility};
}

template <auto Function, class Op>
requires std::is_enum_v<Op>
consteval OperationRow op(Op at, std::string_view name, std::string_view signature, Visibility visibility = {})
{
    OperationRow row = op<Function>(name, signature, visibility);
    row.slot = slot(at);
    return row;
}

namespace diagnostic {
// Never called: reached in rowsFollowSlots, it stops the compilation.
inline void operationRowsDoNotFollowTheirSlots() {}
} // namespace diagnostic

// True when each row that adds a slot names the next one, from first up to
// end: two rows swapped do not compile. Rows below first replace inherited ones.
template <class Op>
consteval bool rowsFollowSlots(std::span<const OperationRow> rows, uint32_t first, Op end)
{
    uint32_t next = first;
    for (const OperationRow& row : rows) {
        if (row.slot >= first && row.slot != next++)
            diagnostic::operationRowsDoNotFollowTheirSlots();
    }
    if (next != slot(end))
        diagnostic::operationRowsDoNotFollowTheirSlots();
    return true;
}

struct ConstantRow {
    std::string_view name;
    int32_t value;
};

// A class's own handler for one of its events: codeOf<&handler>.
struct HandlerRow {
    Event event;
    TypedCode (*handler)();
};

// How objects of a class are made: the factory and the instance's size.
struct Instances {
    InstanceFactory create = nullptr;
    uint32_t size = 0;
};

template <class Instance>
inline constexpr Instances instancesOf{
    .create = [](const ClassTable* classTable) -> Object* { return new Instance(classTable); },
    .size = sizeof(Instance),
};

struct ClassDescription {
    std::string_view name;
    const ClassTable* (*parent)() = nullptr; // nil: the root class
    Instances instances = {};                // none: the parent's
    std::span<const OperationRow> operations = {};
    std::span<const PropertyRow> properties = {};
    std::span<const Event> events = {}; // its own, after the parent's
    std::span<const ConstantRow> constants = {};
    std::span<const HandlerRow> handlers = {};
    bool publicClass = true; // carries the class attribute "__Scope" = "Public"
};

// A class's member, event and property totals, its parent's included.
struct ClassTotals {
    size_t members = 0, events = 0, properties = 0;

    friend constexpr bool operator==(const ClassTotals&, const ClassTotals&) = default;
};

// The parent's totals, and one member per own operation, property and constant.
constexpr ClassTotals totalsOf(ClassTotals parent, const ClassDescription& description)
{
    const size_t members = description.operations.size() + description.properties.size() + description.constants.size();
    return {.members = parent.members + members,
            .events = parent.events + description.events.size(),
            .properties = parent.properties + description.properties.size()};
}

// Builds the described class's table unless table holds one, and returns
// table: RuntimeNewClass with the totals (the new table is stored in table and
// registered by name at once), RuntimeNewVtable, then one introspection entry
// and RuntimeAllocateAttributeTable per own member, the events, the handlers.
const ClassTable* registerClass(const ClassTable*& table, const ClassDescription& description);

// The class registered under that name, or nil.
const ClassTable* classNamed(std::string_view name);

// The root class "Object".
namespace ObjectClass {
const ClassTable* __Lookup();
}

} // namespace fw
