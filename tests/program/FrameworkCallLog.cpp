#include "tests/program/FrameworkCallLog.h"

#include "about/AboutPicture.h"
#include "app/Module.h"
#include "framework/classes/Application.h"
#include "framework/classes/EventLoop.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Properties.h"

FrameworkCallLog& frameworkCalls()
{
    static FrameworkCallLog log;
    return log;
}

void FrameworkCallLog::clear()
{
    steps.clear();
    beforeStep = nullptr;
    unhandled.clear();
    pictureGetterCalls = 0;
    listsBeforePictureGetter.clear();
    propertyLists.clear();
    delegates.clear();
    menuBarApplication = menuBarSet = nullptr;
}

// Each recorder is named __wrap_<symbol> and reaches the real function as
// __real_<symbol>; the symbols are listed in CMakeLists.txt.
#define LV_REAL(symbol) asm("__real_" #symbol)
#define LV_WRAP(symbol) asm("__wrap_" #symbol)

namespace {

void recordStep(const char* step)
{
    FrameworkCallLog& log = frameworkCalls();
    log.steps.emplace_back(step);
    if (log.beforeStep)
        log.beforeStep(log.steps.back());
}

} // namespace

// The module finaliser's seven releases.
void realDirtyWindowsExit() LV_REAL(_ZN2fw13WindowSupport13mDirtyWindows6__ExitEv);
void realWindowsExit() LV_REAL(_ZN2fw13WindowSupport7Windows6__ExitEv);
void realArrayMapExit() LV_REAL(_ZN2fw13Introspection9ArrayInfo9mArrayMap6__ExitEv);
void realClassFQNMapExit() LV_REAL(_ZN2fw13Introspection9ClassInfo17sClassFQNToRefMap6__ExitEv);
void realClassRefMapExit() LV_REAL(_ZN2fw13Introspection9ClassInfo12sClassRefMap6__ExitEv);
void realImplicitWindowListExit() LV_REAL(_ZN2fw20_mImplicitWindowList6__ExitEv);
void realMenuBarInstanceExit() LV_REAL(_ZN8MenuBar117_implicitInstance6__ExitEv);

void recordDirtyWindowsExit() LV_WRAP(_ZN2fw13WindowSupport13mDirtyWindows6__ExitEv);
void recordDirtyWindowsExit()
{
    recordStep("WindowSupport.mDirtyWindows.__Exit");
    realDirtyWindowsExit();
}
void recordWindowsExit() LV_WRAP(_ZN2fw13WindowSupport7Windows6__ExitEv);
void recordWindowsExit()
{
    recordStep("WindowSupport.Windows.__Exit");
    realWindowsExit();
}
void recordArrayMapExit() LV_WRAP(_ZN2fw13Introspection9ArrayInfo9mArrayMap6__ExitEv);
void recordArrayMapExit()
{
    recordStep("Introspection.ArrayInfo.mArrayMap.__Exit");
    realArrayMapExit();
}
void recordClassFQNMapExit() LV_WRAP(_ZN2fw13Introspection9ClassInfo17sClassFQNToRefMap6__ExitEv);
void recordClassFQNMapExit()
{
    recordStep("Introspection.ClassInfo.sClassFQNToRefMap.__Exit");
    realClassFQNMapExit();
}
void recordClassRefMapExit() LV_WRAP(_ZN2fw13Introspection9ClassInfo12sClassRefMap6__ExitEv);
void recordClassRefMapExit()
{
    recordStep("Introspection.ClassInfo.sClassRefMap.__Exit");
    realClassRefMapExit();
}
void recordImplicitWindowListExit() LV_WRAP(_ZN2fw20_mImplicitWindowList6__ExitEv);
void recordImplicitWindowListExit()
{
    recordStep("_mImplicitWindowList.__Exit");
    realImplicitWindowListExit();
}
void recordMenuBarInstanceExit() LV_WRAP(_ZN8MenuBar117_implicitInstance6__ExitEv);
void recordMenuBarInstanceExit()
{
    recordStep("MenuBar1._implicitInstance.__Exit");
    realMenuBarInstanceExit();
}

// Class registration.
fw::ClassTable* realNewClass(const fw::ClassTable*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)
    LV_REAL(_ZN2fw15RuntimeNewClassEPKNS_10ClassTableEiiiiii);
