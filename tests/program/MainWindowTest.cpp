// The main window: its settings on screen, its seven controls, the way they
// are made and bound, and its single instance.

#include "framework/classes/MenuItem.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Window.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Properties.h"
#include "glue/ActionGlue.h"
#include "palette/MenuBar1.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMain.h"
#include "palette/frmMainControls.h"
#include "tests/program/FrameworkCallLog.h"
#include "tests/program/PropertyLists.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

#include <algorithm>
#include <map>

namespace {

using MainWindowTest = ProgramFixture;
constexpr const char* kTitle = "Tarvenholt Lirra Veriz 5.0";

TEST_F(MainWindowTest, WindowHasTheSizeTitleColourAndFrameOfThePalette)
{
    startProgram();
    const fw::ui::WindowLook& look = desktop().window(kTitle)->look;
    EXPECT_EQ(look.width, 161);
    EXPECT_EQ(look.height, 50);
    EXPECT_EQ(look.frame, 7);
    EXPECT_EQ(look.placement, 2);
    EXPECT_TRUE(look.hasBackColor);
    EXPECT_EQ(look.backColor, (fw::ui::Rgb{0x00, 0x80, 0xFF}));
    EXPECT_FALSE(look.closeButton || look.minimizeButton || look.maximizeButton || look.resizeable || look.fullScreen);
    EXPECT_FALSE(fw::boolProperty(mainWindow(), "ContentsChanged"));
}

struct ControlCase {
    const char* name;
    fw::ui::ControlKind kind;
    int32_t left, top, width, height, tabIndex;
    const char* caption;
};

TEST_F(MainWindowTest, SevenControlsInOrderAndOnlyTheFourButtonsInside)
{
    startProgram();
    const ControlCase cases[] = {
        {"cmdRead", fw::ui::ControlKind::PushButton, 2, 2, 78, 20, 0, "Read"},
        {"cmdStop", fw::ui::ControlKind::PushButton, 83, 2, 76, 20, 1, "Stop"},
        {"cmdClose", fw::ui::ControlKind::PushButton, 83, 26, 76, 20, 2, "Quit"},
        {"cmdAbout", fw::ui::ControlKind::PushButton, 2, 26, 78, 20, 3, "About"},
        {"txtRead", fw::ui::ControlKind::TextArea, 14, 65, 329, 376, 4, ""},
        {"cmdDoit", fw::ui::ControlKind::PushButton, 180, 6, 80, 20, 5, "Untitled"},
        {"PushButton1", fw::ui::ControlKind::PushButton, 364, 65, 80, 20, 8, "Untitled"},
    };
    auto& window = *static_cast<fw::WindowInstance*>(mainWindow());
    ASSERT_EQ(window.controls.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ControlCase& c = cases[i];
        SCOPED_TRACE(c.name);
        fw::Object* control = window.controls[i].second.get();
        EXPECT_EQ(window.controls[i].first->view(), c.name);
        EXPECT_EQ(fw::intProperty(control, "TabIndex"), c.tabIndex);
        EXPECT_FALSE(std::holds_alternative<std::monostate>(fw::propertyValue(control, "TextUnit")))
            << "the TextUnit preset was never applied";
        EXPECT_EQ(fw::intProperty(control, "TextUnit"), 0);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(fw::propertyValue(control, "TextSize")));
        EXPECT_EQ(fw::intProperty(control, "Index"), INT32_MIN);
        const fw::ui::ControlLook& look = desktop().control(kTitle, c.name)->look;
        EXPECT_EQ(look.kind, c.kind);
        EXPECT_EQ(look.caption, c.caption);
        EXPECT_EQ(look.fontName, "System");
        EXPECT_FALSE(look.bold || look.italic || look.underline);
        EXPECT_TRUE(look.visible && look.enabled);
        EXPECT_EQ((std::array{look.left, look.top, look.width, look.height}),
                  (std::array{c.left, c.top, c.width, c.height}));
        bool inside = look.left + look.width <= 161 && look.top + look.height <= 50;
        EXPECT_EQ(inside, i < 4) << "only the four visible buttons lie inside the window";
    }
    EXPECT_EQ(desktop().control(kTitle, "txtRead")->text, "");
}

