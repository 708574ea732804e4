#pragma once
// The invokers through which introspection calls a member, one per
// signature shape. Each holds the target and the argument list while the
// member runs.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ObjectArray.h"

namespace fw {

// "%%": no parameters, no result.
inline Ref<Object> invokeNoResult(Code code, Object* target, Object* arguments)
{
    RuntimeStackCheck();
    Ref<Object> heldTarget = Ref<Object>::retain(target);
    Ref<Object> heldArguments = Ref<Object>::retain(arguments);
    if (!target)
        RaiseNilObjectException();
    reinterpret_cast<void (*)(Object*)>(code)(target);
    return nullptr;
}

// "%o<Class>%": no parameters, an object result handed on unchanged.
inline Ref<Object> invokeReturnsObject(Code code, Object* target, Object* arguments)
{
    RuntimeStackCheck();
    Ref<Object> heldTarget = Ref<Object>::retain(target);
    Ref<Object> heldArguments = Ref<Object>::retain(arguments);
    if (!target)
        RaiseNilObjectException();
    return reinterpret_cast<Ref<Object> (*)(Object*)>(code)(target);
}

// "%%o<Class>": one object parameter of the class, no result.
template <const ClassTable* (*ParameterClass)()>
Ref<Object> invokeWithObject(Code code, Object* target, Object* arguments)
{
    RuntimeStackCheck();
    Ref<Object> heldTarget = Ref<Object>::retain(target);
    Ref<Object> heldArguments = Ref<Object>::retain(arguments);
    if (!target)
        RaiseNilObjectException();
    if (!arguments)
        RaiseNilObjectException();
    Ref<Object> parameter = RuntimeCheckCast(Ref<Object>::retain(arrayElement(arguments, 0)), ParameterClass());
    reinterpret_cast<void (*)(Object*, Object*)>(code)(target, parameter.get());
    return nullptr;
}

} // namespace fw
