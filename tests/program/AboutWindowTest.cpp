// The About window: opened, hidden and closed from the palette, its picture,
// its five controls with their settings, and the instructions it speaks.

#include "about/AboutActions.h"
#include "about/frmAbout.h"
#include "about/frmAboutControls.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/Properties.h"
#include "tests/program/FrameworkCallLog.h"
#include "tests/program/PropertyLists.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

#include <algorithm>
#include <map>

namespace {

using AboutWindowTest = ProgramFixture;
constexpr const char* kAbout = "About Lirra Veriz 5.0";

fw::Object* openAbout()
{
    fw::Ref<fw::String> name = fw::makeString("frmAbout.frmAbout");
    return fw::_GetImplicitWindow(name.get()).get(); // the list keeps it
}

// The picture on the open About window's canvas, as the program set it and
// as the desktop was asked to draw it.
struct CanvasPicture {
    fw::Object* picture; // borrowed: the canvas holds it
    int32_t width, height;
    int32_t shownWidth, shownHeight;
};
CanvasPicture canvasPicture(FakePresentation& desktop)
{
    fw::Ref<fw::Object> canvas = frmAbout::Canvas1(openAbout());
    fw::Object* picture = fw::objectProperty(canvas.get(), "Backdrop");
    const auto& shown = desktop.control(kAbout, "Canvas1")->look.backdrop;
    return {picture, picture ? fw::intProperty(picture, "Width") : 0, picture ? fw::intProperty(picture, "Height") : 0,
            shown ? shown->width() : 0, shown ? shown->height() : 0};
}

TEST_F(AboutWindowTest, AboutShowsOneWindowThatExitHidesAndTheCloseBoxEnds)
{
    startProgram();
    frameworkCalls().clear();
    testing::internal::CaptureStderr();
    EXPECT_EQ(openAbout(), nullptr) << "no About window before the first About";
    desktop().click("cmdAbout");
    fw::Object* first = openAbout();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(desktop().window(kAbout)->shown);
    EXPECT_EQ(frameworkCalls().pictureGetterCalls, 1) << "a new About window asks for the picture once";
    CanvasPicture picture = canvasPicture(desktop());
    ASSERT_NE(picture.picture, nullptr) << "the canvas never got the About picture";
    EXPECT_GE(picture.width, 249);
    EXPECT_GE(picture.height, 190);
    EXPECT_EQ((std::array{picture.shownWidth, picture.shownHeight}), (std::array{picture.width, picture.height}))
        << "the desktop draws the picture the canvas holds";
    size_t controlsMade = desktop().controls.size();

    desktop().click("cmdAbout");
    EXPECT_EQ(openAbout(), first) << "a second About shows the same window";
    desktop().click("cmdExit");
    EXPECT_FALSE(desktop().window(kAbout)->shown);
    EXPECT_EQ(openAbout(), first) << "Exit hides, it does not close";
    desktop().click("cmdAbout");
    EXPECT_EQ(openAbout(), first);
    EXPECT_TRUE(desktop().window(kAbout)->shown);
    EXPECT_EQ(desktop().controls.size(), controlsMade) << "showing again makes no control";
    EXPECT_EQ(frameworkCalls().pictureGetterCalls, 1) << "showing the window again does not ask for the picture";

    desktop().closeBox(kAbout);
    EXPECT_EQ(openAbout(), nullptr);
    EXPECT_EQ(desktop().window(kAbout), nullptr);
    EXPECT_FALSE(desktop().quitRequested) << "closing the About window never ends the program";
    EXPECT_EQ(frameworkCalls().pictureGetterCalls, 1);
    desktop().click("cmdAbout");
    ASSERT_NE(openAbout(), nullptr);
    EXPECT_NE(openAbout(), first) << "a new window after the close box";
    EXPECT_EQ(desktop().controls.size(), controlsMade + 5) << "a new window with five new controls";
    EXPECT_EQ(frameworkCalls().pictureGetterCalls, 2) << "the new window asks for the picture once";
    EXPECT_EQ(canvasPicture(desktop()).picture, picture.picture) << "the cached picture, not a new one";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

std::map<std::string, int>* fetches = nullptr;
fw::TypedCode realControlByName;
fw::Ref<fw::Object> countingControlByName(fw::Object* window, fw::String* name)
{
    ++(*fetches)[std::string(name->view())];
    return reinterpret_cast<fw::Ref<fw::Object> (*)(fw::Object*, fw::String*)>(realControlByName.code)(window, name);
}

TEST_F(AboutWindowTest, CreationFetchesEachControlForEveryStepAndTakesThePictureBeforeAnyList)
{
    startProgram();
    std::map<std::string, int> counted;
    fetches = &counted;
    SlotPatch patch(frmAbout::__Lookup(), fw::Window::slot(fw::Window::Op::_ControlByName), countingControlByName);
    realControlByName = fw::toCode(patch.original<fw::Ref<fw::Object>(fw::Object*, fw::String*)>());
    frameworkCalls().clear();
    desktop().click("cmdAbout");
    EXPECT_EQ(counted, (std::map<std::string, int>{
                           {"Canvas1", 2}, {"cmdExit", 3}, {"Label1", 3}, {"Label2", 2}, {"PushButton2", 3}}))
        << "once per preset, once for the list, once for a button's binding";
    ASSERT_EQ(frameworkCalls().listsBeforePictureGetter.size(), 1u);
    const auto& lists = frameworkCalls().propertyLists;
    for (size_t i = 0; i < frameworkCalls().listsBeforePictureGetter[0]; ++i)
        EXPECT_EQ(lists[i].object, openAbout()) << "a control's list was applied before the picture was taken";
    auto& window = *static_cast<fw::WindowInstance*>(openAbout());
    EXPECT_EQ(window.controls.size(), 5u);
}

struct ControlCase {
    const char* name;
    fw::ui::ControlKind kind;
    int32_t left, top, width, height, tabIndex;
    const char* caption; // nullptr: the canvas, which has none
    bool bold;
    fw::ui::Rgb textColor;
    float textSize; // 0: none of its own
};

TEST_F(AboutWindowTest, WindowAndControlsHaveTheirSettings)
{
    startProgram();
    desktop().click("cmdAbout");
    const fw::ui::WindowLook& look = desktop().window(kAbout)->look;
    EXPECT_EQ(look.title, kAbout);
    EXPECT_EQ((std::array{look.width, look.height}), (std::array{601, 555}));
    EXPECT_EQ(look.frame, 7);
    EXPECT_EQ(look.placement, 2);
    EXPECT_FALSE(look.hasBackColor) << "the standard background, not the stored white";
    EXPECT_TRUE(look.closeButton && look.minimizeButton);
    EXPECT_FALSE(look.maximizeButton || look.resizeable || look.fullScreen);

    using Kind = fw::ui::ControlKind;
    const fw::ui::Rgb black{0, 0, 0}, red{255, 0, 0};
    // clang-format off
    const ControlCase cases[] = {
        {"Canvas1", Kind::Canvas, 176, 14, 249, 190, 0, nullptr, false, black, 0},
        {"cmdExit", Kind::PushButton, 501, 522, 80, 20, 1, "Exit", false, black, 0},
        {"Label1", Kind::Label, 42, 225, 482, 27, 3, "Tarvenholt Software LLC", true, red, 20},
        {"Label2", Kind::Label, 42, 250, 482, 20, 4, nullptr, false, black, 0},
        {"PushButton2", Kind::PushButton, 198, 292, 190, 20, 11, "Listen To Instructions", false, black, 0},
    };
    // clang-format on
    auto& window = *static_cast<fw::WindowInstance*>(openAbout());
    ASSERT_EQ(window.controls.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ControlCase& c = cases[i];
        SCOPED_TRACE(c.name);
        fw::Object* control = window.controls[i].second.get();
        EXPECT_EQ(window.controls[i].first->view(), c.name) << "controls are created in order";
        EXPECT_EQ(fw::intProperty(control, "TabIndex"), c.tabIndex);
        EXPECT_EQ(fw::intProperty(control, "Index"), INT32_MIN);
        const fw::ui::ControlLook& shown = desktop().control(kAbout, c.name)->look;
        EXPECT_EQ(shown.kind, c.kind);
        EXPECT_EQ((std::array{shown.left, shown.top, shown.width, shown.height}),
                  (std::array{c.left, c.top, c.width, c.height}));
        EXPECT_TRUE(shown.visible && shown.enabled);
        if (c.kind == Kind::Canvas)
            continue;
        EXPECT_FALSE(std::holds_alternative<std::monostate>(fw::propertyValue(control, "TextUnit")))
            << "the TextUnit preset was never applied";
        EXPECT_EQ(fw::intProperty(control, "TextUnit"), 0);
        if (c.caption) {
            EXPECT_EQ(shown.caption, c.caption);
        }
        EXPECT_EQ(shown.fontName, "System");
        EXPECT_EQ(shown.bold, c.bold);
        EXPECT_FALSE(shown.italic || shown.underline);
        EXPECT_EQ(shown.textSize, c.textSize) << "the text unit leaves the size as it is";
        if (c.kind == Kind::Label) {
            EXPECT_EQ(shown.textColor, c.textColor);
        }
    }
    const std::string notice(desktop().control(kAbout, "Label2")->look.caption);
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(notice.find('\n'), std::string::npos) << "the rights notice is one line";
    EXPECT_THROW(frmAbout::Canvas1(nullptr), fw::Raised);
}

TEST_F(AboutWindowTest, PropertyListsHoldTheAboutWindowsSettingsInOrder)
{
    startProgram();
    frameworkCalls().clear();
    desktop().click("cmdAbout");
    auto label = [](std::string_view name, int32_t top, int32_t height, int32_t tabIndex, std::string_view words,
                    uint8_t red, bool bold) {
        return Entries{
            text("Name", name),
            entry("Index", INT32_MIN),
            entry("Left", 42),
            entry("Top", top),
            entry("Width", 482),
            entry("Height", height),
            flag("LockLeft", true),
            flag("LockTop", true),
            flag("LockRight", false),
            flag("LockBottom", false),
            entry("TabPanelIndex", 0),
            entry("TabIndex", tabIndex),
            text("Text", words),
            entry("TextAlign", 0),
            colour("TextColor", red, 0, 0),
            flag("Multiline", false),
            flag("Enabled", true),
            flag("Visible", true),
            flag("Selectable", false),
            flag("Transparent", false),
            text("HelpTag", ""),
            flag("AutoDeactivate", true),
            text("TextFont", "System"),
            flag("Bold", bold),
            flag("Italic", false),
            flag("Underline", false),
            text("DataSource", ""),
            text("DataField", ""),
            text("InitialParent", ""),
        };
    };
    const Entries canvas = {
        text("Name", "Canvas1"),    entry("Index", INT32_MIN),
        entry("Left", 176),         entry("Top", 14),
        entry("Width", 249),        entry("Height", 190),
        flag("LockLeft", true),     flag("LockTop", true),
        flag("LockRight", false),   flag("LockBottom", false),
        entry("TabPanelIndex", 0),  entry("TabIndex", 0),
        flag("TabStop", true),      flag("Visible", true),
        text("HelpTag", ""),        flag("AutoDeactivate", true),
        flag("Enabled", true),      flag("UseFocusRing", true),
        flag("AcceptFocus", false), flag("AcceptTabs", false),
        flag("DoubleBuffer", true), flag("EraseBackground", false),
        text("InitialParent", ""),
    };
    std::vector<PropertyListCall> lists = frameworkCalls().propertyLists;
    auto windowList = std::find_if(lists.begin(), lists.end(), [](const auto& l) { return l.object == openAbout(); });
    ASSERT_NE(windowList, lists.end());
    EXPECT_EQ(windowList->list.size(), 288u);
    EXPECT_EQ(decodeList(windowList->list),
              windowEntries({601, 555, false, 0xFF, 0xFF, 0xFF, "About Lirra Veriz 5.0", true, true}));
    lists.erase(windowList);
    ASSERT_EQ(lists.size(), 5u) << "one list per control";
    // The rights notice is the maker's own line; the rest is fixed.
    Entries notice = decodeList(lists[3].list);
    ASSERT_GT(notice.size(), 12u);
    const std::string noticeText = notice[12].value.substr(1, notice[12].value.size() - 2);
    const Entries expected[] = {
        canvas,
        pushButtonEntries("cmdExit", 501, 522, 80, 20, 1, "Exit"),
        label("Label1", 225, 27, 3, "Tarvenholt Software LLC", 255, true),
        label("Label2", 250, 20, 4, noticeText, 0, false),
        pushButtonEntries("PushButton2", 198, 292, 190, 20, 11, "Listen To Instructions"),
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i][0].value);
        EXPECT_EQ(decodeList(lists[i].list), expected[i]);
    }
}

TEST_F(AboutWindowTest, ListenToInstructionsQueuesThemWithoutInterrupting)
{
    const std::string instructions =
        "Lirra Veriz is extremely easy to use.  Simply copy any text to clipboard and click the Reed button. "
        "Select the text and then click control C if you are using Windows, or Command C on a Mac. You can also "
        "access copy from any edit menu. To have lirra stop reading, click Stop.  To quit the application simply "
        "click Quit.";
    ASSERT_EQ(instructions.size(), 318u);
    startProgram("clipboard text");
    desktop().click("cmdRead");
    desktop().click("cmdAbout");
    desktop().click("PushButton2");
    desktop().click("PushButton2");
    EXPECT_EQ(spoken(), (std::vector<SpokenText>{
                            {" ", true}, {"clipboard text", false}, {instructions, false}, {instructions, false}}))
        << "the instructions, word for word, each time and never interrupting";
    desktop().click("cmdStop");
    EXPECT_EQ(spoken().back(), (SpokenText{" ", true})) << "the palette still works beside the About window";
    desktop().click("cmdExit");
    EXPECT_EQ(spoken().size(), 5u) << "Exit does not touch speech";
}

} // namespace
