#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace fw::speech {

// A mono, signed 16-bit little-endian sound device that plays on its own
// while its user goes on. flush() may be called from any thread at any
// moment, also while another thread waits in waitForRoom(); the rest is
// called from one thread at a time.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens the device at sampleRate, idle until the first write; on failure
    // returns false and says why in reason.
    virtual bool open(int sampleRate, std::string& reason) = 0;
    // Takes as many samples from the front as the device has room for now,
    // without waiting, and starts playing if it was idle. Returns how many it
    // took (0 when it is full), or nothing when the device has gone away.
    virtual std::optional<size_t> write(std::span<const std::int16_t> samples) = 0;
    // Waits until the device has room again or flush() is called. False when
    // the device has gone away.
    virtual bool waitForRoom() = 0;
    // Discards whatever the device still has buffered, so it falls silent at once.
    virtual void flush() = 0;
    // Nothing more comes for now: the device plays out what it holds, then
    // goes idle so that the sound system can sleep; the next write wakes it.
    // Returns at once.
    virtual void finish() = 0;
    virtual void close() = 0;
};

} // namespace fw::speech
