#pragma once
// RectControl: the base of every control that occupies a rectangle of its
// window. A control belongs to the window that made it; the window holds it
// by name, and the control keeps only a borrowed pointer back.

#include "framework/runtime/ClassTable.h"
#include "framework/ui/Presentation.h"

namespace fw {

struct ControlInstance : Object {
    using Object::Object;
    ~ControlInstance() override;

    void propertyChanged(uint32_t slot) override;

    virtual ui::ControlKind kind() const = 0;
    // The look common to all controls; subclasses add their own settings.
    virtual ui::ControlLook look() const;
    // Called once the presentation shows the control.
    virtual void viewAttached() {}

    const uint64_t viewId = newControlViewId();
    Object* owner = nullptr;  // the window; borrowed, cleared when it lets go
    bool viewCreated = false;

private:
    static uint64_t newControlViewId();
};

namespace RectControl {

enum class Op : uint32_t { Constructor, Close, Refresh, Window, End };
using fw::slot;

// The events every control has; a subclass's own come after them.
inline constexpr Event kEvents[] = {
    Event::Open, Event::Close, Event::MouseEnter, Event::MouseExit, Event::MouseMove,
    Event::MouseDown, Event::MouseDrag, Event::MouseUp, Event::MouseWheel, Event::KeyDown,
    Event::KeyUp, Event::GotFocus, Event::LostFocus, Event::DropObject, Event::ConstructContextualMenu,
};

const ClassTable* __Lookup();

void Constructor(Object* control);

// Framework-internal: ownership by a window and the control's view.
void setOwner(Object* control, Object* window);
void attachView(Object* control, Object* window);
void syncView(Object* control);
void detach(Object* control);

} // namespace RectControl

} // namespace fw
