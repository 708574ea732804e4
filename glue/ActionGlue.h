#pragma once
// The glue between a button's Action event and the window's handler, and
// the delegate invokers of the start-up.

#include "framework/runtime/Delegate.h"

// The parameter list of every Action binding.
inline constexpr std::string_view kPushButtonParameters = "( PushButton )";

// The code attached to event 15: fetches the delegate bound with it and
// calls the delegate's invoker with the delegate and the button.
void AddHandler_Stub_15(fw::Object* button);

// The delegate invoker for "( PushButton )": reads the window through the
// delegate's holder and calls the handler with the window and the button;
// raises NilObjectException when the window is gone.
void Delegate_IM_Invoke(fw::Object* delegate, fw::Object* button);

// Invokers of delegates without a target: each calls the delegate's code with
// its own arguments and returns that call's result.
fw::Ref<fw::Object> Delegate_Invoke_PtrPtr(fw::Object* delegate, fw::TypedCode first, void* second);
void Delegate_Invoke_Ptr(fw::Object* delegate, void* argument);
void Delegate_Invoke(fw::Object* delegate);

// Binds the button's Action to the window's operation at slot, an Action
// handler of the window (it takes the window and the button). A framework
// fault naming both types when the slot holds another kind of operation.
void bindAction(fw::Object* window, fw::Object* button, uint32_t handlerSlot);
