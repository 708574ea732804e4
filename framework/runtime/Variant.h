#pragma once
// Variant: a runtime object that carries one value; the program wraps texts
// in it before handing them to the speech service.

#include "framework/runtime/ClassTable.h"

namespace fw {

struct VariantInstance : Object {
    using Object::Object;
    Ref<String> text;
};

namespace Variant {
const ClassTable* __Lookup();
}

// A new Variant holding the string (nil is held as the empty text).
Ref<Object> StringToVariant(String* text);

// The text a Variant holds (borrowed); nil for nil or a non-Variant.
String* variantText(Object* variant);

} // namespace fw
