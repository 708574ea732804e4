#pragma once
// Delegates: a code pointer with the invoker that calls it, an optional
// target and the parameter list it was declared with. With flag word 1 the
// target is reached through its weak holder, so a delegate never keeps its
// target alive; it reads nil once the target is gone.

#include "framework/runtime/WeakHolder.h"

namespace fw {

enum DelegateFlags : int32_t {
    DelegateHoldsTarget = 0,
    DelegateTargetThroughHolder = 1,
};

struct DelegateInstance : Object {
    using Object::Object;

    // The target with a new reference; nil without a target or once it is gone.
    Ref<Object> target() const;

    TypedCode invoker;
    TypedCode code;
    Ref<Object> heldTarget; // flag word 0
    Ref<WeakHolder> holder; // flag word 1
    Ref<String> parameters;
    int32_t flags = 0;
};

namespace Delegate {
const ClassTable* __Lookup();
}

// A new delegate; never nil.
Ref<DelegateInstance> RuntimeCreateDelegate(TypedCode invoker, TypedCode code, Object* target, String* parameters,
                                            int32_t flags);

} // namespace fw
