#include "app/Module.h"

#include "about/frmAbout.h"
#include "app/App.h"
#include "framework/classes/Application.h"
#include "framework/classes/EventLoop.h"
#include "framework/classes/Runtime.h"
#include "framework/classes/Window.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/TypeInfo.h"
#include "glue/ActionGlue.h"
#include "palette/MenuBar1.h"
#include "palette/frmMain.h"

#include <exception>

fw::Ref<fw::Object> percent__plugin_entrypoints;

namespace {

// Makes a delegate without a target, for its code pointer only.
fw::Ref<fw::DelegateInstance> codeDelegate(fw::TypedCode invoker, fw::TypedCode code, std::string_view parameters)
{
    fw::Ref<fw::String> list = fw::makeString(parameters);
    return fw::RuntimeCreateDelegate(invoker, code, nullptr, list.get(), fw::DelegateHoldsTarget);
}

fw::TypedCode codeOf(const fw::Ref<fw::DelegateInstance>& delegate)
{
    return delegate ? delegate->code : fw::TypedCode{};
}

} // namespace

int32_t percent_main()
{
    fw::RuntimeInit();
    percent_initialize();
    _Main();
    percent_finalize();
    return fw::RuntimeExit();
}

void percent_initialize()
{
    fw::Window::__Lookup();
    fw::WindowSupport::Windows::__Init();
    fw::initializeFrameworkClasses();
    App::__ctblinit();
    frmMain::__ctblinit();
    MenuBar1::__ctblinit();
    frmAbout::__ctblinit();
}

void _Main()
{
    fw::Ref<fw::Object> caught;
    bool raised = false;
    try {
        {
            fw::Ref<fw::DelegateInstance> helper =
                codeDelegate(fw::toCode(Delegate_Invoke_PtrPtr), fw::toCode(_CallFunctionWithExceptionHandling),
                             "( Ptr, Ptr ) as Object");
            fw::_RuntimeSetExceptionHelper(codeOf(helper));
        }
        {
            fw::Ref<fw::DelegateInstance> startup =
                codeDelegate(fw::toCode(Delegate_Invoke), fw::toCode(_Startup), "(  )");
            fw::_RunFrameworkInitialization(codeOf(startup));
        }
        fw::_RuntimeRun();
    } catch (const fw::Raised& exception) {
        caught = exception.exception;
        raised = true;
    } catch (...) {
        // A C++ exception from below the runtime (out of memory, say) ends
        // the run in the same order as a runtime one.
        caught = fw::runtimeExceptionFor(std::current_exception());
        raised = true;
    }
    if (raised)
        fw::_UnhandledException(caught.get());
}

void percent_finalize()
{
    fw::WindowSupport::mDirtyWindows::__Exit();
    fw::WindowSupport::Windows::__Exit();
    fw::Introspection::ArrayInfo::mArrayMap::__Exit();
    fw::Introspection::ClassInfo::sClassFQNToRefMap::__Exit();
    fw::Introspection::ClassInfo::sClassRefMap::__Exit();
    fw::_mImplicitWindowList::__Exit();
    MenuBar1::_implicitInstance::__Exit();
}

void _Startup()
{
    fw::_RuntimeInitExternalClasses();
    _InitPluginEntrypoints();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
    _MakeDefaultView();
}

void _InitFileTypes() {}
void _ApplicationAddMenuHandlers() {}

void _InitPluginEntrypoints() { percent__plugin_entrypoints = fw::RuntimeAllocatePluginEntrypointsTable(0); }

void _NewAppInstance()
{
    fw::Ref<fw::Object> application = fw::RuntimeNewObject(App::__Lookup());
    fw::callOperation(application.get(), fw::slot(App::Op::Constructor));
    if (!application)
        fw::RaiseNilObjectException();
    {
        fw::Ref<fw::Object> bar = MenuBar1::MenuBar1();
        fw::Application::MenuBar::Set(application.get(), 0, bar.get());
    }
    fw::_RuntimeRegisterAppObject(application.get());
}

void _MakeDefaultView() { fw::Ref<fw::Object> window = frmMain::frmMain(); }

fw::Ref<fw::Object> _CallFunctionWithExceptionHandling(fw::TypedCode code, void* argument)
{
    fw::Ref<fw::DelegateInstance> routine = codeDelegate(fw::toCode(Delegate_Invoke_Ptr), code, "( Ptr )");
    try {
        if (!routine)
            fw::RaiseNilObjectException();
        Delegate_Invoke_Ptr(routine.get(), argument);
    } catch (const fw::Raised& raised) {
        if (fw::RuntimeObjectIsa(raised.exception.get(), fw::RuntimeException::__Lookup()))
            return raised.exception;
        throw;
    }
    return nullptr;
}
