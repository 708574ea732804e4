#include "glue/ActionGlue.h"

#include "framework/classes/PushButton.h"
#include "framework/runtime/EventBinding.h"
#include "framework/runtime/Exception.h"

namespace {

fw::DelegateInstance* asDelegate(fw::Object* delegate) { return static_cast<fw::DelegateInstance*>(delegate); }

} // namespace

void AddHandler_Stub_15(fw::Object* button)
{
    fw::Object* delegate = fw::RuntimeEventDelegate(button, fw::PushButton::ActionEvent, AddHandler_Stub_15);
    reinterpret_cast<void (*)(fw::Object*, fw::Object*)>(asDelegate(delegate)->invoker)(delegate, button);
}

void Delegate_IM_Invoke(fw::Object* delegate, fw::Object* button)
{
    fw::Ref<fw::Object> window = asDelegate(delegate)->target();
    if (!window)
        fw::RaiseNilObjectException();
    reinterpret_cast<void (*)(fw::Object*, fw::Object*)>(asDelegate(delegate)->code)(window.get(), button);
}

fw::Ref<fw::Object> Delegate_Invoke_PtrPtr(fw::Object* delegate, void* first, void* second)
{
    return reinterpret_cast<fw::Ref<fw::Object> (*)(void*, void*)>(asDelegate(delegate)->code)(first, second);
}

void Delegate_Invoke_Ptr(fw::Object* delegate, void* argument)
{
    reinterpret_cast<void (*)(void*)>(asDelegate(delegate)->code)(argument);
}

void Delegate_Invoke(fw::Object* delegate) { reinterpret_cast<void (*)()>(asDelegate(delegate)->code)(); }

void bindAction(fw::Object* window, fw::Object* button, uint32_t handlerSlot)
{
    fw::Code handler = fw::operationSlot(window, handlerSlot);
    fw::Ref<fw::String> parameters = fw::makeString(kPushButtonParameters);
    fw::Ref<fw::DelegateInstance> delegate = fw::RuntimeCreateDelegate(
        fw::toCode(Delegate_IM_Invoke), handler, window, parameters.get(), fw::DelegateTargetThroughHolder);
    fw::RuntimeAddEventHandler(button, fw::PushButton::ActionEvent, AddHandler_Stub_15, delegate.get());
}
