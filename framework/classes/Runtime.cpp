#include "framework/classes/Runtime.h"

#include "framework/classes/Application.h"
#include "framework/classes/Canvas.h"
#include "framework/classes/EventLoop.h"
#include "framework/classes/FolderItem.h"
#include "framework/classes/Label.h"
#include "framework/classes/MenuBar.h"
#include "framework/classes/Picture.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/QuitMenuItem.h"
#include "framework/classes/TextArea.h"
#include "framework/classes/Unsupported.h"
#include "framework/classes/Window.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/FatalError.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/TypeInfo.h"
#include "framework/runtime/Variant.h"

namespace fw {

namespace {

// The framework's classes after Window, in the order their tables are built.
const ClassTable* (*const kFrameworkClasses[])() = {
    ObjectClass::__Lookup,
    RuntimeException::__Lookup,
    NilObjectException::__Lookup,
    IllegalCastException::__Lookup,
    StackOverflowException::__Lookup,
    UnsupportedOperationException::__Lookup,
    WeakRef::__Lookup,
    Delegate::__Lookup,
    Variant::__Lookup,
    ObjectArray::__Lookup,
    Application::__Lookup,
    RectControl::__Lookup,
    PushButton::__Lookup,
    TextArea::__Lookup,
    Label::__Lookup,
    Canvas::__Lookup,
    MenuItem::__Lookup,
    MenuBar::__Lookup,
    QuitMenuItem::__Lookup,
    Picture::__Lookup,
    FolderItem::__Lookup,
    Introspection::ClassInfo::__Lookup,
    Introspection::ArrayInfo::__Lookup,
};

DesktopServicesFactory desktopServicesFactory = nullptr;

} // namespace

void provideDesktopServices(DesktopServicesFactory factory) { desktopServicesFactory = factory; }

void RuntimeInit()
{
    if (!desktopServicesFactory)
        fatalError("the runtime was started before any desktop services were provided");
    resetEventLoop();
    DesktopServices services = desktopServicesFactory();
    installServices(std::move(services.presentation), std::move(services.speech));
}

int32_t RuntimeExit()
{
    releaseApplication();
    releaseServices();
    // Tasks posted to the presentation went with it.
    WindowSupport::mDirtyWindows::forgetPostedFlush();
    MenuBar::forgetPostedRefresh();
    return pendingExitCode();
}

void _RuntimeInitExternalClasses() {}

void initializeFrameworkClasses()
{
    for (auto lookup : kFrameworkClasses)
        lookup();
}

Ref<Object> RuntimeAllocatePluginEntrypointsTable(int32_t count)
{
    auto table = static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
    table->elements.resize(static_cast<size_t>(std::max(count, 0)));
    return table;
}

} // namespace fw
