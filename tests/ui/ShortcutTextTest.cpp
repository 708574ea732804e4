#include "framework/ui/ShortcutText.h"

#include <gtest/gtest.h>

namespace {

struct Translation {
    const char* portable;
    const char* desktop;
};

// portable         desktop
constexpr Translation translations[] = {
    {.portable = "Cmd+Q", .desktop = "Ctrl+Q"},
    {.portable = "Cmd+Shift+Z", .desktop = "Ctrl+Shift+Z"},
    {.portable = "Shift+Cmd+Z", .desktop = "Shift+Ctrl+Z"},
    {.portable = "Cmd++", .desktop = "Ctrl++"}, // the key is "+"
    {.portable = "Alt+Cmd+F4", .desktop = "Alt+Ctrl+F4"},
    {.portable = "Hyper+Q", .desktop = "Hyper+Q"}, // unknown modifiers pass through
    {.portable = "Cmd", .desktop = "Cmd"},         // a key, not a modifier
    {.portable = "F1", .desktop = "F1"},
    {.portable = "+", .desktop = "+"},
    {.portable = "", .desktop = ""},
};

TEST(ShortcutTextTest, TranslatesCmdToCtrlAndLeavesTheRest)
{
    for (const Translation& translation : translations)
        EXPECT_EQ(fw::ui::shortcutText(translation.portable), translation.desktop) << translation.portable;
}

} // namespace
