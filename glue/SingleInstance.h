#pragma once
// The single-instance accessor of a window class: the open window of the
// class, or a new one made and constructed when there is none.

#include "framework/runtime/ClassTable.h"

// Returns a new reference to the window, checked against the class.
fw::Ref<fw::Object> singleWindow(const fw::ClassTable* (*lookup)());
