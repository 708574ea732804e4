#include "framework/runtime/ClassDescription.h"

#include "framework/runtime/FatalError.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace fw {

namespace {

std::map<std::string, const ClassTable*, std::less<>>& registeredClasses()
{
    static std::map<std::string, const ClassTable*, std::less<>> classes;
    return classes;
}

void registerName(const ClassTable* table, std::string_view name)
{
    if (!registeredClasses().emplace(name, table).second) {
        std::fprintf(stderr, "framework: class %.*s is registered twice\n", static_cast<int>(name.size()), name.data());
        fatalError("class registered twice");
    }
}

size_t appendedSlots(std::span<const OperationRow> rows, size_t inherited)
{
    return static_cast<size_t>(std::count_if(rows.begin(), rows.end(),
                                             [inherited](const OperationRow& row) { return row.slot >= inherited; }));
}

// The parent's operations, then each row's in its slot.
void fillOperations(ClassTable* table, const ClassTable* parent, std::span<const OperationRow> rows)
{
    const size_t inherited = parent ? parent->operations.size() : 0;
    std::vector<TypedCode> operations =
        RuntimeNewVtable(static_cast<int32_t>(inherited + appendedSlots(rows, inherited)));
    if (parent)
        std::copy(parent->operations.begin(), parent->operations.end(), operations.begin());
    size_t next = inherited;
    for (const OperationRow& row : rows) {
        const size_t slot = row.slot < inherited ? row.slot : next++;
        if (row.slot != kNextSlot && row.slot != slot) {
            std::fprintf(stderr, "framework: class %s: operation %.*s names slot %u but stands in slot %zu\n",
                         std::string(table->name->view()).c_str(), static_cast<int>(row.name.size()),
                         row.name.data(), row.slot, slot);
            fatalError("operation rows out of slot order");
        }
        operations[slot] = row.code();
    }
    table->operations = std::move(operations);
}

// Fills the introspection entry: name, kind and signature, then its
// attributes, "Hidden" after "__Scope" for a hidden member.
MemberEntry& fillMember(ClassTable* table, size_t index, std::string_view name, MemberKind kind,
                        std::string_view signature, Visibility visibility = Visibility::Shown)
{
    MemberEntry& entry = table->members[index];
    entry.name = makeString(name);
    entry.kind = kind;
    entry.signature = makeString(signature);
    const bool hidden = visibility == Visibility::Hidden;
    Attribute* attributes = RuntimeAllocateAttributeTable(table->members, entry, hidden ? 2 : 1);
    attributes[0] = publicScope();
    if (hidden)
        attributes[1] = {.name = makeString("Hidden"), .value = makeString(""), .hasValue = 0};
    return entry;
}

void fillMembers(ClassTable* table, size_t member, const ClassDescription& description)
{
    for (const OperationRow& row : description.operations) {
        MemberEntry& entry =
            fillMember(table, member++, row.name, MemberKind::Operation, row.signature, row.visibility);
        entry.code = row.code();
        entry.invoker = row.invoker;
    }
    size_t property = table->properties.size() - description.properties.size();
    for (const PropertyRow& row : description.properties) {
        table->properties[property++] = row;
        fillMember(table, member++, row.name, MemberKind::Property, valueKindInfo(row.kind).signature);
    }
    for (const ConstantRow& row : description.constants)
        fillMember(table, member++, row.name, MemberKind::Constant, "%i4%").constantValue = row.value;
}

} // namespace

const ClassTable* registerClass(const ClassTable*& table, const ClassDescription& description)
{
    if (table)
        return table;
    const ClassTable* parent = description.parent ? description.parent() : nullptr;
    const ClassTotals totals = totalsOf(
        parent ? ClassTotals{parent->members.size(), parent->events.size(), parent->properties.size()} : ClassTotals{},
        description);
    ClassTable* built = RuntimeNewClass(parent, static_cast<int32_t>(totals.members), 0,
                                        static_cast<int32_t>(totals.events), 0, static_cast<int32_t>(totals.properties),
                                        description.publicClass ? 1 : 0);
    table = built;
    registerName(built, description.name);
    built->name = makeString(description.name);
    built->kind = 0;
    if (description.instances.create) {
        built->createInstance = description.instances.create;
        built->instanceSize = description.instances.size;
    }
    fillOperations(built, parent, description.operations);
    fillMembers(built, parent ? parent->members.size() : 0, description);
    size_t event = totals.events - description.events.size();
    for (Event own : description.events)
        built->events[event++] = {.event = own, .handler = {}};
    for (const HandlerRow& row : description.handlers)
        setEventHandler(built, row.event, row.handler());
    if (description.publicClass)
        built->classAttributes[0] = publicScope();
    return table;
}

const ClassTable* classNamed(std::string_view name)
{
    auto found = registeredClasses().find(name);
    return found == registeredClasses().end() ? nullptr : found->second;
}

namespace ObjectClass {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "Object", .instances = instancesOf<Object>});
}
} // namespace ObjectClass

} // namespace fw
