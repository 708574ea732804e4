#pragma once
// PushButton: a button whose Action (event 15) fires on a click or a Push.

#include "framework/classes/RectControl.h"

namespace fw {

namespace PushButton {

constexpr int32_t ActionEvent = 15;

const ClassTable* __Lookup();

// Fires the button's Action as a click would, before returning.
void Push(Object* button);
// The framework's Action dispatch: runs what is bound to event 15.
void _CallAction(Object* button);
namespace TextUnit {
void Set(Object* button, int32_t, uint8_t unit);
}

} // namespace PushButton

} // namespace fw
