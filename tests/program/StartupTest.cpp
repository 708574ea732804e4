// From the process start to its exit code: the order of the start-up, the
// finaliser's releases, and the road of an exception.

#include "app/App.h"
#include "app/Module.h"
#include "framework/classes/Application.h"
#include "framework/classes/EventLoop.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/classes/MenuBar.h"
#include "framework/runtime/FrameworkClass.h"
#include "framework/runtime/TypeInfo.h"
#include "framework/runtime/Properties.h"
#include "palette/MenuBar1.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMain.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

#include <functional>
#include <new>
#include <stdexcept>

namespace {

using StartupTest = ProgramFixture;

TEST_F(StartupTest, QuitFromTheMenuEndsTheRunInOrderWithExitCodeZero)
{
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->chooseMenuItem("&Quit"); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(percent_main(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(fakeDesktop().loopsLastRun, 1);
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    EXPECT_FALSE(fw::_mImplicitWindowList::exists());
    EXPECT_TRUE(fw::WindowSupport::Windows::all().empty());
}

TEST_F(StartupTest, QuitButtonEndsTheRunWithExitCodeZero)
{
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdClose"); });
    fakeDesktop().nextScript.push_back([] { ADD_FAILURE() << "the loop went on after Quit"; });
    EXPECT_EQ(percent_main(), 0);
    EXPECT_TRUE(fakeDesktop().spokenLastRun.empty()) << "Quit does not touch speech";
}

TEST_F(StartupTest, AWindowManagersCloseLeavesThePaletteAndTheRunGoesOn)
{
    // What Alt+F4 sends to a window that has no close box.
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->closeBox("Tarvenholt Lirra Veriz 5.0"); });
    fakeDesktop().nextScript.push_back([] {
        FakePresentation& desktop = *fakeDesktop().presentation;
        FakeWindow* palette = desktop.window("Tarvenholt Lirra Veriz 5.0");
        EXPECT_TRUE(palette && palette->shown) << "the palette went away";
        EXPECT_NE(fw::_GetImplicitWindow(frmMain::__Lookup()->name.get()), nullptr);
        desktop.click("cmdClose");
    });
    fakeDesktop().nextScript.push_back([] { ADD_FAILURE() << "the loop went on after Quit"; });
    EXPECT_EQ(percent_main(), 0);
    EXPECT_EQ(fakeDesktop().loopsLastRun, 1);
}

// Seen from inside the main window's layout step: the application object is
// registered and has its menu bar by the time the main window is made.
fw::Object* barSeenAtLayout = nullptr;
void layoutThatLooks(fw::Object* window)
{
    fw::Object* application = fw::registeredApplication();
    barSeenAtLayout = application ? fw::objectProperty(application, "MenuBar") : nullptr;
    frmMain::Layout(window);
}

TEST_F(StartupTest, MenuBarIsSetAndTheApplicationRegisteredBeforeTheMainWindowOpens)
{
    auto* table = const_cast<fw::ClassTable*>(frmMain::__Lookup());
    fw::TypedCode original = table->events[0].handler;
    table->events[0].handler = fw::toCode(layoutThatLooks);
    startProgram();
    table->events[0].handler = original;

    EXPECT_EQ(barSeenAtLayout, MenuBar1::_implicitInstance::get());
    EXPECT_NE(barSeenAtLayout, nullptr);
    EXPECT_EQ(desktop().calls, (std::vector<std::string>{"setMenuBar", "createWindow Tarvenholt Lirra Veriz 5.0"}));
    EXPECT_EQ(fw::registeredApplication()->classTable(), App::__Lookup());
    EXPECT_TRUE(desktop().window("Tarvenholt Lirra Veriz 5.0")->shown);
}

TEST_F(StartupTest, FinaliserReleasesTheModulesObjectsWithTheMenuBarLast)
{
    startProgram();
    fw::Ref<fw::Object> bar = fw::Ref<fw::Object>::retain(MenuBar1::_implicitInstance::get());
    EXPECT_EQ(fw::objectProperty(fw::registeredApplication(), "MenuBar"), bar.get())
        << "the application's menu bar is the single instance";
    int32_t before = bar->referenceCount();
    fw::WindowSupport::mDirtyWindows::__Exit();
    fw::WindowSupport::Windows::__Exit();
    fw::Introspection::ArrayInfo::mArrayMap::__Exit();
    fw::Introspection::ClassInfo::sClassFQNToRefMap::__Exit();
    fw::Introspection::ClassInfo::sClassRefMap::__Exit();
    fw::_mImplicitWindowList::__Exit();
    EXPECT_EQ(bar->referenceCount(), before) << "only the last step lets the menu bar go";
    MenuBar1::_implicitInstance::__Exit();
    EXPECT_EQ(bar->referenceCount(), before - 1);
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    bar = nullptr;
    endProgram();
}

void failingEditMenu(fw::Object*) { fw::RaiseNilObjectException(); }

TEST_F(StartupTest, ExceptionInTheStartUpSkipsTheLoopAndStillEndsInOrder)
{
    SlotPatch patch(MenuBar1::__Lookup(), fw::MenuBar::operationCount + 1, failingEditMenu);
    testing::internal::CaptureStderr();
    EXPECT_EQ(percent_main(), 1) << "a failure must not look like success";
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(stderrText, "framework: unhandled NilObjectException: nil object\n");
    EXPECT_EQ(fakeDesktop().loopsLastRun, 0) << "the event loop is never entered";
    EXPECT_EQ(fakeDesktop().callsLastRun, std::vector<std::string>{}) << "no main window opens";
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
}

void failingStop(fw::Object*, fw::Object*) { fw::RaiseNilObjectException(); }

TEST_F(StartupTest, ExceptionEscapingAHandlerEndsTheLoopAndReachesMain)
{
    SlotPatch patch(frmMain::__Lookup(), frmMain::slot(frmMain::Op::cmdStop_Action), failingStop);
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdStop"); });
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdStop"); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(percent_main(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "framework: unhandled NilObjectException: nil object\n")
        << "handed to the framework exactly once";
    EXPECT_FALSE(fw::_mImplicitWindowList::exists());
}

// C++ exceptions from below the runtime take the road of a runtime one:
// one line on stderr, the finaliser, exit code 1, and never std::terminate.
void stopOutOfMemory(fw::Object*, fw::Object*) { throw std::bad_alloc(); }
void editMenuLookupMissed(fw::Object*) { throw std::out_of_range("no such member"); }

TEST_F(StartupTest, CPlusPlusExceptionsEndTheRunInOrder)
{
    struct Case {
        const char* where;
        std::function<SlotPatch()> patch;
        const char* stderrText;
        int loops;
    };
    const Case cases[] = {
        {"in a handler",
         [] { return SlotPatch(frmMain::__Lookup(), frmMain::slot(frmMain::Op::cmdStop_Action), stopOutOfMemory); },
         "framework: unhandled RuntimeException: C++ exception std::bad_alloc\n", 1},
        {"in the start-up",
         [] { return SlotPatch(MenuBar1::__Lookup(), fw::MenuBar::operationCount + 1, editMenuLookupMissed); },
         "framework: unhandled RuntimeException: C++ exception no such member\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        SlotPatch patch = c.patch();
        fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdStop"); });
        fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdStop"); });
        testing::internal::CaptureStderr();
        EXPECT_EQ(percent_main(), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderrText);
        EXPECT_EQ(fakeDesktop().loopsLastRun, c.loops);
        EXPECT_FALSE(fw::_mImplicitWindowList::exists()) << "the finaliser did not run";
        EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    }
}

void returnsNormally(void*) {}
void raisesNilObject(void*) { fw::RaiseNilObjectException(); }
void raisesPlainObject(void*)
{
    fw::Ref<fw::Object> notAnException = fw::RuntimeNewObject(fw::ObjectClass::__Lookup());
    fw::RuntimeReraiseException(notAnException.get());
}

TEST_F(StartupTest, ExceptionHelperTurnsRuntimeExceptionsIntoResults)
{
    EXPECT_EQ(_CallFunctionWithExceptionHandling(fw::toCode(returnsNormally), nullptr), nullptr);
    fw::Ref<fw::Object> caught = _CallFunctionWithExceptionHandling(fw::toCode(raisesNilObject), nullptr);
    EXPECT_TRUE(fw::RuntimeObjectIsa(caught.get(), fw::NilObjectException::__Lookup()));
    caught = nullptr;
    EXPECT_THROW(_CallFunctionWithExceptionHandling(fw::toCode(raisesPlainObject), nullptr), fw::Raised);
}

} // namespace
