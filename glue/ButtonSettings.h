#pragma once
// The property list of a push button: every button of the program takes the
// same 26 settings in the same order, and differs only in its name, its
// rectangle, its tab index and its caption.

#include "framework/runtime/PropertyListEncoder.h"

#include <array>
#include <limits>

struct ButtonPlace {
    std::string_view name;
    int32_t left, top, width, height, tabIndex;
    std::string_view caption;
};

consteval std::array<fw::Setting, 26> pushButtonSettings(ButtonPlace place)
{
    return {
        fw::setting("Name", place.name),   fw::setting("Index", std::numeric_limits<int32_t>::min()),
        fw::setting("Left", place.left),   fw::setting("Top", place.top),
        fw::setting("Width", place.width), fw::setting("Height", place.height),
        fw::setting("LockLeft", true),     fw::setting("LockTop", true),
        fw::setting("LockRight", false),   fw::setting("LockBottom", false),
        fw::setting("TabPanelIndex", 0),   fw::setting("TabIndex", place.tabIndex),
        fw::setting("TabStop", true),      fw::setting("Caption", place.caption),
        fw::setting("Default", false),     fw::setting("Cancel", false),
        fw::setting("Enabled", true),      fw::setting("Visible", true),
        fw::setting("HelpTag", ""),        fw::setting("AutoDeactivate", true),
        fw::setting("ButtonStyle", 0),     fw::setting("TextFont", "System"),
        fw::setting("Bold", false),        fw::setting("Italic", false),
        fw::setting("Underline", false),   fw::setting("InitialParent", ""),
    };
}
