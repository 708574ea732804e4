#pragma once
// App: the application class, an Application with nothing of its own but
// an empty constructor.

#include "framework/runtime/ClassTable.h"

namespace App {

const fw::ClassTable* __Lookup();
void __ctblinit();
void Constructor(fw::Object* application);

} // namespace App
