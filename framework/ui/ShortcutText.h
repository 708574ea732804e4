#pragma once
// Menu shortcuts are written in the framework's portable form ("Cmd+Q",
// "Cmd+Shift+Z"); this turns them into the key-sequence text of the desktop
// the program runs on.

#include <string>
#include <string_view>

namespace fw::ui {

// The desktop's key-sequence text for a portable shortcut text: "Cmd" becomes
// "Ctrl", every other modifier and the key itself pass through unchanged.
// An empty text stays empty.
std::string shortcutText(std::string_view portable);

} // namespace fw::ui
