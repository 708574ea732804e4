#pragma once
// Class tables: objects call through their class's table of operations,
// introspection reads its member table, its event table holds the class's
// handlers and its property table names the properties its objects take.

#include "framework/runtime/Event.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/PropertyForm.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace fw {

// An attribute of a member or of a class, such as "__Scope" = "Public".
struct Attribute {
    Ref<String> name;
    Ref<String> value; // nil when hasValue is 0
    uint8_t hasValue = 0;
};

enum class MemberKind : int32_t {
    Operation = 1, // an entry of the table of operations
    Property = 2,  // a slot of the property table
    Constant = 3,  // a named value of the class
};

struct MemberEntry;

// Calls a member: its entry (code and signature), the target object and the
// argument list (an ObjectArray or nil). Returns the member's result as a new
// reference, or nil.
using Invoker = Ref<Object> (*)(const MemberEntry& member, Object* target, Object* arguments);

struct MemberEntry {
    Ref<String> name;
    MemberKind kind = MemberKind::Operation;
    std::vector<Attribute> attributes;
    Ref<String> signature; // "%" result "%" parameters
    TypedCode code;
    Invoker invoker = nullptr;
    int32_t constantValue = 0; // the value of a Constant member
};

struct EventEntry {
    Event event = Event::Count;
    TypedCode handler; // the class's handler, of the type its event fixes (Event.h); nil: none

    std::string_view name() const { return eventName(event); }
};

// A property of a class: its name, the kind of value it holds, and for one
// whose value follows from the object's state the getter that derives it
// (an Int32 or a Boolean); such a property is read-only.
struct PropertyRow {
    std::string_view name;
    ValueKind kind;
    std::optional<StoredValue (*)(const Object* object)> derive = std::nullopt;
};

// A class's properties as its objects take them: its own, then its parent's.
struct PropertyTable {
    std::span<const PropertyRow> own;
    std::optional<const PropertyTable*> parent = std::nullopt;

    constexpr std::optional<PropertyRow> find(std::string_view name) const
    {
        auto found = std::ranges::find(own, name, &PropertyRow::name);
        return found != own.end() ? std::optional(*found) : parent ? (*parent)->find(name) : std::nullopt;
    }
};

// The form the property's value takes in a property list; none for no
// property, or one that no list sets.
constexpr std::optional<PropertyForm> listFormOf(const std::optional<PropertyRow>& row)
{
    if (!row || row->derive || valueKindInfo(row->kind).fixedBytes == 0)
        return std::nullopt;
    return row->kind;
}

// The form of the setting of that name in a property list for a class with
// these properties; none when the class takes no such setting.
constexpr std::optional<PropertyForm> settingForm(const PropertyTable& properties, std::string_view name)
{
    return listFormOf(properties.find(name));
}

// Creates the C++ instance behind an object of the class, its fields set to
// their initial values; the C++ destructor is the finaliser.
using InstanceFactory = Object* (*)(const ClassTable* classTable);

struct ClassTable {
    const ClassTable* parent = nullptr;
    Ref<String> name;
    uint32_t instanceSize = 0;
    uint8_t kind = 0; // 0: an ordinary class, 1: an interface
    InstanceFactory createInstance = nullptr;
    std::vector<TypedCode> operations;
    std::vector<MemberEntry> members;
    std::vector<EventEntry> events;
    std::vector<PropertyRow> properties;
    std::vector<Attribute> classAttributes;

    // Index of the event or of the property of that name, or -1.
    int32_t eventIndex(Event event) const;
    int32_t propertyIndex(std::string_view propertyName) const;

    // The entry of the event; a framework fault naming the class and the
    // event when the class has no such event.
    const EventEntry& eventEntry(Event event) const;
};

// A new class table that already holds the parent's members, events and
// properties; the counts are totals. Class tables live until the process ends.
ClassTable* RuntimeNewClass(const ClassTable* parent, int32_t memberCount, int32_t reserved1, int32_t eventCount,
                            int32_t reserved2, int32_t propertyCount, int32_t classAttributeCount);

