// From the process start to its exit code: the order of the start-up, the
// finaliser's releases, and the road of an exception.

#include "app/App.h"
#include "app/Module.h"
#include "framework/classes/Application.h"
#include "framework/classes/EventLoop.h"
#include "framework/classes/MenuBar.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/Properties.h"
#include "framework/runtime/TypeInfo.h"
#include "palette/MenuBar1.h"
#include "palette/ReadingAloud.h"
#include "palette/frmMain.h"
#include "tests/program/FrameworkCallLog.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SlotPatch.h"

#include <cstdio>
#include <functional>
#include <new>
#include <stdexcept>

namespace {

using StartupTest = ProgramFixture;
using Steps = std::vector<std::string>;

// The module finaliser's seven releases, in their order.
const Steps kFinaliserSteps = {
    "WindowSupport.mDirtyWindows.__Exit",          "WindowSupport.Windows.__Exit",
    "Introspection.ArrayInfo.mArrayMap.__Exit",    "Introspection.ClassInfo.sClassFQNToRefMap.__Exit",
    "Introspection.ClassInfo.sClassRefMap.__Exit", "_mImplicitWindowList.__Exit",
    "MenuBar1._implicitInstance.__Exit",
};

Steps withFinaliser(Steps before)
{
    before.insert(before.end(), kFinaliserSteps.begin(), kFinaliserSteps.end());
    return before;
}

TEST_F(StartupTest, QuitFromTheMenuEndsTheRunInOrderWithExitCodeZero)
{
    frameworkCalls().clear();
    fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->chooseMenuItem("&Quit"); });
    fakeDesktop().nextScript.push_back([] { ADD_FAILURE() << "the loop went on after File, Quit"; });
    testing::internal::CaptureStderr();
    EXPECT_EQ(percent_main(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(fakeDesktop().loopsLastRun, 1);
    EXPECT_EQ(frameworkCalls().steps, withFinaliser({"Application.MenuBar set", "RuntimeRegisterAppObject"}))
        << "start-up, then the finaliser's seven releases in their order";
    EXPECT_TRUE(frameworkCalls().unhandled.empty());
    const auto& delegates = frameworkCalls().delegates;
    ASSERT_GE(delegates.size(), 2u);
    EXPECT_EQ(delegates[0].code, fw::toCode(_CallFunctionWithExceptionHandling)) << "first the exception helper";
    EXPECT_EQ(delegates[0].parameters, "( Ptr, Ptr ) as Object");
    EXPECT_EQ(delegates[1].code, fw::toCode(_Startup)) << "then the start-up routine";
    EXPECT_EQ(delegates[1].parameters, "(  )");
    for (const DelegateMade& made : {delegates[0], delegates[1]}) {
        EXPECT_EQ(made.target, nullptr);
        EXPECT_EQ(made.flags, 0);
    }
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

// The application object's constructor and the main window's layout step,
// noted where they run among the start-up's calls.
using ConstructorCode = void(fw::Object*);
ConstructorCode* realAppConstructor = nullptr;
void constructorThatNotes(fw::Object* application)
{
    frameworkCalls().steps.emplace_back("App.Constructor");
    realAppConstructor(application);
}
void layoutThatNotes(fw::Object* window)
{
    frameworkCalls().steps.emplace_back("frmMain.Layout");
    frmMain::Layout(window);
}

TEST_F(StartupTest, ApplicationIsConstructedGivenItsMenuBarAndRegisteredBeforeTheMainWindowOpens)
{
    frameworkCalls().clear();
    SlotPatch constructor(App::__Lookup(), fw::Application::operationCount, constructorThatNotes);
    realAppConstructor = constructor.original<ConstructorCode>();
    auto* table = const_cast<fw::ClassTable*>(frmMain::__Lookup());
    fw::TypedCode original = table->events[static_cast<size_t>(table->eventIndex(fw::Event::Layout))].handler;
    table->events[static_cast<size_t>(table->eventIndex(fw::Event::Layout))].handler = fw::toCode(layoutThatNotes);
    startProgram();
    table->events[static_cast<size_t>(table->eventIndex(fw::Event::Layout))].handler = original;

    EXPECT_EQ(frameworkCalls().steps,
              (Steps{"App.Constructor", "Application.MenuBar set", "RuntimeRegisterAppObject", "frmMain.Layout"}));
    EXPECT_EQ(frameworkCalls().menuBarApplication, fw::registeredApplication());
    EXPECT_EQ(frameworkCalls().menuBarSet, MenuBar1::_implicitInstance::get())
        << "the application's menu bar is MenuBar1's single instance";
    EXPECT_NE(frameworkCalls().menuBarSet, nullptr);
    EXPECT_EQ(fw::objectProperty(fw::registeredApplication(), "MenuBar"), frameworkCalls().menuBarSet);
    EXPECT_EQ(desktop().calls, (std::vector<std::string>{"setMenuBar", "createWindow Tarvenholt Lirra Veriz 5.0"}));
    EXPECT_EQ(fw::registeredApplication()->classTable(), App::__Lookup());
    EXPECT_TRUE(desktop().window("Tarvenholt Lirra Veriz 5.0")->shown);
    ASSERT_TRUE(fw::RuntimeObjectIsa(percent__plugin_entrypoints.get(), fw::ObjectArray::__Lookup()));
    EXPECT_TRUE(static_cast<fw::ObjectArrayInstance*>(percent__plugin_entrypoints.get())->elements.empty())
        << "the plug-in entry-point table has no entries";
}

TEST_F(StartupTest, FinaliserReleasesTheModulesObjectsInOrderWithTheMenuBarLast)
{
    startProgram();
    fw::Ref<fw::Object> bar = fw::Ref<fw::Object>::retain(MenuBar1::_implicitInstance::get());
    const int32_t held = bar->referenceCount();
    frameworkCalls().clear();
    std::vector<int32_t> barReferences;
    frameworkCalls().beforeStep = [&](const std::string&) { barReferences.push_back(bar->referenceCount()); };
    percent_finalize();
    frameworkCalls().beforeStep = nullptr;

    EXPECT_EQ(frameworkCalls().steps, kFinaliserSteps);
    EXPECT_EQ(barReferences, std::vector<int32_t>(7, held)) << "no step before the last lets the menu bar go";
    EXPECT_EQ(bar->referenceCount(), held - 1) << "the last step releases the single instance's reference";
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    EXPECT_FALSE(fw::_mImplicitWindowList::exists());
    EXPECT_TRUE(fw::WindowSupport::Windows::all().empty());
    bar = nullptr;
    fw::RuntimeExit();
}

// An exception object of the test's own, raised from inside the program; the
// test holds it, so no other object can take its place in memory.
fw::Ref<fw::Object> raisedByTest;
void raiseTheTestsException() { fw::RuntimeReraiseException(raisedByTest.get()); }

void failingEditMenu(fw::Object*) { raiseTheTestsException(); }

TEST_F(StartupTest, ExceptionInTheStartUpSkipsTheLoopAndStillEndsInOrder)
{
    raisedByTest = fw::newRuntimeException(fw::NilObjectException::__Lookup(), "nil object");
    frameworkCalls().clear();
    {
        SlotPatch patch(MenuBar1::__Lookup(), fw::MenuBar::operationCount + 1, failingEditMenu);
        testing::internal::CaptureStderr();
        EXPECT_EQ(percent_main(), 1) << "a failure must not look like success";
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "framework: unhandled NilObjectException: nil object\n");
    }
    EXPECT_EQ(frameworkCalls().unhandled, std::vector<fw::Object*>{raisedByTest.get()})
        << "_UnhandledException gets the very object raised, once";
    EXPECT_EQ(fakeDesktop().loopsLastRun, 0) << "the event loop is never entered";
    EXPECT_EQ(fakeDesktop().callsLastRun, std::vector<std::string>{}) << "no main window opens";
    EXPECT_EQ(frameworkCalls().steps, kFinaliserSteps)
        << "the application gets no menu bar and is not registered; the finaliser still runs in order";
    EXPECT_EQ(MenuBar1::_implicitInstance::get(), nullptr);
    raisedByTest = nullptr;
}

void failingStop(fw::Object*, fw::Object*) { raiseTheTestsException(); }

TEST_F(StartupTest, ExceptionEscapingAHandlerEndsTheLoopAndReachesMain)
{
    raisedByTest = fw::newRuntimeException(fw::NilObjectException::__Lookup(), "nil object");
    frameworkCalls().clear();
    {
        SlotPatch patch(frmMain::__Lookup(), frmMain::slot(frmMain::Op::cmdStop_Action), failingStop);
        fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->click("cmdStop"); });
        fakeDesktop().nextScript.push_back([] { ADD_FAILURE() << "the loop went on after the exception"; });
        testing::internal::CaptureStderr();
        EXPECT_EQ(percent_main(), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "framework: unhandled NilObjectException: nil object\n");
    }
    EXPECT_EQ(frameworkCalls().unhandled, std::vector<fw::Object*>{raisedByTest.get()})
        << "_UnhandledException gets the very object raised, once";
    EXPECT_EQ(frameworkCalls().steps, withFinaliser({"Application.MenuBar set", "RuntimeRegisterAppObject"}));
    EXPECT_FALSE(fw::_mImplicitWindowList::exists());
    raisedByTest = nullptr;
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

