#include "framework/classes/Window.h"

#include "framework/classes/ClassEvents.h"
#include "framework/classes/RectControl.h"
#include "framework/classes/Services.h"
#include "framework/classes/Unsupported.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/ImplicitWindowList.h"
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
    presentation().createWindow(self->view.id(), self->look());
    self->view.bind(window);
    for (auto& [name, control] : self->controls)
        RectControl::attachView(control.get(), window);
    registerImplicitWindow(window);
    WindowSupport::Windows::add(window);
    fireClassEvent(window, Event::Open);
    if (boolProperty(window, "Visible"))
        presentation().showWindow(self->view.id());
}

bool cancelClose(Object* window, bool quitting) { return callEventHandler<bool>(window, Event::CancelClose, quitting); }

using W = Window::Op;

constexpr OperationRow kOperations[] = {
    // function, slot, name, signature
    op<&Window::Show>(W::Show, "Show", "%%"),
    op<&ShowWithin>(W::ShowWithin, "ShowWithin", "%%o<Window>"),
    op<&unsupportedOperation<kShowModalWithin, void, Object*>>(W::ShowModalWithin, "ShowModalWithin", "%%o<Window>"),
    op<&Window::Hide>(W::Hide, "Hide", "%%"),
    op<&Window::Close>(W::Close, "Close", "%%"),
    op<&Refresh>(W::Refresh, "Refresh", "%%"),
    op<&RefreshRect>(W::RefreshRect, "RefreshRect", "%%i4i4i4i4"),
    op<&unsupportedOperation<kShowModal>>(W::ShowModal, "ShowModal", "%%"),
    op<&acceptDrop<DropText>>(W::AcceptTextDrop, "AcceptTextDrop", "%%s"),
    op<&acceptDrop<DropPicture>>(W::AcceptPictureDrop, "AcceptPictureDrop", "%%s"),
    op<&acceptDrop<DropFile>>(W::AcceptFileDrop, "AcceptFileDrop", "%%s"),
    op<&acceptDrop<DropMacData>>(W::AcceptMacDataDrop, "AcceptMacDataDrop", "%%s"),
    op<&acceptDrop<DropRaw>>(W::AcceptRawDataDrop, "AcceptRawDataDrop", "%%s"),
    op<&ControlAt>(W::Control, "Control", "%o<RectControl>%i4"),
    op<&unsupportedOperation<kSetFocus>>(W::SetFocus, "SetFocus", "%%"),
    op<&unsupportedOperation<kDrawInto, void, Object*, int32_t, int32_t>>(W::DrawInto, "DrawInto", "%%o<Graphics>i4i4"),
    op<&unsupportedOperation<kDrawBackground, void, Object*>>(W::_DrawBackground, "_DrawBackground", "%%o<Graphics>"),
    op<&UpdateNow>(W::UpdateNow, "UpdateNow", "%%"),
    op<&Window::_AddControl>(W::_AddControl, "_AddControl", "%%so<RectControl>"),
    op<&unsupportedOperation<kAddMenuHandler, void, String*, Object*>>(W::_AddMenuHandler, "_AddMenuHandler",
                                                                       "%%so<Delegate>"),
    op<&Self>(W::Window, "Window", "%o<Window>%"),
    op<&Self>(W::Operator_Convert, "Operator_Convert", "%o<Window>%"),
    op<&Window::__New>(W::__New, "__New", "%o<RectControl>%p"),
    op<&Move>(W::_Move, "_Move", "%%i4i4"),
    op<&unsupportedOperation<kMaximize>>(W::Maximize, "Maximize", "%%"),
    op<&unsupportedOperation<kMinimize>>(W::Minimize, "Minimize", "%%"),
    op<&unsupportedOperation<kRestore>>(W::Restore, "Restore", "%%"),
    op<&UpdateNow>(W::_Update, "_Update", "%%"),
    op<&fireEvent<Event::Moved>>(W::_CallMoved, "_CallMoved", "%%"),
    op<&fireEvent<Event::EnableMenuItems>>(W::_EnableMenuItems, "_EnableMenuItems", "%%"),
    op<&fireEvent<Event::Activate>>(W::_CallActivated, "_CallActivated", "%%"),
    op<&fireEvent<Event::Deactivate>>(W::_CallDeactivated, "_CallDeactivated", "%%"),
    op<&HandleMenuCommand>(W::_HandleMenuCommand, "_HandleMenuCommand", "%b%s"),
    op<&Window::_UnifiedClose>(W::_UnifiedClose, "_UnifiedClose", "%b%b"),
    op<&fireEvent<Event::MouseDown>>(W::_CallMouseDown, "_CallMouseDown", "%%"),
    op<&fireEvent<Event::Resized>>(W::_CallResized, "_CallResized", "%%"),
    op<&fireEvent<Event::Resizing>>(W::_CallResizing, "_CallResizing", "%%"),
    op<&RemoveControl>(W::_RemoveControl, "_RemoveControl", "%%o<RectControl>"),
    op<&fireEvent<Event::MouseEnter>>(W::_MouseEnter, "_MouseEnter", "%%"),
    op<&fireEvent<Event::MouseExit>>(W::_MouseExit, "_MouseExit", "%%"),
    op<&fireEvent<Event::MouseMove>>(W::_MouseMove, "_MouseMove", "%%"),
    op<&fireEvent<Event::Paint>>(W::_Paint, "_Paint", "%%"),
    op<&fireEvent<Event::MouseWheel>>(W::_MouseWheel, "_MouseWheel", "%%"),
    op<&fireEvent<Event::KeyDown>>(W::_KeyDown, "_KeyDown", "%%"),
    op<&DependencyList>(W::__DependencyList, "__DependencyList", "%o<ObjectArray>%"),
    op<&Window::Constructor>(W::Constructor, "Constructor", "%%"),
    op<&Self>(W::TrueWindow, "TrueWindow", "%o<Window>%"),
    op<&unsupportedOperation<kFocusNext>>(W::FocusNext, "FocusNext", "%%"),
    op<&unsupportedOperation<kFocusPrevious>>(W::FocusPrevious, "FocusPrevious", "%%"),
    op<&Window::_ControlByName>(W::_ControlByName, "_ControlByName", "%o<RectControl>%s"),
    op<&ControlByNameIndex>(W::_ControlByNameIndex, "_ControlByNameIndex", "%o<RectControl>%si4"),
};
static_assert(rowsFollowSlots(kOperations, 0, Window::Op::End));

