#include "glue/ActionGlue.h"

#include "framework/classes/EventLoop.h"
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
    fw::functionOf<void(fw::Object*, fw::Object*)>(asDelegate(delegate)->invoker,
                                                   "an Action binding's invoker")(delegate, button);
}

void Delegate_IM_Invoke(fw::Object* delegate, fw::Object* button)
{
    fw::Ref<fw::Object> window = asDelegate(delegate)->target();
    if (!window)
        fw::RaiseNilObjectException();
    fw::functionOf<ActionHandler>(asDelegate(delegate)->code, "an Action binding's handler")(window.get(), button);
}

fw::Ref<fw::Object> Delegate_Invoke_PtrPtr(fw::Object* delegate, fw::TypedCode first, void* second)
{
    return fw::functionOf<fw::ExceptionHelper>(asDelegate(delegate)->code, "the exception helper")(first, second);
}

void Delegate_Invoke_Ptr(fw::Object* delegate, void* argument)
{
    fw::functionOf<void(void*)>(asDelegate(delegate)->code, "the routine given to the exception helper")(argument);
}

void Delegate_Invoke(fw::Object* delegate)
{
    fw::functionOf<void()>(asDelegate(delegate)->code, "the start-up routine")();
}

void bindAction(fw::Object* window, fw::Object* button, uint32_t handlerSlot)
{
    fw::slotFunction<ActionHandler>(window, handlerSlot); // refuses a slot of another type
    fw::TypedCode handler = fw::operationSlot(window, handlerSlot);
    fw::Ref<fw::String> parameters = fw::makeString(kPushButtonParameters);
    fw::Ref<fw::DelegateInstance> delegate = fw::RuntimeCreateDelegate(
        fw::toCode(Delegate_IM_Invoke), handler, window, parameters.get(), fw::DelegateTargetThroughHolder);
    fw::RuntimeAddEventHandler(button, fw::PushButton::ActionEvent, AddHandler_Stub_15, delegate.get());
}
