#include "framework/classes/RectControl.h"

#include "framework/classes/Services.h"
#include "framework/classes/UserActionDispatch.h"
#include "framework/classes/Window.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Invokers.h"
#include "framework/runtime/Properties.h"

#include <iterator>

namespace fw {

namespace {

ControlInstance* asControl(Object* control) { return static_cast<ControlInstance*>(control); }

void CloseControl(Object* control)
{
    ControlInstance* self = asControl(control);
    if (self->viewCreated && servicesInstalled()) {
        userActionDispatch().unregisterView(self->viewId);
        presentation().destroyControl(self->viewId);
    }
    self->viewCreated = false;
}

void Refresh(Object* control)
{
    if (Object* window = asControl(control)->owner)
        WindowSupport::mDirtyWindows::add(window);
}

Ref<Object> OwnerWindow(Object* control) { return Ref<Object>::retain(asControl(control)->owner); }

constexpr OperationRow kOperations[] = {
    // function, slot, name, signature
    op<&RectControl::Constructor>(RectControl::Op::Constructor, "Constructor", "%%"),
    op<&CloseControl>(RectControl::Op::Close, "Close", "%%"),
    op<&Refresh>(RectControl::Op::Refresh, "Refresh", "%%"),
    op<&OwnerWindow>(RectControl::Op::Window, "Window", "%o<Window>%"),
};
static_assert(rowsFollowSlots(kOperations, 0, RectControl::Op::End));

constexpr PropertyRow kCommonProperties[] = {
    // name             kind
    {"Name", ValueKind::Text},
    {"Index", ValueKind::Int32},
    {"Left", ValueKind::Int32},
    {"Top", ValueKind::Int32},
    {"Width", ValueKind::Int32},
    {"Height", ValueKind::Int32},
    {"LockLeft", ValueKind::Boolean},
    {"LockTop", ValueKind::Boolean},
    {"LockRight", ValueKind::Boolean},
    {"LockBottom", ValueKind::Boolean},
    {"TabPanelIndex", ValueKind::Int32},
    {"TabIndex", ValueKind::Int32},
    {"TabStop", ValueKind::Boolean},
    {"Enabled", ValueKind::Boolean},
    {"Visible", ValueKind::Boolean},
    {"HelpTag", ValueKind::Text},
    {"AutoDeactivate", ValueKind::Boolean},
    {"InitialParent", ValueKind::Text},
};


} // namespace

uint64_t ControlInstance::newControlViewId() { return newViewId(); }

ControlInstance::~ControlInstance() { CloseControl(this); }

void ControlInstance::propertyChanged(uint32_t)
{
    if (viewCreated && owner)
        WindowSupport::mDirtyWindows::add(owner);
}

ui::ControlLook ControlInstance::look() const
{
    return {
        .kind = kind(),
        .name = std::string(textProperty(this, "Name")),
        .left = intProperty(this, "Left"),
        .top = intProperty(this, "Top"),
        .width = intProperty(this, "Width"),
        .height = intProperty(this, "Height"),
        .visible = boolProperty(this, "Visible"),
        .enabled = boolProperty(this, "Enabled"),
    };
}

namespace RectControl {

const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {
        .name = "RectControl",
        .parent = ObjectClass::__Lookup,
        .operations = kOperations,
        .properties = kCommonProperties,
        .events = RectControl::kEvents,
    });
}

void Constructor(Object* control)
{
    setProperty(control, "Visible", true);
    setProperty(control, "Enabled", true);
}

void setOwner(Object* control, Object* window) { asControl(control)->owner = window; }

void attachView(Object* control, Object* window)
{
    ControlInstance* self = asControl(control);
    self->owner = window;
    presentation().createControl(static_cast<WindowInstance*>(window)->viewId, self->viewId, self->look());
    userActionDispatch().registerView(self->viewId, control);
    self->viewCreated = true;
    self->viewAttached();
}

void syncView(Object* control)
{
    ControlInstance* self = asControl(control);
    if (self->viewCreated)
        presentation().updateControl(self->viewId, self->look());
}

void detach(Object* control)
{
    CloseControl(control);
    asControl(control)->owner = nullptr;
}

} // namespace RectControl

} // namespace fw
