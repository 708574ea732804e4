#include "framework/classes/Application.h"

#include "framework/classes/ClassEvents.h"
#include "framework/classes/FolderItem.h"
#include "framework/classes/MenuBar.h"
#include "framework/classes/Unsupported.h"
#include "framework/runtime/ClassDescription.h"
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

constexpr OperationRow kOperations[] = {
    // function, name, signature
    op<&fireEvent<Event::NewDocument>>("NewDocument", "%%"),
    op<&OpenDocument>("OpenDocument", "%%o<FolderItem>"),
    op<&unsupportedOperation<kDoEvents, void, int32_t>>("DoEvents", "%%i4"),
    op<&unsupportedOperation<kAddMenuHandler, void, String*, Object*>>("_AddMenuHandler", "%%so<Delegate>"),
    op<&unsupportedOperation<kAddPollable, void, Object*>>("_AddPollableObject", "%%o<Object>"),
    op<&unsupportedOperation<kRemovePollable, void, Object*>>("_RemovePollableObject", "%%o<Object>"),
    op<&unsupportedOperation<kAddTray, void, Object*>>("AddTrayItem", "%%o<TrayItem>"),
    op<&unsupportedOperation<kRemoveTray, void, Object*>>("RemoveTrayItem", "%%o<TrayItem>"),
    op<&YieldToNextThread>("YieldToNextThread", "%%"),
    op<&SleepCurrentThread>("SleepCurrentThread", "%%i4"),
    op<&unsupportedOperation<kDoSingleEvent>>("_DoSingleEvent", "%%"),
    op<&fireEvent<Event::EnableMenuItems>>("_EnableMenuItems", "%%"),
    op<&fireEvent<Event::Open>>("_CallOpen", "%%"),
    op<&HandleMenuCommand>("_HandleMenuCommand", "%b%s"),
    op<&LoadPictureFromBundle>("_LoadPictureFromBundle", "%o<Picture>%s"),
    op<&unsupportedOperation<kLoadSound, Ref<Object>, String*>>("_LoadBundleSound", "%o<Sound>%s"),
    op<&DependencyList>("__DependencyList", "%o<ObjectArray>%"),
};
static_assert(std::size(kOperations) == Application::operationCount);

// clang-format off
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
// clang-format on

// clang-format off
constexpr Event kEvents[] = {
    Event::Open, Event::Close, Event::CancelClose, Event::NewDocument, Event::OpenDocument,
    Event::Activate, Event::Deactivate, Event::EnableMenuItems, Event::UnhandledException, Event::Quit,
};
// clang-format on

// clang-format off
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
// clang-format on

struct ApplicationInstance : Object {
    using Object::Object;
};

constexpr ClassDescription kDescription = {
    .name = "Application",
    .parent = ObjectClass::__Lookup,
    .instances = instancesOf<ApplicationInstance>,
    .operations = kOperations,
    .properties = kProperties,
    .events = kEvents,
    .constants = kConstants,
};
static_assert(totalsOf({}, kDescription) == Application::kTotals);

} // namespace

namespace Application {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, kDescription);
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
