#pragma once
// What the main window is for: Read speaks the clipboard, Stop silences the
// speech, Quit ends the program.

#include "framework/runtime/Object.h"

namespace frmMain {

// The text spoken with the interrupt flag set: it says nothing, it only
// cuts off speech in progress.
inline constexpr std::string_view kInterruptingText = " ";

void cmdRead_Action(fw::Object* window, fw::Object* button);
void cmdDoit_Action(fw::Object* window, fw::Object* button);
void cmdStop_Action(fw::Object* window, fw::Object* button);
void cmdClose_Action(fw::Object* window, fw::Object* button);

} // namespace frmMain
