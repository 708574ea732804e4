#include "framework/runtime/Properties.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/FatalError.h"
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

StoredValue& valueIn(Object* object, uint32_t slot)
{
    std::vector<StoredValue>& values = object->propertyValues();
    if (slot >= values.size())
        fatalError("class %s has no property in slot %u", std::string(object->classTable()->name->view()).c_str(),
                   slot);
    return values[slot];
}

template <class T>
const T* slotAs(const Object* object, std::string_view name)
{
    return std::get_if<T>(&propertyValue(object, name));
}

} // namespace

uint32_t propertySlot(const ClassTable* classTable, std::string_view name)
{
    int32_t index = classTable->propertyIndex(name);
    if (index < 0)
        fatalError("class %s has no property %.*s", std::string(classTable->name->view()).c_str(),
                   static_cast<int>(name.size()), name.data());
    return static_cast<uint32_t>(index);
}

void setProperty(Object* object, uint32_t slot, StoredValue value)
{
    valueIn(object, slot) = std::move(value);
    object->propertyChanged(slot);
}

void setProperty(Object* object, std::string_view name, StoredValue value)
{
    setProperty(object, propertySlot(object->classTable(), name), std::move(value));
}

const StoredValue& propertyValue(const Object* object, std::string_view name)
{
    return valueIn(const_cast<Object*>(object), propertySlot(object->classTable(), name));
}

int32_t intProperty(const Object* object, std::string_view name)
{
    const int32_t* value = slotAs<int32_t>(object, name);
    return value ? *value : 0;
}

bool boolProperty(const Object* object, std::string_view name)
{
    const bool* value = slotAs<bool>(object, name);
    return value && *value;
}

float singleProperty(const Object* object, std::string_view name)
{
    const float* value = slotAs<float>(object, name);
    return value ? *value : 0.0f;
}

std::string_view textProperty(const Object* object, std::string_view name)
{
    const Ref<String>* value = slotAs<Ref<String>>(object, name);
    return value && *value ? (*value)->view() : std::string_view{};
}

Colour colourProperty(const Object* object, std::string_view name)
{
    const Colour* value = slotAs<Colour>(object, name);
    return value ? *value : Colour{0, 0, 0};
}

Object* objectProperty(const Object* object, std::string_view name)
{
    const Ref<Object>* value = slotAs<Ref<Object>>(object, name);
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
            [classTable](std::string_view name) -> std::optional<PropertyForm> {
                int32_t index = classTable->propertyIndex(name);
                return index < 0 ? std::nullopt : valueKindInfo(classTable->properties[index].kind).listForm;
            },
            [object, classTable](std::string_view name, const PropertyValue& value) {
                setProperty(object, static_cast<uint32_t>(classTable->propertyIndex(name)), storedFrom(value));
            });
    } catch (const PropertyListError& error) {
        raiseRuntimeException(RuntimeException::__Lookup(), error.message());
    }
}

} // namespace fw