fw::ClassTable* recordNewClass(const fw::ClassTable*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)
    LV_WRAP(_ZN2fw15RuntimeNewClassEPKNS_10ClassTableEiiiiii);
fw::ClassTable* recordNewClass(const fw::ClassTable* parent, int32_t members, int32_t reserved1, int32_t events,
                               int32_t reserved2, int32_t properties, int32_t classAttributes)
{
    fw::ClassTable* table = realNewClass(parent, members, reserved1, events, reserved2, properties, classAttributes);
    frameworkCalls().classBuilds.push_back(
        {table, parent, members, reserved1, events, reserved2, properties, classAttributes});
    return table;
}

// The application object at start-up.
void realMenuBarSet(fw::Object*, int32_t, fw::Object*) LV_REAL(_ZN2fw11Application7MenuBar3SetEPNS_6ObjectEiS3_);
void recordMenuBarSet(fw::Object*, int32_t, fw::Object*) LV_WRAP(_ZN2fw11Application7MenuBar3SetEPNS_6ObjectEiS3_);
void recordMenuBarSet(fw::Object* application, int32_t zero, fw::Object* bar)
{
    recordStep("Application.MenuBar set");
    frameworkCalls().menuBarApplication = application;
    frameworkCalls().menuBarSet = bar;
    realMenuBarSet(application, zero, bar);
}
void realRegisterApp(fw::Object*) LV_REAL(_ZN2fw25_RuntimeRegisterAppObjectEPNS_6ObjectE);
void recordRegisterApp(fw::Object*) LV_WRAP(_ZN2fw25_RuntimeRegisterAppObjectEPNS_6ObjectE);
void recordRegisterApp(fw::Object* application)
{
    recordStep("RuntimeRegisterAppObject");
    realRegisterApp(application);
}

// The road of an exception that nothing caught.
void realUnhandled(fw::Object*) LV_REAL(_ZN2fw19_UnhandledExceptionEPNS_6ObjectE);
void recordUnhandled(fw::Object*) LV_WRAP(_ZN2fw19_UnhandledExceptionEPNS_6ObjectE);
void recordUnhandled(fw::Object* exception)
{
    frameworkCalls().unhandled.push_back(exception);
    realUnhandled(exception);
}

// The About picture getter.
fw::Ref<fw::Object> realPictureGetter() LV_REAL(_Z20AboutLirraRorovEzavev);
fw::Ref<fw::Object> recordPictureGetter() LV_WRAP(_Z20AboutLirraRorovEzavev);
fw::Ref<fw::Object> recordPictureGetter()
{
    ++frameworkCalls().pictureGetterCalls;
    frameworkCalls().listsBeforePictureGetter.push_back(frameworkCalls().propertyLists.size());
    return realPictureGetter();
}

// Property lists.
void realMassPropertySetter(fw::Object*, fw::String*)
    LV_REAL(_ZN2fw25RuntimeMassPropertySetterEPNS_6ObjectEPNS_6StringE);
void recordMassPropertySetter(fw::Object*, fw::String*)
    LV_WRAP(_ZN2fw25RuntimeMassPropertySetterEPNS_6ObjectEPNS_6StringE);
void recordMassPropertySetter(fw::Object* object, fw::String* list)
{
    frameworkCalls().propertyLists.push_back({object, list ? std::string(list->view()) : std::string()});
    realMassPropertySetter(object, list);
}

// Delegates.
fw::Ref<fw::DelegateInstance> realCreateDelegate(fw::TypedCode, fw::TypedCode, fw::Object*, fw::String*, int32_t)
    LV_REAL(_ZN2fw21RuntimeCreateDelegateENS_9TypedCodeES0_PNS_6ObjectEPNS_6StringEi);
fw::Ref<fw::DelegateInstance> recordCreateDelegate(fw::TypedCode, fw::TypedCode, fw::Object*, fw::String*, int32_t)
    LV_WRAP(_ZN2fw21RuntimeCreateDelegateENS_9TypedCodeES0_PNS_6ObjectEPNS_6StringEi);
fw::Ref<fw::DelegateInstance> recordCreateDelegate(fw::TypedCode invoker, fw::TypedCode code, fw::Object* target,
                                                   fw::String* parameters, int32_t flags)
{
    frameworkCalls().delegates.push_back(
        {invoker, code, target, parameters ? std::string(parameters->view()) : std::string(), flags});
    return realCreateDelegate(invoker, code, target, parameters, flags);
}
