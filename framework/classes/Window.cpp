#include "framework/classes/Window.h"

#include "framework/classes/ClassEvents.h"
#include "framework/classes/RectControl.h"
#include "framework/classes/Services.h"
#include "framework/classes/Unsupported.h"
#include "framework/classes/UserActionDispatch.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/FrameworkClass.h"
#include "framework/runtime/ImplicitWindowList.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/ObjectArray.h"
#include "framework/runtime/Properties.h"

#include <iterator>

namespace fw {

namespace {

WindowInstance* asWindow(Object* window) { return static_cast<WindowInstance*>(window); }

enum DropKind : uint32_t { DropText = 1, DropPicture = 2, DropFile = 4, DropMacData = 8, DropRaw = 16 };

template <DropKind Kind>
void acceptDrop(Object* window, String*)
{
    asWindow(window)->acceptedDrops |= Kind;
}

template <Event Fired>
void fireEvent(Object* window)
{
    fireClassEvent(window, Fired);
}

constexpr char kShowModal[] = "Window.ShowModal", kShowModalWithin[] = "Window.ShowModalWithin",
               kSetFocus[] = "Window.SetFocus", kDrawInto[] = "Window.DrawInto",
               kDrawBackground[] = "Window._DrawBackground", kAddMenuHandler[] = "Window._AddMenuHandler",
               kMaximize[] = "Window.Maximize", kMinimize[] = "Window.Minimize", kRestore[] = "Window.Restore",
               kFocusNext[] = "Window.FocusNext", kFocusPrevious[] = "Window.FocusPrevious";

void ShowWithin(Object* window, Object*) { Window::Show(window); }
void Refresh(Object* window) { WindowSupport::mDirtyWindows::add(window); }
void RefreshRect(Object* window, int32_t, int32_t, int32_t, int32_t) { Refresh(window); }
void UpdateNow(Object* window) { asWindow(window)->syncView(); }

Ref<Object> ControlAt(Object* window, int32_t index)
{
    auto& controls = asWindow(window)->controls;
    if (index < 0 || static_cast<size_t>(index) >= controls.size())
        return nullptr;
    return controls[static_cast<size_t>(index)].second;
}

Ref<Object> Self(Object* window) { return Ref<Object>::retain(window); }

void Move(Object* window, int32_t left, int32_t top)
{
    setProperty(window, "Left", left);
    setProperty(window, "Top", top);
}

bool HandleMenuCommand(Object*, String*) { return false; }

void RemoveControl(Object* window, Object* control)
{
    auto& controls = asWindow(window)->controls;
    for (auto it = controls.begin(); it != controls.end(); ++it)
        if (it->second.get() == control) {
            Ref<Object> removed = std::move(it->second);
            controls.erase(it);
            RectControl::detach(removed.get());
            return;
        }
}

Ref<Object> DependencyList(Object* window)
{
    auto list = static_ref_cast<ObjectArrayInstance>(RuntimeNewObject(ObjectArray::__Lookup()));
    for (auto& [name, control] : asWindow(window)->controls)
        list->elements.push_back(control);
    return list;
}

Ref<Object> ControlByNameIndex(Object* window, String* name, int32_t index)
{
    for (auto& [controlName, control] : asWindow(window)->controls)
        if (name && controlName->view() == name->view() && intProperty(control.get(), "Index") == index)
            return control;
    return nullptr;
}

// The framework's empty hook before a window is constructed.
void _UITrap() {}

void WindowDefaultConstructor(Object* window)
{
    fireClassEvent(window, Event::Layout);
    fireClassEvent(window, Event::CreateControls);
    WindowInstance* self = asWindow(window);
    presentation().createWindow(self->viewId, self->look());
    userActionDispatch().registerView(self->viewId, window);
    self->viewCreated = true;
    for (auto& [name, control] : self->controls)
        RectControl::attachView(control.get(), window);
    registerImplicitWindow(window);
    WindowSupport::Windows::add(window);
    fireClassEvent(window, Event::Open);
    if (boolProperty(window, "Visible"))
        presentation().showWindow(self->viewId);
}

bool cancelClose(Object* window, bool quitting)
{
    return callEventHandler<bool>(window, Event::CancelClose, quitting);
}

using W = Window::Op;

const OperationRow kOperations[] = {
    // name                  code                                                   signature
    {"Show", toCode(Window::Show), "%%", invokeNoResult},
    {"ShowWithin", toCode(ShowWithin), "%%o<Window>"},
    {"ShowModalWithin", toCode(unsupportedOperation<kShowModalWithin, void, Object*>), "%%o<Window>"},
    {"Hide", toCode(Window::Hide), "%%", invokeNoResult},
    {"Close", toCode(Window::Close), "%%", invokeNoResult},
    {"Refresh", toCode(Refresh), "%%", invokeNoResult},
    {"RefreshRect", toCode(RefreshRect), "%%i4i4i4i4"},
    {"ShowModal", toCode(unsupportedOperation<kShowModal>), "%%", invokeNoResult},
    {"AcceptTextDrop", toCode(acceptDrop<DropText>), "%%s"},
    {"AcceptPictureDrop", toCode(acceptDrop<DropPicture>), "%%s"},
    {"AcceptFileDrop", toCode(acceptDrop<DropFile>), "%%s"},
    {"AcceptMacDataDrop", toCode(acceptDrop<DropMacData>), "%%s"},
    {"AcceptRawDataDrop", toCode(acceptDrop<DropRaw>), "%%s"},
    {"Control", toCode(ControlAt), "%o<RectControl>%i4"},
    {"SetFocus", toCode(unsupportedOperation<kSetFocus>), "%%", invokeNoResult},
    {"DrawInto", toCode(unsupportedOperation<kDrawInto, void, Object*, int32_t, int32_t>), "%%o<Graphics>i4i4"},
    {"_DrawBackground", toCode(unsupportedOperation<kDrawBackground, void, Object*>), "%%o<Graphics>"},
    {"UpdateNow", toCode(UpdateNow), "%%", invokeNoResult},
    {"_AddControl", toCode(Window::_AddControl), "%%so<RectControl>"},
    {"_AddMenuHandler", toCode(unsupportedOperation<kAddMenuHandler, void, String*, Object*>), "%%so<Delegate>"},
    {"Window", toCode(Self), "%o<Window>%", invokeReturnsObject},
    {"Operator_Convert", toCode(Self), "%o<Window>%", invokeReturnsObject},
    {"__New", toCode(Window::__New), "%o<RectControl>%p"},
    {"_Move", toCode(Move), "%%i4i4"},
    {"Maximize", toCode(unsupportedOperation<kMaximize>), "%%", invokeNoResult},
    {"Minimize", toCode(unsupportedOperation<kMinimize>), "%%", invokeNoResult},
    {"Restore", toCode(unsupportedOperation<kRestore>), "%%", invokeNoResult},
    {"_Update", toCode(UpdateNow), "%%", invokeNoResult},
    {"_CallMoved", toCode(fireEvent<Event::Moved>), "%%", invokeNoResult},
    {"_EnableMenuItems", toCode(fireEvent<Event::EnableMenuItems>), "%%", invokeNoResult},
    {"_CallActivated", toCode(fireEvent<Event::Activate>), "%%", invokeNoResult},
    {"_CallDeactivated", toCode(fireEvent<Event::Deactivate>), "%%", invokeNoResult},
    {"_HandleMenuCommand", toCode(HandleMenuCommand), "%b%s"},
    {"_UnifiedClose", toCode(Window::_UnifiedClose), "%b%b"},
    {"_CallMouseDown", toCode(fireEvent<Event::MouseDown>), "%%", invokeNoResult},
    {"_CallResized", toCode(fireEvent<Event::Resized>), "%%", invokeNoResult},
    {"_CallResizing", toCode(fireEvent<Event::Resizing>), "%%", invokeNoResult},
    {"_RemoveControl", toCode(RemoveControl), "%%o<RectControl>"},
    {"_MouseEnter", toCode(fireEvent<Event::MouseEnter>), "%%", invokeNoResult},
    {"_MouseExit", toCode(fireEvent<Event::MouseExit>), "%%", invokeNoResult},
    {"_MouseMove", toCode(fireEvent<Event::MouseMove>), "%%", invokeNoResult},
    {"_Paint", toCode(fireEvent<Event::Paint>), "%%", invokeNoResult},
    {"_MouseWheel", toCode(fireEvent<Event::MouseWheel>), "%%", invokeNoResult},
    {"_KeyDown", toCode(fireEvent<Event::KeyDown>), "%%", invokeNoResult},
    {"__DependencyList", toCode(DependencyList), "%o<ObjectArray>%", invokeReturnsObject},
    {"Constructor", toCode(Window::Constructor), "%%", invokeNoResult},
    {"TrueWindow", toCode(Self), "%o<Window>%", invokeReturnsObject},
    {"FocusNext", toCode(unsupportedOperation<kFocusNext>), "%%", invokeNoResult},
    {"FocusPrevious", toCode(unsupportedOperation<kFocusPrevious>), "%%", invokeNoResult},
    {"_ControlByName", toCode(Window::_ControlByName), "%o<RectControl>%s"},
    {"_ControlByNameIndex", toCode(ControlByNameIndex), "%o<RectControl>%si4"},
};
static_assert(std::size(kOperations) == Window::operationCount);

constexpr PropertyRow kProperties[] = {
    // name              kind
    {"Placement", ValueKind::Int32},
    {"Width", ValueKind::Int32},
    {"Height", ValueKind::Int32},
    {"MinWidth", ValueKind::Int32},
    {"MinHeight", ValueKind::Int32},
    {"MaxWidth", ValueKind::Int32},
    {"MaxHeight", ValueKind::Int32},
    {"Frame", ValueKind::Int32},
    {"Composite", ValueKind::Boolean},
    {"HasBackColor", ValueKind::Boolean},
    {"BackColor", ValueKind::Colour},
    {"Title", ValueKind::Text},
    {"Visible", ValueKind::Boolean},
    {"FullScreen", ValueKind::Boolean},
    {"MenuBarVisible", ValueKind::Boolean},
    {"CloseButton", ValueKind::Boolean},
    {"Resizeable", ValueKind::Boolean},
    {"LiveResize", ValueKind::Boolean},
    {"MaximizeButton", ValueKind::Boolean},
    {"MinimizeButton", ValueKind::Boolean},
    {"MacProcID", ValueKind::Int32},
    {"Left", ValueKind::Int32},
    {"Top", ValueKind::Int32},
    {"ContentsChanged", ValueKind::Boolean},
    {"Backdrop", ValueKind::Object},
    {"MenuBar", ValueKind::Object},
    {"MouseCursor", ValueKind::Object},
    {"Focus", ValueKind::Object},
    {"Handle", ValueKind::Int32},
    {"MouseX", ValueKind::Int32},
    {"MouseY", ValueKind::Int32},
    {"ControlCount", ValueKind::Int32},
    {"ImplicitInstance", ValueKind::Boolean},
    {"Modified", ValueKind::Boolean},
    {"Graphics", ValueKind::Object},
    {"Name", ValueKind::Text},
    {"HelpTag", ValueKind::Text},
    {"Enabled", ValueKind::Boolean},
    {"DefaultButton", ValueKind::Object},
    {"CancelButton", ValueKind::Object},
    {"AcceptFocus", ValueKind::Boolean},
    {"BalloonHelp", ValueKind::Boolean},
    {"DockItem", ValueKind::Object},
    {"HasFocusRing", ValueKind::Boolean},
    {"ToolbarVisible", ValueKind::Boolean},
    {"DoubleBuffer", ValueKind::Boolean},
    {"EraseBackground", ValueKind::Boolean},
    {"Transparent", ValueKind::Boolean},
    {"Tag", ValueKind::Object},
};
static_assert(std::size(kProperties) == 49);

constexpr Event kEvents[] = {
    Event::Layout, Event::CreateControls, Event::AddMenuHandlers, Event::SetupBindings, Event::Open,
    Event::Close, Event::CancelClose, Event::KeyDown, Event::KeyUp, Event::MouseMove, Event::MouseEnter,
    Event::MouseExit, Event::Paint, Event::MouseDown, Event::MouseDrag, Event::MouseUp, Event::EnableMenuItems,
    Event::Resized, Event::Resizing, Event::Moved, Event::DropObject, Event::Activate, Event::Deactivate,
    Event::Minimize, Event::Maximize, Event::Restore, Event::MouseWheel, Event::ConstructContextualMenu,
    Event::ContextualMenuAction, Event::DragEnter, Event::DragExit, Event::DragOver, Event::ContentsChanged,
};
static_assert(std::size(kEvents) == 33);

constexpr ConstantRow kConstants[] = {
    // name                       value
    {"FrameTypeDocument", 0},
    {"FrameTypeMovableModal", 1},
    {"FrameTypeModal", 2},
    {"FrameTypeFloating", 3},
    {"FrameTypePlainBox", 4},
    {"FrameTypeShadowedBox", 5},
    {"FrameTypeRounded", 6},
    {"FrameTypeGlobalFloating", 7},
    {"FrameTypeSheet", 8},
    {"FrameTypeMetal", 9},
    {"FrameTypeDrawer", 10},
    {"FrameTypeModelessDialog", 11},
    {"PlacementDefault", 0},
    {"PlacementParent", 1},
    {"PlacementMainScreen", 2},
    {"PlacementParentScreen", 3},
    {"PlacementStagger", 4},
    {"DropText", DropText},
    {"DropPicture", DropPicture},
    {"DropFile", DropFile},
    {"DropMacData", DropMacData},
    {"DropRaw", DropRaw},
    {"StateNormal", 0},
    {"StateMinimized", 1},
    {"StateMaximized", 2},
    {"StateFullScreen", 3},
    {"StateHidden", 4},
    {"CloseByUser", 0},
    {"CloseByProgram", 1},
    {"CloseByQuit", 2},
};
static_assert(std::size(kOperations) + std::size(kProperties) + std::size(kConstants) == Window::memberCount);
static_assert(std::size(kEvents) == Window::eventCount && std::size(kProperties) == Window::propertyCount);

ui::Rgb rgb(Colour colour) { return {colour.red, colour.green, colour.blue}; }

} // namespace

WindowInstance::WindowInstance(const ClassTable* classTable) : Object(classTable), viewId(newViewId()) {}

WindowInstance::~WindowInstance()
{
    for (auto& [name, control] : controls)
        RectControl::detach(control.get());
    if (viewCreated && servicesInstalled()) {
        userActionDispatch().unregisterView(viewId);
        presentation().destroyWindow(viewId);
    }
}

void WindowInstance::propertyChanged(uint32_t)
{
    if (viewCreated && !closed)
        WindowSupport::mDirtyWindows::add(this);
}

ui::WindowLook WindowInstance::look() const
{
    return {
        .title = std::string(textProperty(this, "Title")),
        .left = intProperty(this, "Left"),
        .top = intProperty(this, "Top"),
        .width = intProperty(this, "Width"),
        .height = intProperty(this, "Height"),
        .frame = intProperty(this, "Frame"),
        .placement = intProperty(this, "Placement"),
        .hasBackColor = boolProperty(this, "HasBackColor"),
        .backColor = rgb(colourProperty(this, "BackColor")),
        .closeButton = boolProperty(this, "CloseButton"),
        .minimizeButton = boolProperty(this, "MinimizeButton"),
        .maximizeButton = boolProperty(this, "MaximizeButton"),
        .resizeable = boolProperty(this, "Resizeable"),
        .fullScreen = boolProperty(this, "FullScreen"),
    };
}

void WindowInstance::syncView()
{
    if (!viewCreated || closed)
        return;
    presentation().updateWindow(viewId, look());
    for (auto& [name, control] : controls)
        RectControl::syncView(control.get());
}

namespace Window {

const ClassTable* __Lookup()
{
    static const ClassTable* table = buildFrameworkClass({
        .name = "Window",
        .parent = ObjectClass::__Lookup,
        .createInstance = createInstanceOf<WindowInstance>,
        .instanceSize = sizeof(WindowInstance),
        .operations = kOperations,
        .properties = kProperties,
        .events = kEvents,
        .constants = kConstants,
    });
    return table;
}

void Show(Object* window)
{
    WindowInstance* self = asWindow(window);
    if (!self->viewCreated || self->closed)
        return;
    self->syncView();
    presentation().showWindow(self->viewId);
    window->propertyValues()[propertySlot(window->classTable(), "Visible")] = true;
}

void Hide(Object* window)
{
    WindowInstance* self = asWindow(window);
    if (!self->viewCreated || self->closed)
        return;
    presentation().hideWindow(self->viewId);
    window->propertyValues()[propertySlot(window->classTable(), "Visible")] = false;
}

void Close(Object* window) { _UnifiedClose(window, false); }

void Constructor(Object* window)
{
    _UITrap();
    WindowDefaultConstructor(window);
    setProperty(window, "ContentsChanged", false);
}

Ref<Object> __New(Object* window, const ClassTable* controlClass)
{
    Ref<Object> control = RuntimeNewObject(controlClass);
    RectControl::setOwner(control.get(), window);
    return control;
}

void _AddControl(Object* window, String* name, Object* control)
{
    WindowInstance* self = asWindow(window);
    self->controls.emplace_back(Ref<String>::retain(name), Ref<Object>::retain(control));
    setProperty(control, "Name", Ref<String>::retain(name));
    setProperty(window, "ControlCount", static_cast<int32_t>(self->controls.size()));
    if (self->viewCreated)
        RectControl::attachView(control, window);
}

Ref<Object> _ControlByName(Object* window, String* name)
{
    if (!name)
        return nullptr;
    for (auto& [controlName, control] : asWindow(window)->controls)
        if (controlName->view() == name->view())
            return control;
    return nullptr;
}

bool _UnifiedClose(Object* window, bool quitting)
{
    WindowInstance* self = asWindow(window);
    if (self->closed)
        return true;
    if (cancelClose(window, quitting))
        return false;
    Ref<Object> keepAlive = Ref<Object>::retain(window);
    fireClassEvent(window, Event::Close);
    self->closed = true;
    for (auto& [name, control] : self->controls)
        callOperation(control.get(), RectControl::slot(RectControl::Op::Close));
    if (self->viewCreated) {
        userActionDispatch().unregisterView(self->viewId);
        presentation().destroyWindow(self->viewId);
        self->viewCreated = false;
    }
    WindowSupport::Windows::remove(window);
    removeImplicitWindow(window);
    return true;
}

} // namespace Window

} // namespace fw
