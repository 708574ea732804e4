#pragma once
// ObjectArray: the argument list that introspection hands to an invoker, and
// the framework's lists of objects. ObjectMap: objects under names, as the
// framework's caches and its single-instance list keep them.

#include "framework/runtime/ClassTable.h"

#include <initializer_list>
#include <map>
#include <string>

namespace fw {

struct ObjectArrayInstance : Object {
    using Object::Object;
    std::vector<Ref<Object>> elements;
};

namespace ObjectArray {
const ClassTable* __Lookup();
}

// A new array holding a reference to each element (nil elements allowed).
Ref<Object> makeObjectArray(std::initializer_list<Object*> elements);

// Element index of the array (borrowed), nil when out of range.
Object* arrayElement(Object* array, size_t index);

struct ObjectMapInstance : Object {
    using Object::Object;
    std::map<std::string, Ref<Object>, std::less<>> entries;
};

// The map, made empty when it does not exist yet.
ObjectMapInstance& objectMap(Ref<ObjectMapInstance>& map);
// The object held under name (a new reference); nil for none or no map.
Ref<Object> objectNamed(const Ref<ObjectMapInstance>& map, std::string_view name);

} // namespace fw
