#pragma once
// The text settings that buttons, labels and text areas share.

#include "framework/runtime/Properties.h"
#include "framework/ui/Presentation.h"

namespace fw {

// Fills the look's font from the control's TextFont, TextSize, Bold, Italic
// and Underline.
inline void applyFontSettings(const Object* control, ui::ControlLook& look)
{
    look.fontName = std::string(textProperty(control, "TextFont"));
    look.textSize = singleProperty(control, "TextSize");
    look.bold = boolProperty(control, "Bold");
    look.italic = boolProperty(control, "Italic");
    look.underline = boolProperty(control, "Underline");
}

inline ui::Rgb toRgb(Colour colour) { return {colour.red, colour.green, colour.blue}; }

} // namespace fw
