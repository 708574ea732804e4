#pragma once
// Running a class's handler for one of its events, found by the event's
// name in the object's event table.

#include "framework/runtime/ClassTable.h"

#include <string_view>

namespace fw {

// Runs the handler with the object when its class has one; returns whether it ran.
bool fireClassEvent(Object* object, std::string_view eventName);

} // namespace fw
