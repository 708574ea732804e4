#pragma once
// The program's constant strings: each made once, on first use, and kept for
// the whole run (borrowed by every caller).

#include "framework/runtime/Object.h"

#include <string_view>

fw::String* constantString(std::string_view text);
