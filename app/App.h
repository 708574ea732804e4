#pragma once
// App: the application class, an Application with nothing of its own but
// an empty constructor.

#include "framework/classes/Application.h"

namespace App {

// App's own operation, after Application's.
enum class Op : uint32_t { Constructor = fw::Application::operationCount, End };

const fw::ClassTable* __Lookup();
void __ctblinit();
void Constructor(fw::Object* application);

} // namespace App
