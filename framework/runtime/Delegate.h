#pragma once
// Delegates: a code pointer with the invoker that calls it, an optional
// target and the parameter list it was declared with. With flag word 1 the
// target is reached through its weak holder, so a delegate never keeps its
// target alive; it reads nil once the target is gone.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/WeakHolder.h"

#include <string>
#include <string_view>

namespace fw {

enum DelegateFlags : int32_t {
    DelegateHoldsTarget = 0,
    DelegateTargetThroughHolder = 1,
};

struct DelegateInstance : Object {
    using Object::Object;

    // The target with a new reference; nil without a target or once it is gone.
    Ref<Object> target() const;

    // The invoker's and the code's functions, which must be of type F; a
    // framework fault naming both types otherwise.
    template <class F>
    F* invokerAs() const
    {
        return functionOf<F>(invoker, [this] { return describe("invoker"); });
    }
    template <class F>
    F* codeAs() const
    {
        return functionOf<F>(code, [this] { return describe("code"); });
    }

    TypedCode invoker;
    TypedCode code;
    Ref<Object> heldTarget;      // flag word 0
    Ref<WeakHolder> holder;      // flag word 1
    Ref<String> parameters;
    int32_t flags = 0;

private:
    std::string describe(std::string_view part) const;
};

namespace Delegate {
const ClassTable* __Lookup();
}

// A new delegate; never nil.
Ref<DelegateInstance> RuntimeCreateDelegate(TypedCode invoker, TypedCode code, Object* target, String* parameters,
                                            int32_t flags);

} // namespace fw
