#include "framework/runtime/Variant.h"

#include "framework/runtime/ClassDescription.h"

namespace fw {

namespace Variant {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(
        table, {.name = "Variant", .parent = ObjectClass::__Lookup, .instances = instancesOf<VariantInstance>});
}
} // namespace Variant

Ref<Object> StringToVariant(String* text)
{
    auto variant = static_ref_cast<VariantInstance>(RuntimeNewObject(Variant::__Lookup()));
    variant->text = text ? Ref<String>::retain(text) : makeString("");
    return variant;
}

String* variantText(Object* variant)
{
    if (!RuntimeObjectIsa(variant, Variant::__Lookup()))
        return nullptr;
    return static_cast<VariantInstance*>(variant)->text.get();
}

} // namespace fw
