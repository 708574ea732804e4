// Read, Stop and Quit: what reaches the speech service, and what each step
// leaves behind when a control is missing.

#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/runtime/Exception.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMain.h"
#include "palette/frmMainControls.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

namespace {

using ReadingAloudTest = ProgramFixture;
const SpokenText kInterrupt{" ", true};

std::string textOf(fw::Object* window)
{
    return std::string(fw::TextArea::Text::Get(frmMain::txtRead(window).get())->view());
}

TEST_F(ReadingAloudTest, ReadInterruptsThenSpeaksTheWholeClipboard)
{
    const std::optional<std::string> clipboards[] = {"Hello there.", "first line\nsecond line\n",
                                                     std::string("a\0b", 3), std::nullopt, ""};
    for (const auto& clipboard : clipboards) {
        startProgram(clipboard);
        desktop().click("cmdRead");
        std::string expected = clipboard.value_or("");
        EXPECT_EQ(spoken(), (std::vector<SpokenText>{kInterrupt, {expected, false}}));
        EXPECT_EQ(textOf(mainWindow()), expected);
        endProgram();
    }
}

TEST_F(ReadingAloudTest, ReadReplacesTheTextEveryTime)
{
    startProgram("one");
    desktop().click("cmdRead");
    desktop().clipboard = "two";
    desktop().click("cmdRead");
    desktop().click("cmdRead");
    EXPECT_EQ(spoken(), (std::vector<SpokenText>{
                            kInterrupt, {"one", false}, kInterrupt, {"two", false}, kInterrupt, {"two", false}}));
    EXPECT_EQ(textOf(mainWindow()), "two");
}

TEST_F(ReadingAloudTest, StopSpeaksOneInterruptingBlank)
{
    startProgram("text");
    desktop().click("cmdStop");
    EXPECT_EQ(spoken(), std::vector<SpokenText>{kInterrupt});
}

TEST_F(ReadingAloudTest, QuitAsksTheLoopToEndWithoutTouchingSpeech)
{
    startProgram();
    desktop().click("cmdClose");
    EXPECT_TRUE(desktop().quitRequested);
    EXPECT_TRUE(spoken().empty());
}

// The txtRead accessor, failing at its nth call.
int accessorCalls = 0;
int failAtCall = 0;
fw::Ref<fw::Object> txtReadFailingAt(fw::Object* window)
{
    return ++accessorCalls == failAtCall ? nullptr : frmMain::txtRead(window);
}
fw::Ref<fw::Object> noDoit(fw::Object*) { return nullptr; }

struct NilCase {
    const char* what;
    int failingTxtReadCall; // 0: none
    bool cmdDoitMissing;
    std::string textAfter;
};

TEST_F(ReadingAloudTest, AMissingControlEndsReadAtItsStep)
{
    const NilCase cases[] = {
        {"nil txtRead before emptying", 1, false, "old"},
        {"nil txtRead before pasting", 2, false, ""},
        {"nil cmdDoit", 0, true, "new"},
    };
    for (const NilCase& c : cases) {
        SCOPED_TRACE(c.what);
        startProgram("new");
        fw::TextArea::Text::Set(frmMain::txtRead(mainWindow()).get(), 0, fw::makeString("old").get());
        accessorCalls = 0;
        failAtCall = c.failingTxtReadCall;
        {
            SlotPatch txtRead(frmMain::__Lookup(), frmMain::slot(frmMain::Op::txtRead), txtReadFailingAt);
            std::optional<SlotPatch> cmdDoit;
            if (c.cmdDoitMissing)
                cmdDoit.emplace(frmMain::__Lookup(), frmMain::slot(frmMain::Op::cmdDoit), noDoit);
            fw::Ref<fw::Object> button = frmMain::cmdRead(mainWindow());
            try {
                frmMain::cmdRead_Action(mainWindow(), button.get());
                ADD_FAILURE() << "Read must raise";
            } catch (const fw::Raised& raised) {
                EXPECT_TRUE(fw::RuntimeObjectIsa(raised.exception.get(), fw::NilObjectException::__Lookup()));
            }
        }
        EXPECT_EQ(spoken(), std::vector<SpokenText>{kInterrupt}) << "nothing but the interruption is spoken";
        EXPECT_EQ(textOf(mainWindow()), c.textAfter);
        endProgram();
    }
}

TEST_F(ReadingAloudTest, SpeakWithoutTheTextAreaSpeaksNothing)
{
    startProgram("text");
    accessorCalls = 0;
    failAtCall = 1;
    SlotPatch txtRead(frmMain::__Lookup(), frmMain::slot(frmMain::Op::txtRead), txtReadFailingAt);
    fw::Ref<fw::Object> doit = frmMain::cmdDoit(mainWindow());
    EXPECT_THROW(frmMain::cmdDoit_Action(mainWindow(), doit.get()), fw::Raised);
    EXPECT_TRUE(spoken().empty());
}

TEST_F(ReadingAloudTest, TenMegabyteClipboardIsHandedOverWhole)
{
    std::string big(10 * 1024 * 1024, 'x');
    startProgram(big);
    desktop().click("cmdRead");
    ASSERT_EQ(spoken().size(), 2u);
    EXPECT_EQ(spoken()[1].text.size(), big.size());
}

} // namespace
