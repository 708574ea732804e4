#include "framework/runtime/FrameworkClass.h"

namespace fw {

namespace {

MemberEntry publicMember(std::string_view name, MemberKind kind, std::string_view signature)
{
    MemberEntry entry;
    entry.name = makeString(name);
    entry.kind = kind;
    entry.signature = makeString(signature);
    entry.attributes.push_back(publicScope());
    return entry;
}

} // namespace

const ClassTable* buildFrameworkClass(const FrameworkClassSpec& spec)
{
    const ClassTable* parent = spec.parent ? spec.parent() : nullptr;
    size_t inheritedMembers = parent ? parent->members.size() : 0;
    size_t memberCount = inheritedMembers + spec.operations.size() + spec.properties.size() + spec.constants.size();
    size_t eventCount = (parent ? parent->events.size() : 0) + spec.events.size();
    size_t propertyCount = (parent ? parent->properties.size() : 0) + spec.properties.size();

    ClassTable* table = RuntimeNewClass(parent, static_cast<int32_t>(memberCount), 0, static_cast<int32_t>(eventCount),
                                        0, static_cast<int32_t>(propertyCount), 1);
    table->name = makeString(spec.name);
    if (spec.createInstance)
        table->createInstance = spec.createInstance;
    if (spec.instanceSize)
        table->instanceSize = spec.instanceSize;
    table->classAttributes[0] = publicScope();

    std::vector<TypedCode> operations = RuntimeNewVtable(
        static_cast<int32_t>((parent ? parent->operations.size() : 0) + spec.operations.size()));
    size_t slot = 0;
    if (parent)
        for (TypedCode code : parent->operations)
            operations[slot++] = code;

    size_t member = inheritedMembers;
    for (const OperationRow& row : spec.operations) {
        operations[slot++] = row.code;
        MemberEntry entry = publicMember(row.name, MemberKind::Operation, row.signature);
        entry.code = row.code;
        entry.invoker = row.invoker;
        table->members[member++] = std::move(entry);
    }
    table->operations = std::move(operations);

    size_t property = parent ? parent->properties.size() : 0;
    for (const PropertyRow& row : spec.properties) {
        table->properties[property++] = {.name = row.name, .kind = row.kind};
        table->members[member++] = publicMember(row.name, MemberKind::Property, valueKindInfo(row.kind).signature);
    }
    for (const ConstantRow& row : spec.constants) {
        MemberEntry entry = publicMember(row.name, MemberKind::Constant, "%i4%");
        entry.constantValue = row.value;
        table->members[member++] = std::move(entry);
    }

    size_t event = parent ? parent->events.size() : 0;
    for (Event own : spec.events)
        table->events[event++] = {.event = own, .handler = {}};
    for (const HandlerRow& row : spec.handlers)
        setEventHandler(table, row.event, row.handler);
    return table;
}

namespace ObjectClass {
const ClassTable* __Lookup()
{
    static const ClassTable* table = buildFrameworkClass(
        {.name = "Object", .createInstance = createInstanceOf<Object>, .instanceSize = sizeof(Object)});
    return table;
}
} // namespace ObjectClass

} // namespace fw
