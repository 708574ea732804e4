#include "framework/speech/AudioPump.h"

#include <cstdio>
#include <string>
#include <vector>

namespace fw::speech {

AudioPump::AudioPump(std::unique_ptr<AudioOutput> output, SampleQueue& queue)
    : output_(std::move(output)), queue_(queue)
{
    thread_ = std::thread([this] { run(); });
}

AudioPump::~AudioPump() { stop(); }

void AudioPump::start(int sampleRate)
{
    {
        std::lock_guard lock(mutex_);
        sampleRate_ = sampleRate;
    }
    started_.notify_all();
}

void AudioPump::stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true; // nothing more is written
        output_->flush(); // wakes the pump thread if it waits for room
    }
    started_.notify_all();
    queue_.close();
    thread_.join();
    output_->close();
}

bool AudioPump::openDevice()
{
    std::string reason;
    deviceOpen_ = sampleRate_ > 0 && output_->open(sampleRate_, reason);
    if (!deviceOpen_ && !deviceFailureReported_) {
        std::fprintf(stderr, "speech: no audio output: %s\n", reason.c_str());
        deviceFailureReported_ = true;
    }
    if (deviceOpen_)
        deviceFailureReported_ = false;
    return deviceOpen_;
}

bool AudioPump::ensureDeviceOpen() { return deviceOpen_ || (retryDevice_.exchange(false) && openDevice()); }

void AudioPump::deviceLost()
{
    output_->close();
    deviceOpen_ = false;
    retryDevice_ = true; // the next samples try once more, then wait for something new
}

void AudioPump::play(std::span<const int16_t> samples, uint64_t generation)
{
    while (!samples.empty()) {
        std::optional<size_t> taken;
        {
            std::lock_guard lock(mutex_);
            if (stopping_ || generation != queue_.generation())
                return; // interrupted: the device has been or is about to be flushed
            taken = output_->write(samples);
        }
        if (!taken) {
            deviceLost();
            return;
        }
        samples = samples.subspan(*taken);
        if (!samples.empty() && !output_->waitForRoom()) {
            deviceLost();
            return;
        }
    }
}

void AudioPump::run()
{
    {
        std::unique_lock lock(mutex_);
        started_.wait(lock, [&] { return stopping_ || sampleRate_ >= 0; });
        if (stopping_)
            return;
    }
    if (sampleRate_ > 0)
        openDevice(); // ready before the first request, off the caller's path
    std::vector<int16_t> chunk;
    uint64_t generation = 0;
    while (queue_.pop(chunk, kChunkSamples, generation)) {
        if (chunk.empty()) {
            if (deviceOpen_)
                output_->finish(); // everything said: let the device sleep
            continue;
        }
        if (ensureDeviceOpen())
            play(chunk, generation);
        // with no device the samples are dropped; something new tries again
    }
}

} // namespace fw::speech
