#pragma once
// Canvas: a rectangle that draws its backdrop picture.

#include "framework/classes/RectControl.h"

namespace fw::Canvas {

// A canvas's own properties, after those of every control.
// clang-format off
inline constexpr PropertyRow kOwnProperties[] = {
    // name               kind
    {"UseFocusRing", ValueKind::Boolean},
    {"AcceptFocus", ValueKind::Boolean},
    {"AcceptTabs", ValueKind::Boolean},
    {"DoubleBuffer", ValueKind::Boolean},
    {"EraseBackground", ValueKind::Boolean},
    {"Backdrop", ValueKind::Object},
};
// clang-format on
inline constexpr PropertyTable kProperties{.own = kOwnProperties, .parent = &RectControl::kProperties};

const ClassTable* __Lookup();

namespace Backdrop {
// The picture to draw from the top left; nil draws none.
void Set(Object* canvas, int32_t, Object* picture);
}

} // namespace fw::Canvas
