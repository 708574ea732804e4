#include "glue/SingleInstance.h"

#include "framework/classes/Window.h"
#include "framework/runtime/ImplicitWindowList.h"

fw::Ref<fw::Object> singleWindow(const fw::ClassTable* (*lookup)())
{
    fw::Ref<fw::Object> window = fw::_GetImplicitWindow(lookup()->name.get());
    if (!window) {
        window = fw::RuntimeNewObject(lookup());
        fw::callOperation(window.get(), fw::Window::slot(fw::Window::Op::Constructor));
    }
    return fw::RuntimeCheckCast(std::move(window), lookup());
}
