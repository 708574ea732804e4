#pragma once
// Label: a line (or lines) of static text.

#include "framework/classes/RectControl.h"

namespace fw::Label {

const ClassTable* __Lookup();

namespace TextSize {
void Set(Object* label, int32_t, float size);
}
namespace TextUnit {
void Set(Object* label, int32_t, uint8_t unit);
}

} // namespace fw::Label
