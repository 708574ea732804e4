#pragma once
// A sound device in memory: it keeps every sample written and notes when it
// was opened, closed, flushed, put to sleep and woken. It can be made to be
// missing, and to hold only so many samples, which it never plays: then only
// a flush makes room again.

#include "framework/speech/AudioOutput.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

class CaptureAudioOutput final : public fw::speech::AudioOutput {
public:
    struct State {
        std::atomic<bool> present{true};
        std::atomic<int> opens{0};
        size_t capacity = std::numeric_limits<size_t>::max(); // set before the engine starts
        // The rest with mutex held.
        std::mutex mutex;
        std::condition_variable changed;
        int sampleRate = 0;
        std::vector<int16_t> samples;  // everything written, in order
        std::vector<size_t> flushedAt; // samples.size() at each flush
        std::thread::id lastFlushThread;
        size_t held = 0;      // written since the last flush, against capacity
        bool asleep = true;   // not written to since open() or finish()
        int wakes = 0;        // writes that woke a sleeping device
        int sleeps = 0;       // finish() calls that put it to sleep
        bool waiting = false; // a thread is in waitForRoom()
        bool isOpen = false;  // opened and not closed since
    };
    explicit CaptureAudioOutput(std::shared_ptr<State> state) : state_(std::move(state)) {}

    bool open(int sampleRate, std::string& reason) override
    {
        std::lock_guard lock(state_->mutex);
        ++state_->opens;
        state_->changed.notify_all();
        if (!state_->present) {
            reason = "no device in the test";
            return false;
        }
        state_->sampleRate = sampleRate;
        state_->asleep = true;
        state_->isOpen = true;
        return true;
    }
    std::optional<size_t> write(std::span<const std::int16_t> samples) override
    {
        if (!state_->present)
            return std::nullopt;
        std::lock_guard lock(state_->mutex);
        size_t count = std::min(samples.size(), state_->capacity - state_->held);
        state_->samples.insert(state_->samples.end(), samples.begin(), samples.begin() + count);
        state_->held += count;
        if (count > 0 && state_->asleep) {
            state_->asleep = false;
            ++state_->wakes;
        }
        state_->changed.notify_all();
        return count;
    }
    bool waitForRoom() override
    {
        std::unique_lock lock(state_->mutex);
        size_t flushes = state_->flushedAt.size();
        state_->waiting = true;
        state_->changed.notify_all();
        state_->changed.wait(lock, [&] {
            return !state_->present || state_->held < state_->capacity || state_->flushedAt.size() != flushes;
        });
        state_->waiting = false;
        return state_->present;
    }
    void flush() override
    {
        std::lock_guard lock(state_->mutex);
        state_->flushedAt.push_back(state_->samples.size());
        state_->lastFlushThread = std::this_thread::get_id();
        state_->held = 0;
        state_->changed.notify_all();
    }
    void finish() override
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->asleep) {
            state_->asleep = true;
            ++state_->sleeps;
        }
        state_->changed.notify_all();
    }
    void close() override
    {
        std::lock_guard lock(state_->mutex);
        state_->isOpen = false;
        state_->changed.notify_all();
    }

private:
    std::shared_ptr<State> state_;
};
