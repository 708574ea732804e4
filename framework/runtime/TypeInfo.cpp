#include "framework/runtime/TypeInfo.h"

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/Properties.h"

#include <string>

namespace fw::Introspection {

namespace {

struct TypeInfoInstance : Object {
    using Object::Object;
    const ClassTable* described = nullptr;
};

constexpr PropertyRow kTypeInfoProperties[] = {
    // name        kind
    {"Name", ValueKind::Text},
    {"FullName", ValueKind::Text},
};

Ref<ObjectMapInstance> classRefMap, classFQNToRefMap, arrayMap;

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
    Ref<Object>& cached = objectMap(classRefMap).entries[keyOf(classTable)];
    if (!cached) {
        cached = newInfo(ClassInfo::__Lookup(), classTable, "");
        objectMap(classFQNToRefMap).entries[std::string(classTable->name->view())] = cached;
    }
    return cached;
}

Ref<Object> GetTypeByName(std::string_view fullName) { return objectNamed(classFQNToRefMap, fullName); }

Ref<Object> GetArrayType(const ClassTable* elementClass)
{
    Ref<Object>& cached = objectMap(arrayMap).entries[keyOf(elementClass)];
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
    return registerClass(table, {.name = "Introspection.ClassInfo",
                                 .parent = ObjectClass::__Lookup,
                                 .instances = instancesOf<TypeInfoInstance>,
                                 .properties = kTypeInfoProperties});
}
namespace sClassRefMap {
void __Exit() { Ref<ObjectMapInstance> held = std::move(classRefMap); }
} // namespace sClassRefMap
namespace sClassFQNToRefMap {
void __Exit() { Ref<ObjectMapInstance> held = std::move(classFQNToRefMap); }
} // namespace sClassFQNToRefMap
} // namespace ClassInfo

namespace ArrayInfo {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "Introspection.ArrayInfo", .parent = ClassInfo::__Lookup});
}
namespace mArrayMap {
void __Exit() { Ref<ObjectMapInstance> held = std::move(arrayMap); }
} // namespace mArrayMap
} // namespace ArrayInfo

} // namespace fw::Introspection
