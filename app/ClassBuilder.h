#pragma once
// How each class of the program registers with the framework: its own
// operations as a table of rows, walked once into a class table.

#include "framework/runtime/ClassTable.h"

#include <span>
#include <string_view>

// One operation of the program's own, in introspection order.
struct OwnOperation {
    std::string_view name;
    fw::Code code;
    std::string_view signature;
    fw::Invoker invoker;
    bool hidden = false;        // carries "Hidden": not accessible
    int32_t replacesSlot = -1;  // an inherited slot it takes the place of; -1: appended
};

// A class's own handler for one of the parent's events.
struct OwnHandler {
    std::string_view event;
    fw::Code handler;
};

struct ClassDescription {
    std::string_view name;
    const fw::ClassTable* (*parent)();
    // The totals handed to RuntimeNewClass, the parent's included.
    int32_t memberCount, eventCount, propertyCount, classAttributeCount;
    std::span<const OwnOperation> operations;
    std::span<const OwnHandler> handlers = {};
};

// The class-table builder: returns at once when table exists; otherwise
// builds it after its parent's and stores it in table as soon as it is made.
void buildClassTable(const fw::ClassTable*& table, const ClassDescription& description);
