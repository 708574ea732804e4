#include "about/AboutActions.h"

#include "about/frmAbout.h"
#include "framework/classes/Speech.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Variant.h"
#include "glue/ConstantString.h"

namespace {

fw::Ref<fw::Object> aboutWindow()
{
    fw::Ref<fw::Object> window = frmAbout::frmAbout();
    if (!window)
        fw::RaiseNilObjectException();
    return window;
}

} // namespace

namespace frmMain {
void cmdAbout_Action(fw::Object*, fw::Object*)
{
    fw::Ref<fw::Object> window = aboutWindow();
    fw::callOperation(window.get(), fw::Window::slot(fw::Window::Op::Show));
}
} // namespace frmMain

namespace frmAbout {

void cmdExit_Action(fw::Object*, fw::Object*)
{
    fw::Ref<fw::Object> window = aboutWindow();
    fw::callOperation(window.get(), fw::Window::slot(fw::Window::Op::Hide));
}

void PushButton2_Action(fw::Object*, fw::Object*)
{
    fw::Ref<fw::Object> instructions = fw::StringToVariant(constantString(kInstructions));
    fw::Speak(instructions.get(), false);
}

} // namespace frmAbout
