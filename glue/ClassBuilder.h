#pragma once
// How each class of the program registers with the framework: its own
// operations as a table of rows, walked once into a class table.

#include "framework/runtime/ClassTable.h"

#include <cstddef>
#include <span>
#include <string_view>

// One operation of the program's own, in introspection order.
struct OwnOperation {
    std::string_view name;
    fw::TypedCode code;
    std::string_view signature;
    fw::Invoker invoker;
    bool hidden = false;        // carries "Hidden": not accessible
    int32_t replacesSlot = -1;  // an inherited slot it takes the place of; -1: appended
};

// A class's own handler for one of the parent's events.
struct OwnHandler {
    fw::Event event;
    fw::TypedCode handler;
};

struct ClassDescription {
    std::string_view name;
    const fw::ClassTable* (*parent)();
    int32_t classAttributeCount;
    std::span<const OwnOperation> operations;
    std::span<const OwnHandler> handlers = {};
};

// The member, event and property totals a class hands to RuntimeNewClass.
struct ClassTotals {
    size_t members, events, properties;

    friend constexpr bool operator==(const ClassTotals&, const ClassTotals&) = default;
};

// A class of the program adds operations only, one member each, and no event
// or property: its totals are its parent's plus its own operations. The
// builder derives them from the parent's table; each class checks them
// against its figures at compile time from the parent's.
constexpr ClassTotals withOwnOperations(ClassTotals parent, size_t ownOperations)
{
    return {.members = parent.members + ownOperations, .events = parent.events, .properties = parent.properties};
}

// The class-table builder: returns at once when table exists; otherwise
// builds it after its parent's and stores it in table as soon as it is made.
void buildClassTable(const fw::ClassTable*& table, const ClassDescription& description);

// The class-table lookup: runs the class's builder when table does not exist
// yet, then returns table.
inline const fw::ClassTable* lookUpClassTable(const fw::ClassTable*& table, void (*ctblinit)())
{
    if (!table)
        ctblinit();
    return table;
}
