#include "framework/runtime/ClassTable.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/FatalError.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace fw {

namespace {

std::string className(const ClassTable* classTable)
{
    return classTable && classTable->name ? std::string(classTable->name->view()) : std::string("(unnamed)");
}

std::string readableType(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

void requireAtLeast(size_t inherited, int32_t total, const char* what)
{
    if (total < 0 || static_cast<size_t>(total) < inherited)
        fatalError("a class table's %s count %d is below its parent's %zu", what, total, inherited);
}

} // namespace

void classFault(const ClassTable* classTable, const std::string& what)
{
    fatalError("class %s%s", className(classTable).c_str(), what.c_str());
}

int32_t ClassTable::eventIndex(Event event) const
{
    auto found = std::ranges::find(events, event, &EventEntry::event);
    return found == events.end() ? -1 : static_cast<int32_t>(found - events.begin());
}

int32_t ClassTable::propertyIndex(std::string_view propertyName) const
{
    auto found = std::ranges::find(properties, propertyName, &PropertyRow::name);
    return found == properties.end() ? -1 : static_cast<int32_t>(found - properties.begin());
}

const EventEntry& ClassTable::eventEntry(Event event) const
{
    int32_t index = eventIndex(event);
    if (index < 0)
        classFault(this, std::string(" has no event ").append(eventName(event)));
    return events[static_cast<size_t>(index)];
}

void setEventHandler(ClassTable* classTable, Event event, TypedCode handler)
{
    auto& entry = const_cast<EventEntry&>(classTable->eventEntry(event));
    if (!handler.type || *handler.type != *eventInfo(event).handlerType)
        wrongCallType(detail::eventDescription(classTable, event), handler.type, *eventInfo(event).handlerType);
    entry.handler = handler;
}

ClassTable* RuntimeNewClass(const ClassTable* parent, int32_t memberCount, int32_t, int32_t eventCount, int32_t,
                            int32_t propertyCount, int32_t classAttributeCount)
{
    auto* table = new ClassTable;
    table->parent = parent;
    if (parent) {
        requireAtLeast(parent->members.size(), memberCount, "member");
        requireAtLeast(parent->events.size(), eventCount, "event");
        requireAtLeast(parent->properties.size(), propertyCount, "property");
        table->members = parent->members;
        table->events = parent->events;
        table->properties = parent->properties;
        table->createInstance = parent->createInstance;
        table->instanceSize = parent->instanceSize;
    }
    table->members.resize(static_cast<size_t>(memberCount));
    table->events.resize(static_cast<size_t>(eventCount));
    table->properties.resize(static_cast<size_t>(propertyCount));
    table->classAttributes.resize(static_cast<size_t>(classAttributeCount));
    return table;
}

std::vector<TypedCode> RuntimeNewVtable(int32_t count) { return std::vector<TypedCode>(static_cast<size_t>(count)); }

Attribute* RuntimeAllocateAttributeTable(std::vector<MemberEntry>& members, MemberEntry& entry, int32_t count)
{
    if (&entry < members.data() || &entry >= members.data() + members.size())
        fatalError("attribute table for an entry outside the member table");
    entry.attributes.assign(static_cast<size_t>(count), Attribute{});
    return entry.attributes.data();
}

Ref<Object> RuntimeNewObject(const ClassTable* classTable)
{
    if (!classTable || !classTable->createInstance)
        fatalError("new object of a class without instances");
    return Ref<Object>::adopt(classTable->createInstance(classTable));
}

bool RuntimeObjectIsa(const Object* object, const ClassTable* classTable)
{
    for (const ClassTable* c = object ? object->classTable() : nullptr; c; c = c->parent)
        if (c == classTable)
            return true;
    return false;
}

Ref<Object> RuntimeCheckCast(Ref<Object> object, const ClassTable* classTable)
{
    if (object && !RuntimeObjectIsa(object.get(), classTable)) {
        std::string message = "an object of class " + std::string(object->classTable()->name->view()) + " is not a " +
                              std::string(classTable->name->view());
        raiseRuntimeException(IllegalCastException::__Lookup(), message);
    }
    return object;
}

const TypedCode& operationSlot(const Object* self, uint32_t slot)
{
    if (!self)
        fatalError("operation called on nil");
    const auto& operations = self->classTable()->operations;
    if (slot >= operations.size() || !operations[slot])
        classFault(self->classTable(), " has no operation in slot " + std::to_string(slot));
    return operations[slot];
}

void wrongCallType(const std::string& what, const std::type_info* held, const std::type_info& called)
{
    fatalError("%s holds %s but is called as %s", what.c_str(), held ? readableType(*held).c_str() : "nothing",
               readableType(called).c_str());
}

namespace detail {
std::string eventDescription(const ClassTable* classTable, Event event)
{
    return "class " + className(classTable) + ": the handler of event " + std::string(eventName(event));
}

std::string slotDescription(const ClassTable* classTable, uint32_t slot)
{
    std::string description = "class " + className(classTable) + ": slot " + std::to_string(slot);
    if (slot < classTable->operations.size() && classTable->operations[slot])
        for (const MemberEntry& member : classTable->members)
            if (member.kind == MemberKind::Operation && member.code == classTable->operations[slot] && member.name)
                return description.append(" (").append(member.name->view()).append(")");
    return description;
}
} // namespace detail

Attribute publicScope() { return {.name = makeString("__Scope"), .value = makeString("Public"), .hasValue = 1}; }

} // namespace fw