// ControlCount is read from the controls the window holds, so it follows a
// control's removal as it follows each addition.
TEST_F(MainWindowTest, ControlCountFollowsTheControlsTheWindowHolds)
{
    startProgram();
    EXPECT_EQ(fw::intProperty(mainWindow(), "ControlCount"), 7);
    fw::Ref<fw::Object> read = frmMain::cmdRead(mainWindow());
    fw::callOperation(mainWindow(), fw::Window::slot(fw::Window::Op::_RemoveControl), read.get());
    EXPECT_EQ(fw::intProperty(mainWindow(), "ControlCount"), 6);
    EXPECT_EQ(frmMain::cmdRead(mainWindow()), nullptr);
}

TEST_F(MainWindowTest, PropertyListsHoldThePalettesSettingsInOrder)
{
    frameworkCalls().clear();
    startProgram();
    const Entries txtRead = {
        text("Name", "txtRead"),
        entry("Index", INT32_MIN),
        entry("Left", 14),
        entry("Top", 65),
        entry("Width", 329),
        entry("Height", 376),
        flag("LockLeft", true),
        flag("LockTop", true),
        flag("LockRight", false),
        flag("LockBottom", false),
        entry("TabPanelIndex", 0),
        entry("TabIndex", 4),
        flag("TabStop", true),
        flag("Border", true),
        flag("Multiline", true),
        flag("ScrollbarHorizontal", false),
        flag("ScrollbarVertical", true),
        flag("Styled", true),
        flag("UseFocusRing", true),
        colour("TextColor", 0, 0, 0),
        colour("BackColor", 255, 255, 255),
        flag("Enabled", true),
        text("Format", ""),
        flag("Visible", true),
        text("HelpTag", ""),
        flag("AutoDeactivate", true),
        flag("HideSelection", true),
        text("TextFont", "System"),
        flag("Bold", false),
        flag("Italic", false),
        flag("Underline", false),
        text("Text", ""),
        text("Mask", ""),
        flag("ReadOnly", false),
        entry("LimitText", 0),
        flag("AcceptTabs", false),
        entry("Alignment", 0),
        flag("AutomaticallyCheckSpelling", true),
        text("DataSource", ""),
        text("DataField", ""),
    };
    struct ListCase {
        const char* owner;
        size_t bytes;
        Entries entries;
    };
    const ListCase controls[] = {
        {"cmdRead", 303, pushButtonEntries("cmdRead", 2, 2, 78, 20, 0, "Read")},
        {"cmdStop", 303, pushButtonEntries("cmdStop", 83, 2, 76, 20, 1, "Stop")},
        {"cmdClose", 304, pushButtonEntries("cmdClose", 83, 26, 76, 20, 2, "Quit")},
        {"cmdAbout", 305, pushButtonEntries("cmdAbout", 2, 26, 78, 20, 3, "About")},
        {"txtRead", 494, txtRead},
        {"cmdDoit", 307, pushButtonEntries("cmdDoit", 180, 6, 80, 20, 5, "Untitled")},
        {"PushButton1", 311, pushButtonEntries("PushButton1", 364, 65, 80, 20, 8, "Untitled")},
    };
    std::vector<PropertyListCall> lists = frameworkCalls().propertyLists;
    ASSERT_EQ(lists.size(), 1 + std::size(controls)) << "one list for the window and one per control";
    auto windowList = std::find_if(lists.begin(), lists.end(), [&](const auto& l) { return l.object == mainWindow(); });
    ASSERT_NE(windowList, lists.end());
    EXPECT_EQ(windowList->list.size(), 293u);
    EXPECT_EQ(decodeList(windowList->list),
              windowEntries({161, 50, true, 0x00, 0x80, 0xFF, "Tarvenholt Lirra Veriz 5.0", false, false}));
    lists.erase(windowList);
    for (size_t i = 0; i < std::size(controls); ++i) {
        SCOPED_TRACE(controls[i].owner);
        EXPECT_EQ(fw::textProperty(lists[i].object, "Name"), controls[i].owner) << "lists follow the creation order";
        EXPECT_EQ(lists[i].list.size(), controls[i].bytes);
        EXPECT_EQ(decodeList(lists[i].list), controls[i].entries);
    }
}

