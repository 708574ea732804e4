#pragma once
// The holder through which a delegate reaches its target without keeping it
// alive: it reads nil once the target has been destroyed.

#include "framework/runtime/Object.h"

namespace fw {

struct WeakHolder : Object {
    explicit WeakHolder(Object* target);
    ~WeakHolder() override;

    // The target with a new reference, or nil once it is gone.
    Ref<Object> value() const { return Ref<Object>::retain(target); }

    Object* target; // not owned
};

namespace WeakRef {
const ClassTable* __Lookup();
}

// The one holder of object (made on first use), with a new reference.
Ref<WeakHolder> holderOf(Object* object);

} // namespace fw
