#pragma once
// A sound device in memory: it keeps every sample written, and can be
// made to be missing.

#include "framework/speech/AudioOutput.h"

#include <atomic>
#include <mutex>
#include <vector>

class CaptureAudioOutput final : public fw::speech::AudioOutput {
public:
    struct State {
        std::mutex mutex;
        std::vector<int16_t> samples;
        std::atomic<bool> present{true};
        std::atomic<int> opens{0}, flushes{0};
        int sampleRate = 0;
    };
    explicit CaptureAudioOutput(std::shared_ptr<State> state) : state_(std::move(state)) {}

    bool open(int sampleRate, std::string& reason) override
    {
        ++state_->opens;
        if (!state_->present) {
            reason = "no device in the test";
            return false;
        }
        state_->sampleRate = sampleRate;
        return true;
    }
    bool write(std::span<const std::int16_t> samples) override
    {
        if (!state_->present)
            return false;
        std::lock_guard lock(state_->mutex);
        state_->samples.insert(state_->samples.end(), samples.begin(), samples.end());
        return true;
    }
    void flush() override { ++state_->flushes; }
    void close() override {}

private:
    std::shared_ptr<State> state_;
};
