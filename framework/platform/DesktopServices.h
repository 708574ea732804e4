#pragma once
// The real desktop: Qt widgets on screen, espeak-ng speaking to the sound
// server.

#include "framework/classes/Runtime.h"

namespace fw {

DesktopServices makeDesktopServices();

} // namespace fw
