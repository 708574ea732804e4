#pragma once
// Canvas: a rectangle that draws its backdrop picture.

#include "framework/classes/RectControl.h"

namespace fw::Canvas {

const ClassTable* __Lookup();

namespace Backdrop {
// The picture to draw from the top left; nil draws none.
void Set(Object* canvas, int32_t, Object* picture);
}

} // namespace fw::Canvas
