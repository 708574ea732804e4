#pragma once
// The program's entry and its module routines: from the process start to
// its exit code.

#include "framework/runtime/ClassTable.h"

// The process entry: runtime start, module initialiser, _Main, module
// finaliser, runtime exit. Returns the exit code.
int32_t percent_main();
void percent_initialize();
void _Main();
void percent_finalize();

void _Startup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _MakeDefaultView();
void _InitPluginEntrypoints();

// The exception helper: calls code with argument; returns the
// RuntimeException that escaped it, nil when none; raises anything else again.
fw::Ref<fw::Object> _CallFunctionWithExceptionHandling(fw::TypedCode code, void* argument);

// The plug-in entry-point table, kept for the whole run.
extern fw::Ref<fw::Object> percent__plugin_entrypoints;
