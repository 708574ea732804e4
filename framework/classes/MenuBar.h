#pragma once
// MenuBar: the root of the application's menu tree. The installed bar is
// shown by the presentation, which hears of every later change.

#include "framework/classes/MenuItem.h"

namespace fw::MenuBar {

constexpr uint32_t operationCount = 25;
inline constexpr ClassTotals kTotals{.members = 51, .events = 2, .properties = 16};

const ClassTable* __Lookup();

// Shows the bar's menus as the application's (nil: none).
void install(Object* bar);
// A node of some tree changed; the installed bar is shown again soon.
void treeChanged(Object* node);
// The presentation that was to show the bar again is gone with the runtime;
// the next change posts a new refresh.
void forgetPostedRefresh();

} // namespace fw::MenuBar
