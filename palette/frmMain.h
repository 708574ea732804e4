#pragma once
// frmMain: the main window, the small palette with Read, Stop, Quit and
// About.

#include "framework/classes/Window.h"

namespace frmMain {

// frmMain's own operations, after Window's, in the order of its table.
enum class Op : uint32_t {
    Layout = fw::Window::operationCount,
    CreateControls,
    _CreateControls0,
    cmdRead,
    cmdStop,
    cmdClose,
    cmdAbout,
    txtRead,
    cmdDoit,
    PushButton1,
    cmdRead_Action,
    cmdStop_Action,
    cmdClose_Action,
    cmdAbout_Action,
    cmdDoit_Action,
    End
};
using fw::slot;

const fw::ClassTable* __Lookup();
void __ctblinit();

// The single main window, made when there is none; a new reference.
fw::Ref<fw::Object> frmMain();

void Layout(fw::Object* window);

} // namespace frmMain
