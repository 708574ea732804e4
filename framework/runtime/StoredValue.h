#pragma once
// A value held in an object's property slot.

#include "framework/runtime/PropertyForm.h"
#include "framework/runtime/Ref.h"

#include <cstdint>
#include <variant>

namespace fw {

// Empty, int32, boolean, colour, single-precision number, text or object.
using StoredValue = std::variant<std::monostate, int32_t, bool, Colour, float, Ref<String>, Ref<Object>>;

} // namespace fw
