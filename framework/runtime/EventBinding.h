#pragma once
// Per-object event bindings: code that the framework runs when an event of
// one particular object fires (as opposed to a class's handler in its event
// table).

#include "framework/runtime/Object.h"

namespace fw {

// From now on, whenever event fires on object, stub runs with object and can
// fetch delegate with RuntimeEventDelegate. A second binding of the same
// event and stub replaces the first. Returns whether the binding was made.
bool RuntimeAddEventHandler(Object* object, int32_t event, EventStub stub, Object* delegate);

// The delegate bound with stub to the event (borrowed), or nil.
Object* RuntimeEventDelegate(Object* object, int32_t event, EventStub stub);

// Runs the stubs bound to the event, in the order bound; returns whether any ran.
bool fireEventBindings(Object* object, int32_t event);

} // namespace fw
