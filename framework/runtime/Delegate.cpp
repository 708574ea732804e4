#include "framework/runtime/Delegate.h"

#include "framework/runtime/ClassDescription.h"

namespace fw {

Ref<Object> DelegateInstance::target() const
{
    if (flags == DelegateTargetThroughHolder)
        return holder ? holder->value() : nullptr;
    return heldTarget;
}

namespace Delegate {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(
        table, {.name = "Delegate", .parent = ObjectClass::__Lookup, .instances = instancesOf<DelegateInstance>});
}
} // namespace Delegate

Ref<DelegateInstance> RuntimeCreateDelegate(TypedCode invoker, TypedCode code, Object* target, String* parameters,
                                            int32_t flags)
{
    auto delegate = static_ref_cast<DelegateInstance>(RuntimeNewObject(Delegate::__Lookup()));
    delegate->invoker = invoker;
    delegate->code = code;
    delegate->parameters = Ref<String>::retain(parameters);
    delegate->flags = flags;
    if (target && flags == DelegateTargetThroughHolder)
        delegate->holder = holderOf(target);
    else
        delegate->heldTarget = Ref<Object>::retain(target);
    return delegate;
}

} // namespace fw
