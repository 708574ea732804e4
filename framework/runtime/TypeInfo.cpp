#include "framework/runtime/TypeInfo.h"

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Properties.h"

#include <map>
#include <string>

namespace fw::Introspection {

namespace {

struct TypeInfoInstance : Object {
    using Object::Object;
    const ClassTable* described = nullptr;
};

struct TypeMapInstance : Object {
    using Object::Object;
    std::map<std::string, Ref<Object>, std::less<>> entries;
};

constexpr PropertyRow kTypeInfoProperties[] = {
    // name        kind
    {"Name", ValueKind::Text},
    {"FullName", ValueKind::Text},
};

const ClassTable* typeMapClass()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
        .name = "Introspection.TypeMap",
        .parent = ObjectClass::__Lookup,
        .instances = instancesOf<TypeMapInstance>,
    });
}

Ref<TypeMapInstance> classRefMap, classFQNToRefMap, arrayMap;

TypeMapInstance& mapOf(Ref<TypeMapInstance>& map)
{
    if (!map)
        map = static_ref_cast<TypeMapInstance>(RuntimeNewObject(typeMapClass()));
    return *map;
}

std::string keyOf(const ClassTable* classTable) { return std::to_string(reinterpret_cast<uintptr_t>(classTable)); }

Ref<Object> newInfo(const ClassTable* infoClass, const ClassTable* described, std::string_view suffix)
{
    Ref<Object> info = RuntimeNewObject(infoClass);
    static_cast<TypeInfoInstance*>(info.get())->described = described;
    std::string fullName = std::string(described->name->view()) + std::string(suffix);
    size_t stop = fullName.rfind('.');
    setProperty(info.get(), "FullName", makeString(fullName));
    setProperty(info.get(), "Name", makeString(stop == std::string::npos ? fullName : fullName.substr(stop + 1)));
    return info;
}

} // namespace

Ref<Object> GetType(const ClassTable* classTable)
{
    Ref<Object>& cached = mapOf(classRefMap).entries[keyOf(classTable)];
    if (!cached) {
        cached = newInfo(ClassInfo::__Lookup(), classTable, "");
        mapOf(classFQNToRefMap).entries[std::string(classTable->name->view())] = cached;
    }
    return cached;
}

Ref<Object> GetTypeByName(std::string_view fullName)
{
    if (!classFQNToRefMap)
        return nullptr;
    auto found = classFQNToRefMap->entries.find(fullName);
    return found == classFQNToRefMap->entries.end() ? nullptr : found->second;
}

Ref<Object> GetArrayType(const ClassTable* elementClass)
{
    Ref<Object>& cached = mapOf(arrayMap).entries[keyOf(elementClass)];
    if (!cached)
        cached = newInfo(ArrayInfo::__Lookup(), elementClass, "()");
    return cached;
}

const ClassTable* describedClass(Object* info)
{
    if (!RuntimeObjectIsa(info, ClassInfo::__Lookup()) && !RuntimeObjectIsa(info, ArrayInfo::__Lookup()))
        return nullptr;
    return static_cast<TypeInfoInstance*>(info)->described;
}

namespace ClassInfo {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
        .name = "Introspection.ClassInfo",
        .parent = ObjectClass::__Lookup,
        .instances = instancesOf<TypeInfoInstance>,
        .properties = kTypeInfoProperties,
    });
}
namespace sClassRefMap {
void __Exit() { Ref<TypeMapInstance> held = std::move(classRefMap); }
} // namespace sClassRefMap
namespace sClassFQNToRefMap {
void __Exit() { Ref<TypeMapInstance> held = std::move(classFQNToRefMap); }
} // namespace sClassFQNToRefMap
} // namespace ClassInfo

namespace ArrayInfo {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
        .name = "Introspection.ArrayInfo",
        .parent = ClassInfo::__Lookup,
    });
}
namespace mArrayMap {
void __Exit() { Ref<TypeMapInstance> held = std::move(arrayMap); }
} // namespace mArrayMap
} // namespace ArrayInfo

} // namespace fw::Introspection
