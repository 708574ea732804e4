#pragma once
// MenuBar1: the program's menu bar, a File menu with Quit and an Edit menu
// with the standard edit commands.

#include "framework/classes/MenuBar.h"

namespace MenuBar1 {

// The bar's own operations, after MenuBar's.
enum class Op : uint32_t { Untitled0 = fw::MenuBar::operationCount, Untitled1, End };

const fw::ClassTable* __Lookup();
void __ctblinit();

// The single instance, made and filled on the first call; a new reference.
fw::Ref<fw::Object> MenuBar1();

void Constructor(fw::Object* bar);
void Untitled0(fw::Object* bar);
void Untitled1(fw::Object* bar);

namespace _implicitInstance {
// The single instance now held (borrowed), or nil.
fw::Object* get();
void __Exit();
} // namespace _implicitInstance

} // namespace MenuBar1
