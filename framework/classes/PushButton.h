#pragma once
// PushButton: a button whose Action fires on a click or a Push.

#include "framework/classes/RectControl.h"

#include <iterator>

namespace fw {

namespace PushButton {

// A push button's own events, after those of every control.
inline constexpr Event kEvents[] = {Event::Action};

// The number under which code is bound to a button's Action: its place in
// the button's event table.
constexpr int32_t ActionEvent = static_cast<int32_t>(std::size(RectControl::kEvents));
static_assert(ActionEvent == 15);

// A push button's own properties, after those of every control.
// clang-format off
inline constexpr PropertyRow kOwnProperties[] = {
    // name            kind
    {"Caption", ValueKind::Text},
    {"Default", ValueKind::Boolean},
    {"Cancel", ValueKind::Boolean},
    {"ButtonStyle", ValueKind::Int32},
    {"TextFont", ValueKind::Text},
    {"Bold", ValueKind::Boolean},
    {"Italic", ValueKind::Boolean},
    {"Underline", ValueKind::Boolean},
    {"TextUnit", ValueKind::Enum8},
    {"TextSize", ValueKind::Single},
};
// clang-format on
inline constexpr PropertyTable kProperties{.own = kOwnProperties, .parent = &RectControl::kProperties};

const ClassTable* __Lookup();

// Fires the button's Action as a click would, before returning.
void Push(Object* button);
// The framework's Action dispatch: runs what is bound to the Action event.
void _CallAction(Object* button);
namespace TextUnit {
void Set(Object* button, int32_t, uint8_t unit);
}

} // namespace PushButton

} // namespace fw
