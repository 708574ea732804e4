#pragma once
// ObjectArray: the argument list that introspection hands to an invoker.

#include "framework/runtime/ClassTable.h"

#include <initializer_list>

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

} // namespace fw
