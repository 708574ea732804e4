#include "framework/ui/ShortcutText.h"

namespace fw::ui {

namespace {

struct ModifierName {
    std::string_view portable; // as the framework writes it
    std::string_view desktop;  // as the desktop's key sequences spell it
};

// portable   desktop
constexpr ModifierName modifierNames[] = {
    {.portable = "Cmd", .desktop = "Ctrl"},
};

std::string_view desktopModifier(std::string_view portable)
{
    for (const ModifierName& name : modifierNames) {
        if (name.portable == portable)
            return name.desktop;
    }
    return portable;
}

} // namespace

std::string shortcutText(std::string_view portable)
{
    // Every token followed by a "+" is a modifier; what follows the last one
    // is the key, which may itself be "+" ("Cmd++").
    std::string result;
    size_t start = 0;
    for (size_t plus = portable.find('+'); plus != std::string_view::npos && plus > start;
         plus = portable.find('+', start)) {
        result += desktopModifier(portable.substr(start, plus - start));
        result += '+';
        start = plus + 1;
    }
    result += portable.substr(start);
    return result;
}

} // namespace fw::ui
