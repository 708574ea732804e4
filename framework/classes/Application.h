#pragma once
// Application: the one application object of a program, which holds its
// menu bar.

#include "framework/runtime/ClassDescription.h"

namespace fw {

namespace Application {

constexpr uint32_t operationCount = 17;
inline constexpr ClassTotals kTotals{.members = 47, .events = 10, .properties = 19};

const ClassTable* __Lookup();

namespace MenuBar {
// Installs the bar as the application's menu bar; the application keeps a
// reference to it.
void Set(Object* application, int32_t, Object* bar);
}

} // namespace Application

// Registers the application object; the framework keeps a reference to it.
void _RuntimeRegisterAppObject(Object* application);
// The registered application (borrowed), or nil.
Object* registeredApplication();
// Drops the framework's reference to the application object.
void releaseApplication();

} // namespace fw
