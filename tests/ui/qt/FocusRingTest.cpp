#include "tests/ui/qt/PresentationTest.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

// Relative luminance of an sRGB colour, as accessibility guidelines define it.
double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor& first, const QColor& second)
{
    const auto [darker, lighter] = std::minmax({luminance(first), luminance(second)});
    return (lighter + 0.05) / (darker + 0.05);
}

// How well the two pixels at the button's edge stand out where the edge
// point lies: the outer one against the window outside, the inner one
// against the button's face inside. `outward` points away from the button.
double edgeContrast(const QImage& shot, QPoint edge, QPoint outward)
{
    const auto at = [&shot](QPoint point) { return shot.pixelColor(point); };
    return std::min(contrast(at(edge), at(edge + outward)), contrast(at(edge - outward), at(edge - 2 * outward)));
}

// The edge contrasts on the four sides of the button, sampled beside its
// caption.
std::array<double, 4> edgeContrasts(const QImage& shot, const QRect& button)
{
    const int quarter = button.width() / 4, middle = button.height() / 2;
    return {
        edgeContrast(shot, {button.left(), button.top() + middle}, {-1, 0}),
        edgeContrast(shot, {button.right(), button.top() + middle}, {1, 0}),
        edgeContrast(shot, {button.left() + quarter, button.top()}, {0, -1}),
        edgeContrast(shot, {button.right() - quarter, button.bottom()}, {0, 1}),
    };
}

// A window's colour and its buttons' colours, under a name fit for a test's.
struct ColourScheme {
    const char* name;
    fw::ui::Rgb window;
    std::optional<fw::ui::Rgb> face;    // none: the desktop's button colour
    std::optional<fw::ui::Rgb> caption; // none: the desktop's button text colour
};

// clang-format off
const ColourScheme kColourSchemes[] = {
    // name                     window              face                          caption
    {"Palette",                 {0x00, 0x80, 0xFF}, std::nullopt,                 std::nullopt},
    {"Grey",                    {119, 119, 119},    std::nullopt,                 std::nullopt},
    {"DarkBlueOnDarkRed",       {120, 0, 0},        fw::ui::Rgb{0, 0, 120},       fw::ui::Rgb{255, 255, 255}},
    {"LightOnDark",             {20, 20, 20},       fw::ui::Rgb{240, 240, 240},   std::nullopt},
    {"DarkOnLight",             {255, 255, 255},    fw::ui::Rgb{30, 30, 30},      fw::ui::Rgb{255, 255, 255}},
};
// clang-format on

void PrintTo(const ColourScheme& scheme, std::ostream* out) { *out << scheme.name; }

class FocusRingTest : public PresentationTest, public ::testing::WithParamInterface<ColourScheme> {};

// Tab moves the focus from one button to the next; only the one that has it
// shows a ring, whatever the window's and the buttons' colours.
TEST_P(FocusRingTest, FocusedButtonStandsOutFromItsFaceAndTheWindow)
{
    const ColourScheme& scheme = GetParam();
    fw::ui::WindowLook windowLook = paletteLook();
    windowLook.backColor = scheme.window;
    QWidget& window = makeWindow(1, windowLook);
    for (auto [id, name, top, caption] :
         {std::tuple(10, "cmdRead", 2, "Read"), std::tuple(13, "cmdAbout", 26, "About")}) {
        fw::ui::ControlLook look = buttonLook(name, 2, top);
        look.caption = caption;
        look.backColor = scheme.face;
        look.textColor = scheme.caption;
        presentation().createControl(1, id, look);
    }
    presentation().showWindow(1);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto& read = control<QPushButton>(window, "cmdRead");
    auto& about = control<QPushButton>(window, "cmdAbout");
    read.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&read, Qt::Key_Tab);
    ASSERT_TRUE(about.hasFocus());

    const QImage shot = window.grab().toImage();
    const auto focused = edgeContrasts(shot, about.geometry());
    const auto unfocused = edgeContrasts(shot, read.geometry());
    EXPECT_GE(std::ranges::min(focused), 3.0) << "left, right, top, bottom: " << ::testing::PrintToString(focused);
    EXPECT_LT(std::ranges::max(unfocused), 3.0)
        << "a button without the focus shows a ring: " << ::testing::PrintToString(unfocused);
}

INSTANTIATE_TEST_SUITE_P(ColourSchemes, FocusRingTest, ::testing::ValuesIn(kColourSchemes),
                         [](const auto& info) { return info.param.name; });

} // namespace
