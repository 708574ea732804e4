#pragma once
// The About picture: read from the application's resources on demand and
// kept for the rest of the run once it has been opened.

#include "framework/runtime/Object.h"

#include <string_view>

inline constexpr std::string_view kAboutPictureFile = "About-Lirra-Rorov-Ezave.jpg";

// The cached picture, or nil when it could not be opened (a new reference).
fw::Ref<fw::Object> AboutLirraRorovEzave();
