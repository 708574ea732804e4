#pragma once
// RectControl: the base of every control that occupies a rectangle of its
// window. A control belongs to the window that made it; the window holds it
// by name, and the control keeps only a borrowed pointer back.

#include "framework/classes/ViewBinding.h"
#include "framework/runtime/ClassTable.h"

namespace fw {

struct ControlInstance : Object {
    using Object::Object;

    void propertyChanged(uint32_t slot) override;

    virtual ui::ControlKind kind() const = 0;
    // The look common to all controls; subclasses add their own settings.
    virtual ui::ControlLook look() const;
    // Called once the presentation shows the control.
    virtual void viewAttached() {}

    ViewBinding view{&ui::Presentation::destroyControl};
    Object* owner = nullptr; // the window; borrowed, cleared when it lets go
};

namespace RectControl {

enum class Op : uint32_t { Constructor, Close, Refresh, Window, End };
using fw::slot;

// The events every control has; a subclass's own come after them.
// clang-format off
inline constexpr Event kEvents[] = {
    Event::Open, Event::Close, Event::MouseEnter, Event::MouseExit, Event::MouseMove,
    Event::MouseDown, Event::MouseDrag, Event::MouseUp, Event::MouseWheel, Event::KeyDown,
    Event::KeyUp, Event::GotFocus, Event::LostFocus, Event::DropObject, Event::ConstructContextualMenu,
};
// clang-format on

// The properties every control has; a subclass's own come after them.
// clang-format off
inline constexpr PropertyRow kOwnProperties[] = {
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
// clang-format on
inline constexpr PropertyTable kProperties{.own = kOwnProperties};

const ClassTable* __Lookup();

void Constructor(Object* control);

// Framework-internal: ownership by a window and the control's view.
void setOwner(Object* control, Object* window);
void attachView(Object* control, Object* window);
void syncView(Object* control);
void detach(Object* control);

} // namespace RectControl

} // namespace fw
