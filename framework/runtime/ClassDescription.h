#pragma once
// How every class describes itself, the framework's and the program's: one
// ClassDescription per class, its parent and its own operations, properties,
// events, constants, handlers and class attribute as tables of rows, walked
// by registerClass into the class table. An operation row is made from its
// function by op(), which picks the invoker and refuses a signature that does
// not fit the function.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/Signature.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fw {

// The slot of a row that takes the next slot after its parent's and the rows
// before it.
inline constexpr uint32_t kNextSlot = UINT32_MAX;

// Whether an operation carries "Hidden", which makes introspection report it
// as not accessible.
enum class Visibility : bool { Shown, Hidden };

struct OperationRow {
    std::string_view name;
    std::string_view signature;  // "%" result "%" parameters
    TypedCode (*code)();         // the operation, with its function type
    Invoker invoker;             // follows from the function's type; nil: not callable through introspection
    uint32_t slot = kNextSlot;   // its slot; below the parent's count, the inherited slot it takes the place of
    Visibility visibility = Visibility::Shown;
};

// The row of an operation: name and signature as introspection shows them,
// in the next slot.
template <auto Function>
consteval OperationRow op(std::string_view name, std::string_view signature,
                          Visibility visibility = Visibility::Shown)
{
    requireSignatureFits<decltype(Function)>(signature);
    return {.name = name,
            .signature = signature,
            .code = codeOf<Function>,
            .invoker = invokerFor<decltype(Function)>(),
            .visibility = visibility};
}

// The row of the operation in slot at, an enumerator of the class's Op (or of
// its parent's, for an operation it replaces).
template <auto Function, class Op>
requires std::is_enum_v<Op>
consteval OperationRow op(Op at, std::string_view name, std::string_view signature,
                          Visibility visibility = Visibility::Shown)
{
    OperationRow row = op<Function>(name, signature, visibility);
    row.slot = slot(at);
    return row;
}

namespace diagnostic {
// Never called while the program runs: reaching it in rowsFollowSlots is what
// makes an operation table whose rows do not follow their Op fail to compile.
inline void operationRowsDoNotFollowTheirSlots() {}
} // namespace diagnostic

// True when every row that adds a slot names the next one, from first up to
// end: two rows swapped, one missing or one left over stop compilation at
// diagnostic::operationRowsDoNotFollowTheirSlots. Rows below first replace
// inherited slots and may stand anywhere.
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

// How objects of a class are made: the factory and the size of the instance.
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
    const ClassTable* (*parent)() = nullptr;  // nil: the root class
    Instances instances = {};                 // none: the parent's
    std::span<const OperationRow> operations = {};
    std::span<const PropertyRow> properties = {};
    std::span<const Event> events = {};  // its own, after the parent's
    std::span<const ConstantRow> constants = {};
    std::span<const HandlerRow> handlers = {};
    bool publicClass = true;  // carries the class attribute "__Scope" = "Public"
};

// The member, event and property totals of a class, its parent's included:
// what it hands to RuntimeNewClass.
struct ClassTotals {
    size_t members = 0, events = 0, properties = 0;

    friend constexpr bool operator==(const ClassTotals&, const ClassTotals&) = default;
};

// The totals of the described class: its parent's, then one member for each
// own operation, property and constant, and its own events and properties.
constexpr ClassTotals totalsOf(ClassTotals parent, const ClassDescription& description)
{
    return {.members = parent.members + description.operations.size() + description.properties.size() +
                       description.constants.size(),
            .events = parent.events + description.events.size(),
            .properties = parent.properties + description.properties.size()};
}

// Builds the class table of the description unless table holds one already,
// and returns table. In this order: the parent's table (built first if need
// be); RuntimeNewClass with the totals, the new table stored in table at once
// and registered under its name; its name, kind and instance size; the table
// of operations from RuntimeNewVtable, the parent's and then the rows', each
// row in its slot; one introspection entry per own operation, property and
// constant, each with its attributes from RuntimeAllocateAttributeTable
// ("__Scope" = "Public", and "Hidden" where the row says so); the own events;
// the handlers; and last the class attribute. Each string stored is a new one.
const ClassTable* registerClass(const ClassTable*& table, const ClassDescription& description);

// The class registered under that name (class tables live for the run), or nil.
const ClassTable* classNamed(std::string_view name);

// A class's lookup: runs its builder when table does not exist yet, then
// returns table.
inline const ClassTable* lookUpClass(const ClassTable*& table, void (*build)())
{
    if (!table)
        build();
    return table;
}

// The root class "Object".
namespace ObjectClass {
const ClassTable* __Lookup();
}

} // namespace fw