std::map<std::string, int>* fetches = nullptr;
fw::TypedCode realControlByName;
fw::Ref<fw::Object> countingControlByName(fw::Object* window, fw::String* name)
{
    ++(*fetches)[std::string(name->view())];
    return reinterpret_cast<fw::Ref<fw::Object> (*)(fw::Object*, fw::String*)>(realControlByName.code)(window, name);
}

TEST_F(MainWindowTest, CreationFetchesEachControlByNameForEveryStep)
{
    std::map<std::string, int> counted;
    fetches = &counted;
    SlotPatch patch(frmMain::__Lookup(), fw::Window::slot(fw::Window::Op::_ControlByName), countingControlByName);
    realControlByName = fw::toCode(patch.original<fw::Ref<fw::Object>(fw::Object*, fw::String*)>());
    startProgram();
    EXPECT_EQ(counted, (std::map<std::string, int>{{"cmdRead", 3},
                                                   {"cmdStop", 3},
                                                   {"cmdClose", 3},
                                                   {"cmdAbout", 3},
                                                   {"txtRead", 2},
                                                   {"cmdDoit", 3},
                                                   {"PushButton1", 2}}));
    endProgram();
}

std::vector<std::pair<fw::Object*, fw::Object*>> handled;
void recordRead(fw::Object* w, fw::Object* b) { handled.emplace_back(w, b); }
void recordStop(fw::Object* w, fw::Object* b) { handled.emplace_back(w, b); }
void recordClose(fw::Object* w, fw::Object* b) { handled.emplace_back(w, b); }
void recordAbout(fw::Object* w, fw::Object* b) { handled.emplace_back(w, b); }
void recordDoit(fw::Object* w, fw::Object* b) { handled.emplace_back(w, b); }

TEST_F(MainWindowTest, EachButtonRunsItsHandlerOnceWithTheWindowAndTheButton)
{
    const fw::ClassTable* table = frmMain::__Lookup();
    using frmMain::Op;
    SlotPatch read(table, frmMain::slot(Op::cmdRead_Action), recordRead);
    SlotPatch stop(table, frmMain::slot(Op::cmdStop_Action), recordStop);
    SlotPatch close(table, frmMain::slot(Op::cmdClose_Action), recordClose);
    SlotPatch about(table, frmMain::slot(Op::cmdAbout_Action), recordAbout);
    SlotPatch doit(table, frmMain::slot(Op::cmdDoit_Action), recordDoit);
    frameworkCalls().clear();
    startProgram();
    fw::Object* window = mainWindow();
    auto button = [window](const char* name) {
        return fw::Window::_ControlByName(window, fw::makeString(name).get()).get(); // the window holds it
    };
    for (const char* name : {"cmdRead", "cmdStop", "cmdClose", "cmdAbout", "PushButton1"}) {
        handled.clear();
        desktop().click(name);
        if (std::string(name) == "PushButton1")
            EXPECT_TRUE(handled.empty()) << "PushButton1 runs nothing of the program's";
        else
            EXPECT_EQ(handled, (std::vector<std::pair<fw::Object*, fw::Object*>>{{window, button(name)}})) << name;
    }
    const char* bound[] = {"cmdRead", "cmdStop", "cmdClose", "cmdAbout", "cmdDoit"};
    const auto& delegates = frameworkCalls().delegates;
    ASSERT_EQ(delegates.size(), std::size(bound)) << "one binding per button with a handler, in creation order";
    for (size_t i = 0; i < std::size(bound); ++i) {
        SCOPED_TRACE(bound[i]);
        EXPECT_EQ(delegates[i].target, window);
        EXPECT_EQ(delegates[i].parameters, "( PushButton )");
        EXPECT_EQ(delegates[i].flags, 1) << "the window is reached through its holder";
        EXPECT_EQ(delegates[i].code, table->operations[frmMain::slot(Op::cmdRead_Action) + i])
            << "the handler the window's table holds at the moment of binding";
    }
    handled.clear();
    fw::PushButton::Push(button("cmdDoit"));
    EXPECT_EQ(handled, (std::vector<std::pair<fw::Object*, fw::Object*>>{{window, button("cmdDoit")}}));
    EXPECT_TRUE(spoken().empty());
}

