#pragma once
// Label: a line (or lines) of static text.

#include "framework/classes/RectControl.h"

namespace fw::Label {

// A label's own properties, after those of every control.
// clang-format off
inline constexpr PropertyRow kOwnProperties[] = {
    // name          kind
    {"Text", ValueKind::Text},
    {"TextAlign", ValueKind::Int32},
    {"TextColor", ValueKind::Colour},
    {"Multiline", ValueKind::Boolean},
    {"Selectable", ValueKind::Boolean},
    {"Transparent", ValueKind::Boolean},
    {"TextFont", ValueKind::Text},
    {"Bold", ValueKind::Boolean},
    {"Italic", ValueKind::Boolean},
    {"Underline", ValueKind::Boolean},
    {"DataSource", ValueKind::Text},
    {"DataField", ValueKind::Text},
    {"TextUnit", ValueKind::Enum8},
    {"TextSize", ValueKind::Single},
};
// clang-format on
inline constexpr PropertyTable kProperties{.own = kOwnProperties, .parent = &RectControl::kProperties};

const ClassTable* __Lookup();

namespace TextSize {
void Set(Object* label, int32_t, float size);
}
namespace TextUnit {
void Set(Object* label, int32_t, uint8_t unit);
}

} // namespace fw::Label
