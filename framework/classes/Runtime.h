#pragma once
// Starting and ending the framework runtime.

#include "framework/classes/Services.h"
#include "framework/runtime/Object.h"

namespace fw {

struct DesktopServices {
    std::unique_ptr<ui::Presentation> presentation;
    std::unique_ptr<speech::SpeechService> speech;
};

// Makes the services a run presents itself and speaks through: the real
// desktop, or a test's stand-ins.
using DesktopServicesFactory = DesktopServices (*)();

// Names the factory every later RuntimeInit takes its services from; whoever
// starts the runtime calls this first.
void provideDesktopServices(DesktopServicesFactory factory);

// Starts the runtime: the desktop services come up. A framework fault when
// no factory was provided.
void RuntimeInit();

// Ends the runtime: the application object and the services go. Returns the
// process exit code.
int32_t RuntimeExit();

// Has the framework initialise its external classes (it has none to load).
void _RuntimeInitExternalClasses();

// Builds the class tables of the framework's own classes.
void initializeFrameworkClasses();

// A new, empty table of count plug-in entry points.
Ref<Object> RuntimeAllocatePluginEntrypointsTable(int32_t count);

} // namespace fw
