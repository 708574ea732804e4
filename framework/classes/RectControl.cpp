#include "framework/classes/RectControl.h"

#include "framework/classes/Services.h"
#include "framework/classes/Window.h"
#include "framework/classes/WindowSupport.h"
#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Properties.h"

#include <iterator>

namespace fw {

namespace {

ControlInstance* asControl(Object* control) { return static_cast<ControlInstance*>(control); }

void CloseControl(Object* control) { asControl(control)->view.unbind(); }

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

} // namespace

void ControlInstance::propertyChanged(uint32_t)
{
    if (view.bound() && owner)
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
                                    .properties = kOwnProperties,
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
    presentation().createControl(static_cast<WindowInstance*>(window)->view.id(), self->view.id(), self->look());
    self->view.bind(control);
    self->viewAttached();
}

void syncView(Object* control)
{
    ControlInstance* self = asControl(control);
    if (self->view.bound())
        presentation().updateControl(self->view.id(), self->look());
}

void detach(Object* control)
{
    CloseControl(control);
    asControl(control)->owner = nullptr;
}

} // namespace RectControl

} // namespace fw
