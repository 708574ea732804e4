#pragma once
// The invokers through which introspection calls a member, one per
// signature shape. Each holds the target and the argument list while the
// member runs.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ObjectArray.h"

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

// "%%": no parameters, no result.
inline Ref<Object> invokeNoResult(Code code, Object* target, Object* arguments)
{
    InvokerCall call(target, arguments);
    reinterpret_cast<void (*)(Object*)>(code)(target);
    return nullptr;
}

// "%o<Class>%": no parameters, an object result handed on unchanged.
inline Ref<Object> invokeReturnsObject(Code code, Object* target, Object* arguments)
{
    InvokerCall call(target, arguments);
    return reinterpret_cast<Ref<Object> (*)(Object*)>(code)(target);
}

// "%%o<Class>": one object parameter of the class, no result.
template <const ClassTable* (*ParameterClass)()>
Ref<Object> invokeWithObject(Code code, Object* target, Object* arguments)
{
    InvokerCall call(target, arguments);
    if (!arguments)
        RaiseNilObjectException();
    Ref<Object> parameter = RuntimeCheckCast(Ref<Object>::retain(arrayElement(arguments, 0)), ParameterClass());
    reinterpret_cast<void (*)(Object*, Object*)>(code)(target, parameter.get());
    return nullptr;
}

} // namespace fw
