#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fw::speech {

// A mono, signed 16-bit little-endian sound device. Used from one thread at a time.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens the device at sampleRate; on failure returns false and says why in reason.
    virtual bool open(int sampleRate, std::string& reason) = 0;
    // Hands the samples to the open device, waiting while its buffer is full.
    // False when the device has gone away.
    virtual bool write(std::span<const std::int16_t> samples) = 0;
    // Discards whatever the open device still has buffered, so it falls silent at once.
    virtual void flush() = 0;
    virtual void close() = 0;
};

} // namespace fw::speech