// An empty table of operations of count entries, to be attached and filled.
std::vector<TypedCode> RuntimeNewVtable(int32_t count);

// Sets the class's handler for the event; a framework fault when the class
// has no such event, or the handler is not of the type the event fixes.
void setEventHandler(ClassTable* classTable, Event event, TypedCode handler);

// Gives entry (one of members) count attribute records; returns the first.
Attribute* RuntimeAllocateAttributeTable(std::vector<MemberEntry>& members, MemberEntry& entry, int32_t count);

// A new object of the class, not yet constructed; never nil.
Ref<Object> RuntimeNewObject(const ClassTable* classTable);

// Whether object is of the class or of a subclass; false for nil.
bool RuntimeObjectIsa(const Object* object, const ClassTable* classTable);

// The object, confirmed to be of the class (nil passes); raises
// IllegalCastException otherwise.
Ref<Object> RuntimeCheckCast(Ref<Object> object, const ClassTable* classTable);

// The slot of an operation in its class's table of operations.
template <class Op>
requires std::is_enum_v<Op>
constexpr uint32_t slot(Op op) { return static_cast<uint32_t>(op); }

// The slot's entry; a framework fault when self is nil or the slot is empty.
const TypedCode& operationSlot(const Object* self, uint32_t slot);

// A framework fault: one line naming the class and what follows (" has no event Paint").
[[noreturn]] void classFault(const ClassTable* classTable, const std::string& what);

// A framework fault: what (a slot, an event, a delegate's code) holds a
// function of type held and is called as one of type called.
[[noreturn]] void wrongCallType(const std::string& what, const std::type_info* held, const std::type_info& called);

namespace detail {
std::string slotDescription(const ClassTable* classTable, uint32_t slot);
std::string eventDescription(const ClassTable* classTable, Event event);
} // namespace detail

// The function code holds, which must be of type F; otherwise a framework
// fault naming what holds it (what, or what describe() returns) and both types.
template <class F, class Describe>
F* functionOf(const TypedCode& code, Describe describe)
{
    if (!code.holds<F>())
        wrongCallType(describe(), code.type, typeid(F*));
    return reinterpret_cast<F*>(code.code);
}
template <class F>
F* functionOf(const TypedCode& code, const char* what)
{
    return functionOf<F>(code, [what] { return std::string(what); });
}

// The slot's function, which must be of type F.
template <class F>
F* slotFunction(const Object* self, uint32_t slot)
{
    return functionOf<F>(operationSlot(self, slot),
                         [self, slot] { return detail::slotDescription(self->classTable(), slot); });
}

// Calls operation number slot of self's class with the given arguments; a
// framework fault when the slot holds a function of another type.
template <class Result = void, class... Arguments>
Result callOperation(Object* self, uint32_t slot, Arguments... arguments)
{
    return slotFunction<Result(Object*, Arguments...)>(self, slot)(self, arguments...);
}

// Runs the class's handler for the event and returns its result, a default
// Result without a handler. A framework fault when the class has no such
// event; in a debug build also when this call's type is not the event's.
template <class Result = void, class... Arguments>
Result callEventHandler(Object* self, Event event, Arguments... arguments)
{
    using Function = Result (*)(Object*, Arguments...);
    const EventEntry& entry = self->classTable()->eventEntry(event);
#ifndef NDEBUG
    if (*eventInfo(event).handlerType != typeid(Function))
        wrongCallType(detail::eventDescription(self->classTable(), event), eventInfo(event).handlerType,
                      typeid(Function));
#endif
    return entry.handler ? reinterpret_cast<Function>(entry.handler.code)(self, arguments...) : Result();
}

// "Public" attribute record, the one every member of the program carries.
Attribute publicScope();

} // namespace fw
