#pragma once
// The framework's event loop and the road an exception takes through it.
// Every handler the framework runs from the event loop runs through the
// exception helper that the program installed; an exception that escapes a
// handler ends the loop and leaves _RuntimeRun as that very object, so no
// C++ exception ever crosses the toolkit's event loop.

#include "framework/runtime/ClassTable.h"

namespace fw {

// The program's exception helper: calls routine with argument and returns the
// RuntimeException that escaped it (a new reference), or nil.
using ExceptionHelper = Ref<Object>(TypedCode routine, void* argument);

void _RuntimeSetExceptionHelper(TypedCode helper);

// Runs the framework's initialisation and, within it, startup() once.
void _RunFrameworkInitialization(TypedCode startup);

// Runs the event loop until the application quits. Raises the exception
// that ended it, if one did.
void _RuntimeRun();

// Asks the application to quit with the exit code: the event loop ends.
void Quit(int32_t exitCode);

// The framework's answer to an exception that nothing caught: one line on
// stderr naming its class and message; the process will exit with 1.
void _UnhandledException(Object* exception);

// The exit code that RuntimeExit returns: the one given to Quit, or 1 after
// an unhandled exception.
int32_t pendingExitCode();

// Runs routine(argument) through the exception helper, from the event loop.
// An exception that escapes is kept, and the event loop ends.
void runGuarded(void (*routine)(void*), void* argument);

// Clears the loop's state; the next run starts afresh.
void resetEventLoop();

} // namespace fw
