#include "framework/speech/PulseAudioOutput.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace fw::speech {

namespace {
// The server's buffer: about 30 ms ahead, playback starting after 5 ms.
constexpr int kTargetMilliseconds = 30;
constexpr int kPrebufferMilliseconds = 5;
} // namespace

bool PulseAudioOutput::open(int sampleRate, std::string& reason)
{
    close();
    pa_sample_spec spec{.format = PA_SAMPLE_S16LE, .rate = static_cast<uint32_t>(sampleRate), .channels = 1};
    uint32_t bytesPerMillisecond = static_cast<uint32_t>(sampleRate) * 2 / 1000;
    pa_buffer_attr buffer{
        .maxlength = static_cast<uint32_t>(-1),
        .tlength = bytesPerMillisecond * kTargetMilliseconds,
        .prebuf = bytesPerMillisecond * kPrebufferMilliseconds,
        .minreq = static_cast<uint32_t>(-1),
        .fragsize = static_cast<uint32_t>(-1),
    };
    int error = 0;
    stream_ = pa_simple_new(nullptr, "Lirra Veriz", PA_STREAM_PLAYBACK, nullptr, "speech", &spec, nullptr, &buffer,
                            &error);
    if (!stream_)
        reason = pa_strerror(error);
    return stream_ != nullptr;
}

bool PulseAudioOutput::write(std::span<const std::int16_t> samples)
{
    int error = 0;
    return stream_ && pa_simple_write(stream_, samples.data(), samples.size_bytes(), &error) == 0;
}

void PulseAudioOutput::flush()
{
    int error = 0;
    if (stream_)
        pa_simple_flush(stream_, &error);
}

void PulseAudioOutput::close()
{
    if (stream_)
        pa_simple_free(stream_);
    stream_ = nullptr;
}

} // namespace fw::speech
