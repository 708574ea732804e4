#pragma once
// The tie between a model object and its view on the presentation, owned by
// one handle: the view's id, the registration that routes the user's actions
// on the view to the object, and the view's end.

#include "framework/runtime/Object.h"
#include "framework/ui/Presentation.h"

namespace fw {

class ViewBinding {
public:
    // How the presentation takes a view of this kind down; nil for one that
    // goes with the tree it is shown in (a menu node).
    using Destroy = void (ui::Presentation::*)(uint64_t id);

    explicit ViewBinding(Destroy destroy);
    ~ViewBinding() { unbind(); }
    ViewBinding(const ViewBinding&) = delete;
    ViewBinding& operator=(const ViewBinding&) = delete;

    uint64_t id() const { return id_; }
    bool bound() const { return bound_; }

    // Routes the user's actions on the view, which the caller has just
    // created, to object (borrowed: its handle unbinds before it dies).
    void bind(Object* object);
    // Stops the routing and takes the view down, if bound.
    void unbind();

private:
    const uint64_t id_;
    const Destroy destroy_;
    bool bound_ = false;
};

} // namespace fw
