#include "framework/runtime/Properties.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/PropertyListDecoder.h"

#include <string>

namespace fw {

namespace {

StoredValue storedFrom(const PropertyValue& value)
{
    return std::visit(
        [](const auto& v) -> StoredValue {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string_view>)
                return makeString(v);
            else
                return v;
        },
        value);
}

const PropertyRow& rowOf(const Object* object, uint32_t slot)
{
    if (slot >= object->classTable()->properties.size())
        classFault(object->classTable(), " has no property in slot " + std::to_string(slot));
    return object->classTable()->properties[slot];
}

// The property's value as a T; none while the property is unset.
template <class T>
std::optional<T> valueAs(const Object* object, std::string_view name)
{
    const StoredValue value = propertyValue(object, name);
    const T* held = std::get_if<T>(&value);
    return held ? std::optional<T>(*held) : std::nullopt;
}

} // namespace

uint32_t propertySlot(const ClassTable* classTable, std::string_view name)
{
    const int32_t index = classTable->propertyIndex(name);
    if (index < 0)
        classFault(classTable, " has no property " + std::string(name));
    return static_cast<uint32_t>(index);
}

void setProperty(Object* object, uint32_t slot, StoredValue value)
{
    const PropertyRow& row = rowOf(object, slot);
    if (row.derive)
        classFault(object->classTable(), " derives its property " + std::string(row.name) + ", which cannot be set");
    if (!holdsKind(value, row.kind))
        classFault(object->classTable(),
                   " declares its property " + std::string(row.name) + " " + std::string(valueKindInfo(row.kind).name) +
                       ", and is given a " +
                       std::string(valueKindInfo(static_cast<ValueKind>(value.index() - 1)).name));
    object->propertyValues()[slot] = std::move(value);
    object->propertyChanged(slot);
}

void setProperty(Object* object, std::string_view name, StoredValue value)
{
    setProperty(object, propertySlot(object->classTable(), name), std::move(value));
}

StoredValue propertyValue(const Object* object, std::string_view name)
{
    const uint32_t slot = propertySlot(object->classTable(), name);
    const PropertyRow& row = rowOf(object, slot);
    return row.derive ? (*row.derive)(object) : object->propertyValues()[slot];
}

int32_t intProperty(const Object* object, std::string_view name)
{
    const StoredValue value = propertyValue(object, name);
    const uint8_t* byte = std::get_if<uint8_t>(&value);
    return byte ? *byte : valueAs<int32_t>(object, name).value_or(0);
}

bool boolProperty(const Object* object, std::string_view name) { return valueAs<bool>(object, name).value_or(false); }
float singleProperty(const Object* object, std::string_view name) { return valueAs<float>(object, name).value_or(0); }
Colour colourProperty(const Object* object, std::string_view name)
{
    return valueAs<Colour>(object, name).value_or(Colour{});
}

// Text and objects are read from the slot, which keeps them alive for the
// caller; no derived property holds either.
std::string_view textProperty(const Object* object, std::string_view name)
{
    std::optional<Ref<String>> value = valueAs<Ref<String>>(object, name);
    return value && *value ? (*value)->view() : std::string_view{};
}

Object* objectProperty(const Object* object, std::string_view name)
{
    std::optional<Ref<Object>> value = valueAs<Ref<Object>>(object, name);
    return value ? value->get() : nullptr;
}

void RuntimeMassPropertySetter(Object* object, String* list)
{
    if (!object)
        RaiseNilObjectException();
    const ClassTable* classTable = object->classTable();
    try {
        decodePropertyList(
            list ? list->view() : std::string_view{},
            [classTable](std::string_view name) {
                const int32_t index = classTable->propertyIndex(name);
                return index < 0 ? std::nullopt : listFormOf(classTable->properties[static_cast<size_t>(index)]);
            },
            [object, classTable](std::string_view name, const PropertyValue& value) {
                setProperty(object, static_cast<uint32_t>(classTable->propertyIndex(name)), storedFrom(value));
            });
    } catch (const PropertyListError& error) {
        raiseRuntimeException(RuntimeException::__Lookup(), error.message());
    }
}

} // namespace fw
