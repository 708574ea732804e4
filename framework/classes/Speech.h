#pragma once
// Speak: hands a text to the speech service and returns at once.

#include "framework/runtime/Object.h"

namespace fw {

// text is a Variant holding the text; with interrupt set, speech in
// progress is cut off first. The service keeps its own copy.
void Speak(Object* text, bool interrupt);

} // namespace fw