// clang-format off
constexpr Event kEvents[] = {
    Event::Layout, Event::CreateControls, Event::AddMenuHandlers, Event::SetupBindings, Event::Open,
    Event::Close, Event::CancelClose, Event::KeyDown, Event::KeyUp, Event::MouseMove, Event::MouseEnter,
    Event::MouseExit, Event::Paint, Event::MouseDown, Event::MouseDrag, Event::MouseUp, Event::EnableMenuItems,
    Event::Resized, Event::Resizing, Event::Moved, Event::DropObject, Event::Activate, Event::Deactivate,
    Event::Minimize, Event::Maximize, Event::Restore, Event::MouseWheel, Event::ConstructContextualMenu,
    Event::ContextualMenuAction, Event::DragEnter, Event::DragExit, Event::DragOver, Event::ContentsChanged,
};
// clang-format on

// clang-format off
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
// clang-format on

ui::Rgb rgb(Colour colour) { return {colour.red, colour.green, colour.blue}; }

constexpr ClassDescription kDescription = {
    .name = "Window",
    .parent = ObjectClass::__Lookup,
    .instances = instancesOf<WindowInstance>,
    .operations = kOperations,
    .properties = Window::kOwnProperties,
    .events = kEvents,
    .constants = kConstants,
};
static_assert(totalsOf({}, kDescription) == Window::kTotals);

} // namespace

WindowInstance::WindowInstance(const ClassTable* classTable) : Object(classTable) {}

WindowInstance::~WindowInstance()
{
    for (auto& [name, control] : controls)
        RectControl::detach(control.get());
}

void WindowInstance::propertyChanged(uint32_t)
{
    if (view.bound() && !closed)
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
    if (!view.bound() || closed)
        return;
    presentation().updateWindow(view.id(), look());
    for (auto& [name, control] : controls)
        RectControl::syncView(control.get());
}

namespace Window {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, kDescription);
}

void Show(Object* window)
{
    WindowInstance* self = asWindow(window);
    if (!self->view.bound() || self->closed)
        return;
    self->syncView();
    presentation().showWindow(self->view.id());
    setProperty(window, "Visible", true);
}

void Hide(Object* window)
{
    WindowInstance* self = asWindow(window);
    if (!self->view.bound() || self->closed)
        return;
    presentation().hideWindow(self->view.id());
    setProperty(window, "Visible", false);
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
    if (self->view.bound())
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
    self->view.unbind();
    WindowSupport::Windows::remove(window);
    removeImplicitWindow(window);
    return true;
}

} // namespace Window

} // namespace fw
