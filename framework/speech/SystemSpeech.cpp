#include "framework/speech/SystemSpeech.h"

#include "framework/speech/EspeakSpeech.h"
#include "framework/speech/PulseAudioOutput.h"

namespace fw::speech {

std::unique_ptr<SpeechService> makeSystemSpeech()
{
    return std::make_unique<EspeakSpeech>(std::make_unique<PulseAudioOutput>());
}

} // namespace fw::speech
