#pragma once
// The main window's controls: the four visible buttons, the hidden text
// area that receives the clipboard, and two hidden buttons.

#include "framework/runtime/ClassTable.h"

namespace frmMain {

void CreateControls(fw::Object* window);
void _CreateControls0(fw::Object* window);

fw::Ref<fw::Object> cmdRead(fw::Object* window);
fw::Ref<fw::Object> cmdStop(fw::Object* window);
fw::Ref<fw::Object> cmdClose(fw::Object* window);
fw::Ref<fw::Object> cmdAbout(fw::Object* window);
fw::Ref<fw::Object> txtRead(fw::Object* window);
fw::Ref<fw::Object> cmdDoit(fw::Object* window);
fw::Ref<fw::Object> PushButton1(fw::Object* window);

} // namespace frmMain
