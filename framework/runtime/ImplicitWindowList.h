#pragma once
// The list of single window instances: at most one window per window class,
// kept under the class's short name (the part after the last full stop).

#include "framework/runtime/ClassTable.h"

#include <string_view>

namespace fw {

// "frmMain" for "frmMain.frmMain"; the whole name when it has no full stop.
std::string_view shortClassName(std::string_view className);

// The window held for the stored class name, with a new reference, or nil.
Ref<Object> _GetImplicitWindow(String* className);

// Holds window as the single instance of its class (the list is made on
// first use).
void registerImplicitWindow(Object* window);

// Drops the entry of window's class when it holds this very window.
void removeImplicitWindow(Object* window);

namespace _mImplicitWindowList {
// Whether the list exists now.
bool exists();
// Releases the list and every window reference it holds.
void __Exit();
} // namespace _mImplicitWindowList

} // namespace fw
