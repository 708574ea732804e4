#pragma once

#include <memory>
#include <string_view>

namespace fw::speech {

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Hands the text over and returns at once (well under a millisecond); never waits for speech.
    // interrupt = true: current and queued speech stop at once, queued audio is dropped and the device
    // flushed (no stale audio is heard), then this text is spoken. interrupt = false: queued after what
    // is being spoken. A text of only blanks says nothing.
    virtual void speak(std::string_view utf8, bool interrupt) = 0;
};

} // namespace fw::speech
