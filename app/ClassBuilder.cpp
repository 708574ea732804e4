#include "app/ClassBuilder.h"

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
    std::vector<fw::Code> operations =
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
    fw::ClassTable* built = fw::RuntimeNewClass(parent, description.memberCount, 0, description.eventCount, 0,
                                                description.propertyCount, description.classAttributeCount);
    table = built;
    built->name = fw::makeString(description.name);
    built->kind = 0;
    built->instanceSize = parent->instanceSize;
    fillOperations(built, parent, description.operations);

    size_t member = parent->members.size();
    for (const OwnOperation& op : description.operations) {
        fw::MemberEntry& entry = built->members.at(member++);
        entry.code = op.code;
        entry.name = fw::makeString(op.name);
        entry.signature = fw::makeString(op.signature);
        entry.invoker = op.invoker;
        entry.kind = fw::MemberKind::Operation;
        fillAttributes(built, entry, op.hidden);
    }
    for (const OwnHandler& handler : description.handlers)
        built->events.at(static_cast<size_t>(built->eventIndex(handler.event))).handler = handler.handler;
    if (description.classAttributeCount > 0)
        built->classAttributes[0] = fw::publicScope();
}
