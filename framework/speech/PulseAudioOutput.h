#pragma once
// Sound through the desktop's sound server (PulseAudio, or PipeWire serving
// the same interface), with a short buffer so that a flush silences fast.

#include "framework/speech/AudioOutput.h"

struct pa_simple;

namespace fw::speech {

class PulseAudioOutput final : public AudioOutput {
public:
    ~PulseAudioOutput() override { close(); }
    bool open(int sampleRate, std::string& reason) override;
    bool write(std::span<const std::int16_t> samples) override;
    void flush() override;
    void close() override;

private:
    pa_simple* stream_ = nullptr;
};

} // namespace fw::speech
