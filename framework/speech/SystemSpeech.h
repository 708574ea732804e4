#pragma once

#include "framework/speech/SpeechService.h"

#include <memory>

namespace fw::speech {

// The production engine: espeak-ng synthesising in-process, audio to the desktop's sound server.
std::unique_ptr<SpeechService> makeSystemSpeech();

} // namespace fw::speech
