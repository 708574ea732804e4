#include "glue/ActionGlue.h"

#include "framework/classes/PushButton.h"
#include "framework/runtime/EventBinding.h"
#include "framework/runtime/Exception.h"

namespace {

fw::DelegateInstance* asDelegate(fw::Object* delegate) { return static_cast<fw::DelegateInstance*>(delegate); }

using ActionHandler = void(fw::Object* window, fw::Object* button);

} // namespace

void AddHandler_Stub_15(fw::Object* button)
{
    fw::Object* delegate = fw::RuntimeEventDelegate(button, fw::PushButton::ActionEvent, AddHandler_Stub_15);
    asDelegate(delegate)->invokerAs<void(fw::Object*, fw::Object*)>()(delegate, button);
}

void Delegate_IM_Invoke(fw::Object* delegate, fw::Object* button)
{
    fw::Ref<fw::Object> window = asDelegate(delegate)->target();
    if (!window)
        fw::RaiseNilObjectException();
    asDelegate(delegate)->codeAs<ActionHandler>()(window.get(), button);
}

fw::Ref<fw::Object> Delegate_Invoke_PtrPtr(fw::Object* delegate, fw::TypedCode first, void* second)
{
    return asDelegate(delegate)->codeAs<fw::Ref<fw::Object>(fw::TypedCode, void*)>()(first, second);
}

void Delegate_Invoke_Ptr(fw::Object* delegate, void* argument)
{
    asDelegate(delegate)->codeAs<void(void*)>()(argument);
}

void Delegate_Invoke(fw::Object* delegate) { asDelegate(delegate)->codeAs<void()>()(); }

void bindAction(fw::Object* window, fw::Object* button, uint32_t handlerSlot)
{
    fw::slotFunction<ActionHandler>(window, handlerSlot);  // refuses a slot of another type
    fw::TypedCode handler = fw::operationSlot(window, handlerSlot);
    fw::Ref<fw::String> parameters = fw::makeString(kPushButtonParameters);
    fw::Ref<fw::DelegateInstance> delegate = fw::RuntimeCreateDelegate(
        fw::toCode(Delegate_IM_Invoke), handler, window, parameters.get(), fw::DelegateTargetThroughHolder);
    fw::RuntimeAddEventHandler(button, fw::PushButton::ActionEvent, AddHandler_Stub_15, delegate.get());
}
