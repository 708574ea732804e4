#include "tests/support/ProgramFixture.h"

#include "about/frmAbout.h"
#include "app/Module.h"
#include "framework/classes/EventLoop.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/Introspection.h"
#include "palette/frmMain.h"

void ProgramFixture::SetUpTestSuite()
{
    static bool warmedUp = false;
    if (warmedUp)
        return;
    warmedUp = true;
    // One whole run first: class tables, constant strings and the About
    // picture that the getter keeps live for the process, so they stand
    // outside every test's counts.
    fakeDesktop().nextScript.push_back([] {
        fakeDesktop().presentation->click("cmdAbout");
        fakeDesktop().presentation->click("cmdExit");
        fakeDesktop().presentation->click("cmdRead");
        fakeDesktop().presentation->click("PushButton2");
        fakeDesktop().presentation->chooseMenuItem("&Quit");
    });
    percent_main();

    // And every control accessor once, through introspection: the names
    // they look up are constants of the program too.
    fw::RuntimeInit();
    percent_initialize();
    _Startup();
    fw::Ref<fw::Object> main = frmMain::frmMain();
    fw::Ref<fw::Object> about = frmAbout::frmAbout();
    for (fw::Object* window : {main.get(), about.get()})
        for (const auto& member : fw::Introspection::GetMembers(window->classTable()))
            if (member.Kind() == fw::MemberKind::Operation && member.Parameters().empty() &&
                member.ResultType().starts_with("o<") && member.Name() != "Window" &&
                member.Name() != "Operator_Convert" && member.Name() != "TrueWindow" &&
                member.Name() != "__DependencyList")
                member.Invoke(window);
    main = about = nullptr;
    percent_finalize();
    fw::RuntimeExit();
}

void ProgramFixture::SetUp()
{
    objects_ = fw::liveObjectCount();
    strings_ = fw::liveStringCount();
}

void ProgramFixture::TearDown()
{
    if (running_)
        endProgram();
    EXPECT_EQ(fw::liveObjectCount(), objects_) << "an object leaked or was released once too often";
    EXPECT_EQ(fw::liveStringCount(), strings_) << "a string leaked or was released once too often";
}

void ProgramFixture::startProgram(std::optional<std::string> clipboard)
{
    fakeDesktop().nextClipboard = std::move(clipboard);
    fw::RuntimeInit();
    running_ = true;
    percent_initialize();
    _Startup();
}

void ProgramFixture::endProgram()
{
    running_ = false;
    percent_finalize();
    fw::RuntimeExit();
}

fw::Object* ProgramFixture::mainWindow()
{
    fw::Ref<fw::Object> window = frmMain::frmMain();
    return window.get(); // the single-instance list keeps it
}
