#include "framework/runtime/ClassDescription.h"

#include <algorithm>
#include <map>
#include <string>

namespace fw {

namespace {

std::map<std::string, const ClassTable*, std::less<>> registeredClasses;

// The parent's operations, then each row's: in the inherited slot it replaces, or next.
void fillOperations(ClassTable* table, const ClassTable* parent, std::span<const OperationRow> rows)
{
    const size_t inherited = parent ? parent->operations.size() : 0;
    const auto added = std::ranges::count_if(rows, [&](const OperationRow& row) { return row.slot >= inherited; });
    std::vector<TypedCode> operations = RuntimeNewVtable(static_cast<int32_t>(inherited + static_cast<size_t>(added)));
    if (parent)
        std::copy(parent->operations.begin(), parent->operations.end(), operations.begin());
    size_t next = inherited;
    for (const OperationRow& row : rows)
        operations[row.slot < inherited ? row.slot : next++] = row.code();
    table->operations = std::move(operations);
}

// An own member's introspection entry, "Hidden" after "__Scope" for a hidden one.
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
    ClassTable* built =
        RuntimeNewClass(parent, static_cast<int32_t>(totals.members), 0, static_cast<int32_t>(totals.events), 0,
                        static_cast<int32_t>(totals.properties), description.publicClass ? 1 : 0);
    table = built;
    built->name = makeString(description.name);
    if (!registeredClasses.emplace(description.name, built).second)
        classFault(built, " is registered twice");
    built->kind = 0;
    if (description.instances.create) {
        built->createInstance = description.instances.create;
        built->instanceSize = description.instances.size;
    }
    fillOperations(built, parent, description.operations);
    fillMembers(built, parent ? parent->members.size() : 0, description);
    auto event = built->events.end() - static_cast<std::ptrdiff_t>(description.events.size());
    for (Event own : description.events)
        *event++ = {.event = own, .handler = {}};
    for (const HandlerRow& row : description.handlers)
        setEventHandler(built, row.event, row.handler());
    if (description.publicClass)
        built->classAttributes[0] = publicScope();
    return table;
}

const ClassTable* classNamed(std::string_view name)
{
    auto found = registeredClasses.find(name);
    return found == registeredClasses.end() ? nullptr : found->second;
}

namespace ObjectClass {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "Object", .instances = instancesOf<Object>});
}
} // namespace ObjectClass

} // namespace fw
