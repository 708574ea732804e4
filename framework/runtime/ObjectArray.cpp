#include "framework/runtime/ObjectArray.h"

#include "framework/runtime/ClassDescription.h"

namespace fw {

namespace ObjectArray {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(
        table, {.name = "ObjectArray", .parent = ObjectClass::__Lookup, .instances = instancesOf<ObjectArrayInstance>});
}
} // namespace ObjectArray

Ref<Object> makeObjectArray(std::initializer_list<Object*> elements)
{
    auto array = static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
    for (Object* element : elements)
        array->elements.push_back(Ref<Object>::retain(element));
    return array;
}

Object* arrayElement(Object* array, size_t index)
{
    if (!RuntimeObjectIsa(array, ObjectArray::__Lookup()))
        return nullptr;
    auto& elements = static_cast<ObjectArrayInstance*>(array)->elements;
    return index < elements.size() ? elements[index].get() : nullptr;
}

ObjectMapInstance& objectMap(Ref<ObjectMapInstance>& map)
{
    static const ClassTable* table = nullptr;
    static constexpr ClassDescription kDescription = {
        .name = "ObjectMap", .parent = ObjectClass::__Lookup, .instances = instancesOf<ObjectMapInstance>};
    if (!map)
        map = static_ref_cast<ObjectMapInstance>(RuntimeNewObject(registerClass(table, kDescription)));
    return *map;
}

Ref<Object> objectNamed(const Ref<ObjectMapInstance>& map, std::string_view name)
{
    if (!map)
        return nullptr;
    auto found = map->entries.find(name);
    return found == map->entries.end() ? nullptr : found->second;
}

} // namespace fw
