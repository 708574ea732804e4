#include "glue/ClassBuilder.h"

#include <algorithm>

namespace {

void fillAttributes(fw::ClassTable* table, fw::MemberEntry& entry, bool hidden)
{
    fw::Attribute* attributes = fw::RuntimeAllocateAttributeTable(table->members, entry, hidden ? 2 : 1);
    attributes[0] = fw::publicScope();
    if (hidden)
        attributes[1] = {.name = fw::makeString("Hidden"), .value = fw::makeString(""), .hasValue = 0};
}

void fillOperations(fw::ClassTable* table, const fw::ClassTable* parent, std::span<const OwnOperation> own)
{
    auto appended = std::count_if(own.begin(), own.end(), [](const OwnOperation& op) { return op.replacesSlot < 0; });
    std::vector<fw::TypedCode> operations =
        fw::RuntimeNewVtable(static_cast<int32_t>(parent->operations.size() + static_cast<size_t>(appended)));
    std::copy(parent->operations.begin(), parent->operations.end(), operations.begin());
    size_t next = parent->operations.size();
    for (const OwnOperation& op : own)
        operations[op.replacesSlot < 0 ? next++ : static_cast<size_t>(op.replacesSlot)] = op.code;
    table->operations = std::move(operations);
}

} // namespace

void buildClassTable(const fw::ClassTable*& table, const ClassDescription& description)
{
    if (table)
        return;
    const fw::ClassTable* parent = description.parent();
    ClassTotals totals = withOwnOperations(
        {.members = parent->members.size(), .events = parent->events.size(), .properties = parent->properties.size()},
        description.operations.size());
    fw::ClassTable* built =
        fw::RuntimeNewClass(parent, static_cast<int32_t>(totals.members), 0, static_cast<int32_t>(totals.events), 0,
                            static_cast<int32_t>(totals.properties), description.classAttributeCount);
    table = built;
    built->name = fw::makeString(description.name);
    built->kind = 0;
    built->instanceSize = parent->instanceSize;
    fillOperations(built, parent, description.operations);

    size_t member = parent->members.size();
    for (const OwnOperation& op : description.operations) {
        fw::MemberEntry& entry = built->members[member++];
        entry.code = op.code;
        entry.name = fw::makeString(op.name);
        entry.signature = fw::makeString(op.signature);
        entry.invoker = op.invoker;
        entry.kind = fw::MemberKind::Operation;
        fillAttributes(built, entry, op.hidden);
    }
    for (const OwnHandler& handler : description.handlers)
        fw::setEventHandler(built, handler.event, handler.handler);
    if (description.classAttributeCount > 0)
        built->classAttributes[0] = fw::publicScope();
}
