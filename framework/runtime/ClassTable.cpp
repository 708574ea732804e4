#include "framework/runtime/ClassTable.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/FatalError.h"

#include <cstdio>
#include <string>

namespace fw {

namespace {

template <class Entry>
int32_t indexByName(const std::vector<Entry>& entries, std::string_view name)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name)
            return static_cast<int32_t>(i);
    return -1;
}

void requireAtLeast(size_t inherited, int32_t total, const char* what)
{
    if (total < 0 || static_cast<size_t>(total) < inherited) {
        std::fprintf(stderr, "framework: %s count %d is below the parent's %zu\n", what, total, inherited);
        fatalError("class table counts do not include the parent's");
    }
}

} // namespace

int32_t ClassTable::eventIndex(std::string_view eventName) const { return indexByName(events, eventName); }
int32_t ClassTable::propertyIndex(std::string_view propertyName) const
{
    return indexByName(properties, propertyName);
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

std::vector<Code> RuntimeNewVtable(int32_t count) { return std::vector<Code>(static_cast<size_t>(count), nullptr); }

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
    if (!object)
        return false;
    for (const ClassTable* c = object->classTable(); c; c = c->parent)
        if (c == classTable)
            return true;
    return false;
}

Ref<Object> RuntimeCheckCast(Ref<Object> object, const ClassTable* classTable)
{
    if (object && !RuntimeObjectIsa(object.get(), classTable)) {
        std::string message = "an object of class " + std::string(object->classTable()->name->view()) +
                              " is not a " + std::string(classTable->name->view());
        raiseRuntimeException(IllegalCastException::__Lookup(), message);
    }
    return object;
}

void checkOperationSlot(const Object* self, uint32_t slot)
{
    if (!self)
        fatalError("operation called on nil");
    const auto& operations = self->classTable()->operations;
    if (slot >= operations.size() || !operations[slot])
        fatalError("call of an empty slot in a table of operations");
}

Attribute publicScope()
{
    return {.name = makeString("__Scope"), .value = makeString("Public"), .hasValue = 1};
}

} // namespace fw
