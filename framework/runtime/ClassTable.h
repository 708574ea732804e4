#pragma once
// Class tables: how every class, the framework's and the program's, describes
// itself to the runtime. Objects call through their class's table of
// operations; introspection reads the member table; the event table holds a
// class's handlers for its events; the property table names the settings an
// object of the class takes.

#include "framework/runtime/Object.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace fw {

// An attribute of a member or of a class, such as "__Scope" = "Public".
struct Attribute {
    Ref<String> name;
    Ref<String> value;     // nil when hasValue is 0
    uint8_t hasValue = 0;
};

enum class MemberKind : int32_t {
    Operation = 1,  // an entry of the table of operations
    Property = 2,   // a slot of the property table
    Constant = 3,   // a named value of the class
};

// Calls a member: its code, the target object and the argument list (an
// ObjectArray or nil). Returns the member's result as a new reference, or nil.
using Invoker = Ref<Object> (*)(Code code, Object* target, Object* arguments);

struct MemberEntry {
    Ref<String> name;
    MemberKind kind = MemberKind::Operation;
    std::vector<Attribute> attributes;
    Ref<String> signature;   // "%" result "%" parameters
    Code code = nullptr;
    Invoker invoker = nullptr;
    int32_t constantValue = 0;  // the value of a Constant member
};

struct EventEntry {
    std::string_view name;
    Code handler = nullptr;  // the class's handler: void (*)(Object*)
};

// What a property slot holds.
enum class ValueKind : uint8_t { Int32, Boolean, Colour, Text, Single, Enum8, Object };

struct PropertyEntry {
    std::string_view name;
    ValueKind kind;
};

// Creates the C++ instance behind an object of the class, its fields set to
// their initial values; the C++ destructor is the finaliser.
using InstanceFactory = Object* (*)(const ClassTable* classTable);

struct ClassTable {
    const ClassTable* parent = nullptr;
    Ref<String> name;
    uint32_t instanceSize = 0;
    uint8_t kind = 0;  // 0: an ordinary class, 1: an interface
    InstanceFactory createInstance = nullptr;
    std::vector<Code> operations;
    std::vector<MemberEntry> members;
    std::vector<EventEntry> events;
    std::vector<PropertyEntry> properties;
    std::vector<Attribute> classAttributes;

    // Index of the event or property of that name, or -1.
    int32_t eventIndex(std::string_view eventName) const;
    int32_t propertyIndex(std::string_view propertyName) const;
};

// A new class table that already holds the parent's members, events and
// properties; the counts are the totals, the parent's included. Class tables
// live until the process ends.
ClassTable* RuntimeNewClass(const ClassTable* parent, int32_t memberCount, int32_t reserved1, int32_t eventCount,
                            int32_t reserved2, int32_t propertyCount, int32_t classAttributeCount);

// An empty table of operations of count entries, to be attached and filled.
std::vector<Code> RuntimeNewVtable(int32_t count);

// Gives entry (one of members) an attribute list of count records and
// returns its first record.
Attribute* RuntimeAllocateAttributeTable(std::vector<MemberEntry>& members, MemberEntry& entry, int32_t count);

// A new object of the class, not yet constructed; never nil.
Ref<Object> RuntimeNewObject(const ClassTable* classTable);

// Whether object is of the class or of a subclass; false for nil.
bool RuntimeObjectIsa(const Object* object, const ClassTable* classTable);

// The object, confirmed to be of the class (nil passes); raises
// IllegalCastException otherwise.
Ref<Object> RuntimeCheckCast(Ref<Object> object, const ClassTable* classTable);

// Calls operation number slot of self's class with the given arguments.
template <class Result = void, class... Arguments>
Result callOperation(Object* self, uint32_t slot, Arguments... arguments);

void checkOperationSlot(const Object* self, uint32_t slot);

template <class Result, class... Arguments>
Result callOperation(Object* self, uint32_t slot, Arguments... arguments)
{
    checkOperationSlot(self, slot);
    auto code = reinterpret_cast<Result (*)(Object*, Arguments...)>(self->classTable()->operations[slot]);
    return code(self, arguments...);
}

// "Public" attribute record, the one every member of the program carries.
Attribute publicScope();

} // namespace fw
