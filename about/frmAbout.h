#pragma once
// frmAbout: the About window with the picture, the maker's lines and the
// Listen To Instructions and Exit buttons.

#include "framework/classes/Window.h"

namespace frmAbout {

// frmAbout's own operations, after Window's, in the order of its table.
enum class Op : uint32_t {
    Layout = fw::Window::operationCount,
    CreateControls,
    _CreateControls0,
    Canvas1,
    cmdExit,
    Label1,
    Label2,
    PushButton2,
    cmdExit_Action,
    PushButton2_Action,
    End
};
using fw::slot;

const fw::ClassTable* __Lookup();
void __ctblinit();

// The single About window, made when there is none; a new reference.
fw::Ref<fw::Object> frmAbout();

void Layout(fw::Object* window);

} // namespace frmAbout
