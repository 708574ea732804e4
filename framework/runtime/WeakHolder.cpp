#include "framework/runtime/WeakHolder.h"

#include "framework/runtime/ClassDescription.h"

namespace fw {

WeakHolder::WeakHolder(Object* target) : Object(WeakRef::__Lookup()), target(target) {}

WeakHolder::~WeakHolder()
{
    if (target)
        target->holder_ = nullptr;
}

Ref<WeakHolder> holderOf(Object* object)
{
    if (object->holder_)
        return Ref<WeakHolder>::retain(object->holder_);
    auto holder = Ref<WeakHolder>::adopt(new WeakHolder(object));
    object->holder_ = holder.get();
    return holder;
}

namespace WeakRef {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "WeakRef", .parent = ObjectClass::__Lookup});
}
} // namespace WeakRef

} // namespace fw
