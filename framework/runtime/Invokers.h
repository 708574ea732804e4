#pragma once
// The invokers through which introspection calls a member, one per shape of
// function; invokerFor picks the one that fits a function's type. Each holds
// the target and the argument list while the member runs.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Exception.h"

#include <type_traits>

namespace fw {

// What every invoker does first: checks the stack, holds the target and the
// argument list until the invoker returns, and refuses a nil target.
class InvokerCall {
public:
    InvokerCall(Object* target, Object* arguments)
        : target_(Ref<Object>::retain(target)), arguments_(Ref<Object>::retain(arguments))
    {
        RuntimeStackCheck();
        if (!target)
            RaiseNilObjectException();
    }

private:
    Ref<Object> target_;
    Ref<Object> arguments_;
};

// The member's function, which must be of type F; a framework fault naming
// the member and both types otherwise.
template <class F>
F* memberFunction(const MemberEntry& member)
{
    return functionOf<F>(member.code, [&member] {
        return "member " + std::string(member.name ? member.name->view() : std::string_view{});
    });
}

// "%%": no parameters, no result.
inline Ref<Object> invokeNoResult(const MemberEntry& member, Object* target, Object* arguments)
{
    InvokerCall call(target, arguments);
    memberFunction<void(Object*)>(member)(target);
    return nullptr;
}

// "%o<Class>%": no parameters, an object result handed on unchanged.
inline Ref<Object> invokeReturnsObject(const MemberEntry& member, Object* target, Object* arguments)
{
    InvokerCall call(target, arguments);
    return memberFunction<Ref<Object>(Object*)>(member)(target);
}

// "%%o<Class>": one object parameter, no result. The first element of the
// argument list goes through the cast check against the class that the
// signature names; a nil argument list raises NilObjectException.
Ref<Object> invokeWithObject(const MemberEntry& member, Object* target, Object* arguments);

// The invoker for a function of type Function; nil for a shape that
// introspection does not call.
template <class Function>
constexpr Invoker invokerFor()
{
    if constexpr (std::is_same_v<Function, void (*)(Object*)>)
        return invokeNoResult;
    else if constexpr (std::is_same_v<Function, Ref<Object> (*)(Object*)>)
        return invokeReturnsObject;
    else if constexpr (std::is_same_v<Function, void (*)(Object*, Object*)>)
        return invokeWithObject;
    else
        return nullptr;
}

} // namespace fw
