#pragma once
// The framework's own classes are declared as data: one FrameworkClassSpec
// per class, walked once by buildFrameworkClass into a class table.

#include "framework/runtime/ClassTable.h"

#include <span>
#include <string_view>

namespace fw {

struct OperationRow {
    std::string_view name;
    TypedCode code;
    std::string_view signature;  // "%" result "%" parameters
    Invoker invoker = nullptr;   // nil: not callable through introspection
};

struct PropertyRow {
    std::string_view name;
    ValueKind kind;
};

struct ConstantRow {
    std::string_view name;
    int32_t value;
};

// A class's own handler for one of its events.
struct HandlerRow {
    Event event;
    TypedCode handler;
};

struct FrameworkClassSpec {
    std::string_view name;
    const ClassTable* (*parent)() = nullptr;
    InstanceFactory createInstance = nullptr;  // nil: the parent's
    uint32_t instanceSize = 0;                 // 0: the parent's
    std::span<const OperationRow> operations = {};
    std::span<const PropertyRow> properties = {};
    std::span<const Event> events = {};  // its own, after the parent's
    std::span<const ConstantRow> constants = {};
    std::span<const HandlerRow> handlers = {};
};

// Builds the class table: the parent's entries first, then the class's own
// operations, properties and constants as members in that order, each
// public. Built once; the caller keeps the result in a static.
const ClassTable* buildFrameworkClass(const FrameworkClassSpec& spec);

template <class Instance>
Object* createInstanceOf(const ClassTable* classTable)
{
    return new Instance(classTable);
}

// The root class "Object".
namespace ObjectClass {
const ClassTable* __Lookup();
}

} // namespace fw
