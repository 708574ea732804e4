// The About window: opened, hidden and closed from the palette, its five
// controls, and the instructions it speaks.

#include "about/AboutActions.h"
#include "about/frmAbout.h"
#include "about/frmAboutControls.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/Properties.h"
#include "tests/support/ProgramFixture.h"

namespace {

using AboutWindowTest = ProgramFixture;
constexpr const char* kAbout = "About Lirra Veriz 5.0";

fw::Object* openAbout()
{
    fw::Ref<fw::String> name = fw::makeString("frmAbout.frmAbout");
    return fw::_GetImplicitWindow(name.get()).get();  // the list keeps it
}

TEST_F(AboutWindowTest, AboutShowsOneWindowThatExitHidesAndTheCloseBoxEnds)
{
    startProgram();
    EXPECT_EQ(openAbout(), nullptr) << "no About window before the first About";
    desktop().click("cmdAbout");
    fw::Object* first = openAbout();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(desktop().window(kAbout)->shown);
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

    desktop().closeBox(kAbout);
    EXPECT_EQ(openAbout(), nullptr);
    EXPECT_EQ(desktop().window(kAbout), nullptr);
    EXPECT_FALSE(desktop().quitRequested) << "closing the About window never ends the program";
    desktop().click("cmdAbout");
    ASSERT_NE(openAbout(), nullptr);
    EXPECT_EQ(desktop().controls.size(), controlsMade + 5) << "a new window with five new controls";
}

TEST_F(AboutWindowTest, WindowAndControlsHaveTheirSettings)
{
    startProgram();
    desktop().click("cmdAbout");
    const fw::ui::WindowLook& look = desktop().window(kAbout)->look;
    EXPECT_EQ((std::array{look.width, look.height}), (std::array{601, 555}));
    EXPECT_FALSE(look.hasBackColor) << "the standard background, not the stored white";
    EXPECT_TRUE(look.closeButton && look.minimizeButton);
    EXPECT_FALSE(look.maximizeButton || look.resizeable);

    auto& window = *static_cast<fw::WindowInstance*>(openAbout());
    std::vector<std::string> names;
    for (auto& [name, control] : window.controls)
        names.emplace_back(name->view());
    EXPECT_EQ(names, (std::vector<std::string>{"Canvas1", "cmdExit", "Label1", "Label2", "PushButton2"}));

    fw::Ref<fw::Object> maker = frmAbout::Label1(&window);
    EXPECT_EQ(fw::singleProperty(maker.get(), "TextSize"), 20.0f) << "the text unit leaves the size as it is";
    EXPECT_EQ(fw::intProperty(maker.get(), "TextUnit"), 0);
    const fw::ui::ControlLook& makerLook = desktop().control(kAbout, "Label1")->look;
    EXPECT_EQ(makerLook.caption, "Tarvenholt Software LLC");
    EXPECT_TRUE(makerLook.bold);
    EXPECT_EQ(makerLook.textColor, (fw::ui::Rgb{255, 0, 0}));
    const fw::ui::ControlLook& noticeLook = desktop().control(kAbout, "Label2")->look;
    EXPECT_EQ(noticeLook.caption, frmAbout::kRightsNotice);
    EXPECT_FALSE(noticeLook.bold);
    EXPECT_EQ(noticeLook.textSize, 0.0f);
    EXPECT_EQ(desktop().control(kAbout, "PushButton2")->look.caption, "Listen To Instructions");
    EXPECT_EQ(fw::intProperty(frmAbout::PushButton2(&window).get(), "TabIndex"), 11);
    EXPECT_THROW(frmAbout::Canvas1(nullptr), fw::Raised);
}

TEST_F(AboutWindowTest, ListenToInstructionsQueuesThemWithoutInterrupting)
{
    startProgram("clipboard text");
    desktop().click("cmdRead");
    desktop().click("cmdAbout");
    desktop().click("PushButton2");
    desktop().click("PushButton2");
    std::string instructions(kInstructions);
    EXPECT_EQ(spoken(), (std::vector<SpokenText>{{" ", true},
                                                 {"clipboard text", false},
                                                 {instructions, false},
                                                 {instructions, false}}));
    desktop().click("cmdStop");
    EXPECT_EQ(spoken().back(), (SpokenText{" ", true})) << "the palette still works beside the About window";
    desktop().click("cmdExit");
    EXPECT_EQ(spoken().size(), 5u) << "Exit does not touch speech";
}

} // namespace