TEST_F(MainWindowTest, BindingToAWindowThatIsGoneRaisesInsteadOfCalling)
{
    installFakeDesktop();
    fw::Ref<fw::Object> button = fw::RuntimeNewObject(fw::PushButton::__Lookup());
    {
        fw::Ref<fw::Object> window = fw::RuntimeNewObject(frmMain::__Lookup());
        bindAction(window.get(), button.get(), frmMain::slot(frmMain::Op::cmdStop_Action));
    }
    handled.clear();
    SlotPatch stop(frmMain::__Lookup(), frmMain::slot(frmMain::Op::cmdStop_Action), recordStop);
    EXPECT_THROW(fw::PushButton::Push(button.get()), fw::Raised);
    EXPECT_TRUE(handled.empty());
    button = nullptr;
    fw::releaseServices();
}

// A handler slot that holds another kind of operation (here an accessor) is
// refused where it is bound, in one line that names what the slot holds and
// what a handler must be.
TEST_F(MainWindowTest, BindingASlotOfAnotherTypeNamesBothTypes)
{
    fw::Ref<fw::Object> button = fw::RuntimeNewObject(fw::PushButton::__Lookup());
    fw::Ref<fw::Object> window = fw::RuntimeNewObject(frmMain::__Lookup());
    EXPECT_DEATH(bindAction(window.get(), button.get(), frmMain::slot(frmMain::Op::cmdRead)),
                 "framework: internal error: class frmMain\\.frmMain: slot 54 \\(cmdRead\\) holds fw::Ref<fw::Object> "
                 "\\(\\*\\)\\(fw::Object\\*\\) but is called as void \\(\\*\\)\\(fw::Object\\*, fw::Object\\*\\)");
}

TEST_F(MainWindowTest, AccessorsFindTheSameControlAndRefuseANilWindow)
{
    startProgram();
    fw::Object* window = mainWindow();
    EXPECT_EQ(frmMain::txtRead(window), frmMain::txtRead(window));
    EXPECT_TRUE(fw::RuntimeObjectIsa(frmMain::txtRead(window).get(), fw::TextArea::__Lookup()));
    EXPECT_THROW(frmMain::cmdDoit(nullptr), fw::Raised);
}

// Every run of the program in this process, not only the first, shows the
// desktop what changes on its windows, controls and menus once they exist.
TEST_F(MainWindowTest, ChangesAfterCreationReachTheDesktopInEveryRun)
{
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        startProgram();
        fw::setProperty(mainWindow(), "Width", 200);
        fw::setProperty(frmMain::cmdRead(mainWindow()).get(), "Caption", fw::makeString("Again"));
        {
            fw::Ref<fw::Object> bar = MenuBar1::MenuBar1();
            fw::Ref<fw::Object> edit = fw::MenuItem::Child(bar.get(), fw::makeString("EditMenu").get());
            fw::Ref<fw::Object> item = fw::RuntimeNewObject(fw::MenuItem::__Lookup());
            fw::callOperation(item.get(), fw::MenuItem::slot(fw::MenuItem::Op::Constructor));
            fw::MenuItem::Text::Set(item.get(), 0, fw::makeString("Later").get());
            fw::MenuItem::Append(edit.get(), item.get());
        }
        desktop().runPostedTasks();
        EXPECT_EQ(desktop().windows[static_cast<fw::WindowInstance*>(mainWindow())->view.id()].look.width, 200)
            << "a window's change never reached the desktop";
        EXPECT_EQ(desktop().control(kTitle, "cmdRead")->look.caption, "Again")
            << "a control's change never reached the desktop";
        ASSERT_EQ(desktop().menuBar.size(), 2u);
        EXPECT_EQ(desktop().menuBar[1].children.back().text, "Later") << "a menu's change never reached the desktop";
        endProgram();
    }
}

TEST_F(MainWindowTest, SingleInstanceIsTheOpenWindowAndANewOneAfterClose)
{
    startProgram();
    fw::Ref<fw::Object> first = frmMain::frmMain();
    EXPECT_EQ(frmMain::frmMain(), first);
    fw::Window::Close(first.get());
    EXPECT_TRUE(desktop().windows[static_cast<fw::WindowInstance*>(first.get())->view.id()].destroyed);
    fw::Ref<fw::Object> second = frmMain::frmMain();
    EXPECT_NE(second, first);
    EXPECT_EQ(frmMain::frmMain(), second);
}

} // namespace
