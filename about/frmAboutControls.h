#pragma once
// The About window's controls: the picture canvas, the Exit button, the two
// maker labels and the Listen To Instructions button.

#include "framework/runtime/ClassTable.h"

namespace frmAbout {

// The second maker line, the rights notice.
inline constexpr std::string_view kRightsNotice = "Copyright 2007 Tarvenholt Software LLC. All rights reserved.";

void CreateControls(fw::Object* window);
void _CreateControls0(fw::Object* window);

fw::Ref<fw::Object> Canvas1(fw::Object* window);
fw::Ref<fw::Object> cmdExit(fw::Object* window);
fw::Ref<fw::Object> Label1(fw::Object* window);
fw::Ref<fw::Object> Label2(fw::Object* window);
fw::Ref<fw::Object> PushButton2(fw::Object* window);

} // namespace frmAbout
