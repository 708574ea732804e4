#pragma once
// The framework's two window lists: the windows that are open, and the
// windows whose look has changed since the presentation last saw them.

#include "framework/runtime/ClassTable.h"

#include <vector>

namespace fw::WindowSupport {

namespace Windows {
// Makes the list of open windows, still empty.
void __Init();
void add(Object* window);
void remove(Object* window);
// The open windows in the order opened (borrowed).
std::vector<Object*> all();
// Releases the list and its references to the windows.
void __Exit();
} // namespace Windows

namespace mDirtyWindows {
// Notes that the window's look changed; the presentation is told soon, once.
void add(Object* window);
// Tells the presentation now about every window noted so far.
void flush();
void __Exit();
// The presentation that was to run the posted flush is gone with the
// runtime; the next note posts a new one.
void forgetPostedFlush();
} // namespace mDirtyWindows

} // namespace fw::WindowSupport
