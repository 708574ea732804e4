#include "framework/classes/Application.h"

#include "framework/classes/ClassEvents.h"
#include "framework/classes/FolderItem.h"
#include "framework/classes/MenuBar.h"
#include "framework/classes/Unsupported.h"
#include "framework/runtime/FrameworkClass.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/Properties.h"

#include <chrono>
#include <iterator>
#include <thread>

namespace fw {

namespace {

Ref<Object> theApplication;

template <Event Fired>
void fireEvent(Object* application)
{
    fireClassEvent(application, Fired);
}
void OpenDocument(Object* application, Object*) { fireClassEvent(application, Event::OpenDocument); }
void YieldToNextThread(Object*) { std::this_thread::yield(); }
void SleepCurrentThread(Object*, int32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
}
bool HandleMenuCommand(Object*, String*) { return false; }

Ref<Object> LoadPictureFromBundle(Object*, String* name)
{
    Ref<Object> resources = _GetApplicationBundleResources();
    if (!resources)
        return nullptr;
    Ref<Object> file = FolderItem::Child(resources.get(), name);
    return file ? FolderItem::OpenAsPicture(file.get()) : nullptr;
}

Ref<Object> DependencyList(Object* application)
{
    auto list = static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
    list->elements.push_back(Ref<Object>::retain(objectProperty(application, "MenuBar")));
    return list;
}

constexpr char kDoEvents[] = "Application.DoEvents", kAddMenuHandler[] = "Application._AddMenuHandler",
               kAddPollable[] = "Application._AddPollableObject",
               kRemovePollable[] = "Application._RemovePollableObject", kAddTray[] = "Application.AddTrayItem",
               kRemoveTray[] = "Application.RemoveTrayItem", kDoSingleEvent[] = "Application._DoSingleEvent",
               kLoadSound[] = "Application._LoadBundleSound";

const OperationRow kOperations[] = {
    // name                    code                                                         signature
    {"NewDocument", toCode(fireEvent<Event::NewDocument>), "%%", invokeNoResult},
    {"OpenDocument", toCode(OpenDocument), "%%o<FolderItem>"},
    {"DoEvents", toCode(unsupportedOperation<kDoEvents, void, int32_t>), "%%i4"},
    {"_AddMenuHandler", toCode(unsupportedOperation<kAddMenuHandler, void, String*, Object*>), "%%so<Delegate>"},
    {"_AddPollableObject", toCode(unsupportedOperation<kAddPollable, void, Object*>), "%%o<Object>"},
    {"_RemovePollableObject", toCode(unsupportedOperation<kRemovePollable, void, Object*>), "%%o<Object>"},
    {"AddTrayItem", toCode(unsupportedOperation<kAddTray, void, Object*>), "%%o<TrayItem>"},
    {"RemoveTrayItem", toCode(unsupportedOperation<kRemoveTray, void, Object*>), "%%o<TrayItem>"},
    {"YieldToNextThread", toCode(YieldToNextThread), "%%", invokeNoResult},
    {"SleepCurrentThread", toCode(SleepCurrentThread), "%%i4"},
    {"_DoSingleEvent", toCode(unsupportedOperation<kDoSingleEvent>), "%%", invokeNoResult},
    {"_EnableMenuItems", toCode(fireEvent<Event::EnableMenuItems>), "%%", invokeNoResult},
    {"_CallOpen", toCode(fireEvent<Event::Open>), "%%", invokeNoResult},
    {"_HandleMenuCommand", toCode(HandleMenuCommand), "%b%s"},
    {"_LoadPictureFromBundle", toCode(LoadPictureFromBundle), "%o<Picture>%s"},
    {"_LoadBundleSound", toCode(unsupportedOperation<kLoadSound, Ref<Object>, String*>), "%o<Sound>%s"},
    {"__DependencyList", toCode(DependencyList), "%o<ObjectArray>%", invokeReturnsObject},
};
static_assert(std::size(kOperations) == Application::operationCount);

constexpr PropertyRow kProperties[] = {
    // name               kind
    {"MenuBar", ValueKind::Object},
    {"AutoQuit", ValueKind::Boolean},
    {"ExecutableFile", ValueKind::Object},
    {"MajorVersion", ValueKind::Int32},
    {"MinorVersion", ValueKind::Int32},
    {"BugVersion", ValueKind::Int32},
    {"StageCode", ValueKind::Int32},
    {"NonReleaseVersion", ValueKind::Int32},
    {"ShortVersion", ValueKind::Text},
    {"LongVersion", ValueKind::Text},
    {"PackageInfo", ValueKind::Text},
    {"Name", ValueKind::Text},
    {"CurrentThread", ValueKind::Object},
    {"MouseCursor", ValueKind::Object},
    {"WindowCount", ValueKind::Int32},
    {"ExitCode", ValueKind::Int32},
    {"AcceptFileTypes", ValueKind::Text},
    {"Active", ValueKind::Boolean},
    {"ResourcesFolder", ValueKind::Object},
};
static_assert(std::size(kProperties) == 19);

constexpr Event kEvents[] = {
    Event::Open, Event::Close, Event::CancelClose, Event::NewDocument, Event::OpenDocument,
    Event::Activate, Event::Deactivate, Event::EnableMenuItems, Event::UnhandledException, Event::Quit,
};
static_assert(std::size(kEvents) == 10);

constexpr ConstantRow kConstants[] = {
    // name                value
    {"StageDevelopment", 0},
    {"StageAlpha", 1},
    {"StageBeta", 2},
    {"StageFinal", 3},
    {"ExitSuccess", 0},
    {"ExitFailure", 1},
    {"FontUnitDefault", 0},
    {"FontUnitPixel", 1},
    {"FontUnitPoint", 2},
    {"FontUnitInch", 3},
    {"FontUnitMillimeter", 4},
};
static_assert(std::size(kOperations) + std::size(kProperties) + std::size(kConstants) == Application::memberCount);
static_assert(std::size(kEvents) == Application::eventCount && std::size(kProperties) == Application::propertyCount);

struct ApplicationInstance : Object {
    using Object::Object;
};

} // namespace

namespace Application {

const ClassTable* __Lookup()
{
    static const ClassTable* table = buildFrameworkClass({
        .name = "Application",
        .parent = ObjectClass::__Lookup,
        .createInstance = createInstanceOf<ApplicationInstance>,
        .instanceSize = sizeof(ApplicationInstance),
        .operations = kOperations,
        .properties = kProperties,
        .events = kEvents,
        .constants = kConstants,
    });
    return table;
}

namespace MenuBar {
void Set(Object* application, int32_t, Object* bar)
{
    setProperty(application, "MenuBar", Ref<Object>::retain(bar));
    fw::MenuBar::install(bar);
}
} // namespace MenuBar

} // namespace Application

void _RuntimeRegisterAppObject(Object* application) { theApplication = Ref<Object>::retain(application); }

Object* registeredApplication() { return theApplication.get(); }

void releaseApplication()
{
    fw::MenuBar::install(nullptr);
    Ref<Object> held = std::move(theApplication);
}

} // namespace fw
