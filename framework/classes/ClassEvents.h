#pragma once
// Running a class's handler for one of its events: the notifications, whose
// handlers only hear of the event.

#include "framework/runtime/ClassTable.h"

namespace fw {

// Runs the handler with the object when its class sets one; returns whether
// it ran. A framework fault when the class has no such event.
bool fireClassEvent(Object* object, Event event);

} // namespace fw