void returnsNormally(void*) { raisedByTest = nullptr; }
void raisesTheTestsObject(void*) { raiseTheTestsException(); }

struct HelperCase {
    const char* what;
    void (*routine)(void*);
    const fw::ClassTable* (*raisedClass)(); // nil: raises nothing
    bool returned;                          // the object comes back as the result; otherwise raised again
};

TEST_F(StartupTest, ExceptionHelperTurnsRuntimeExceptionsIntoResults)
{
    const HelperCase cases[] = {
        {"a normal return", returnsNormally, nullptr, false},
        {"a RuntimeException", raisesTheTestsObject, fw::RuntimeException::__Lookup, true},
        {"a NilObjectException", raisesTheTestsObject, fw::NilObjectException::__Lookup, true},
        {"an IllegalCastException", raisesTheTestsObject, fw::IllegalCastException::__Lookup, true},
        {"an object that is no exception", raisesTheTestsObject, fw::ObjectClass::__Lookup, false},
    };
    for (const HelperCase& c : cases) {
        SCOPED_TRACE(c.what);
        frameworkCalls().clear();
        raisedByTest = c.raisedClass ? fw::RuntimeNewObject(c.raisedClass()) : nullptr;
        fw::Object* raised = raisedByTest.get();
        try {
            fw::Ref<fw::Object> result = _CallFunctionWithExceptionHandling(fw::toCode(c.routine), nullptr);
            EXPECT_EQ(result.get(), c.returned ? raised : nullptr) << "the result is the very object raised";
            EXPECT_TRUE(c.returned || !raised) << "an object that is no RuntimeException must be raised again";
        } catch (const fw::Raised& again) {
            EXPECT_FALSE(c.returned) << "a RuntimeException must come back as the result";
            EXPECT_EQ(again.exception.get(), raised);
        }
        ASSERT_EQ(frameworkCalls().delegates.size(), 1u) << "one delegate of the code for each call";
        EXPECT_EQ(frameworkCalls().delegates[0].code, fw::toCode(c.routine));
        EXPECT_EQ(frameworkCalls().delegates[0].parameters, "( Ptr )");
        EXPECT_EQ(frameworkCalls().delegates[0].target, nullptr);
        EXPECT_EQ(frameworkCalls().delegates[0].flags, 0);
        raisedByTest = nullptr;
    }
}

// With the display gone nothing is torn down: the speech stops, then one
// line, and the process ends on the spot, in the middle of the loop.
TEST_F(StartupTest, ALostDisplayStopsTheSpeechThenEndsTheProcessWithOneLineAndExitCodeOne)
{
    EXPECT_EXIT(
        {
            fakeDesktop().onSpeechReleased = [] { std::fputs("speech released\n", stderr); };
            fakeDesktop().nextScript.push_back([] { fakeDesktop().presentation->loseDisplay(":9"); });
            fakeDesktop().nextScript.push_back([] { std::fputs("the loop went on\n", stderr); });
            percent_main();
            std::fputs("the program ended as Quit ends it\n", stderr);
        },
        testing::ExitedWithCode(1), "^speech released\nframework: the connection to the display :9 was lost\n$");
}

} // namespace
