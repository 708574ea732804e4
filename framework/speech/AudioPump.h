#pragma once
// Hands the samples of a sample queue to the sound device, on a thread of
// its own. It opens the device as soon as the sample rate is known, tries a
// missing or lost device again when something new is to be said, lets the
// device sleep whenever the queue runs dry, and silences it at once on an
// interruption.

#include "framework/speech/AudioOutput.h"
#include "framework/speech/SampleQueue.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace fw::speech {

class AudioPump {
public:
    // Takes its samples from queue, which outlives the pump.
    AudioPump(std::unique_ptr<AudioOutput> output, SampleQueue& queue);
    ~AudioPump();
    AudioPump(const AudioPump&) = delete;
    AudioPump& operator=(const AudioPump&) = delete;

    // The samples come at sampleRate, or never when it is 0. The device is
    // opened now, off the path of the first request. Called once, from any
    // thread, also after stop().
    void start(int sampleRate);

    // Something new is to be said: a device that is missing or was lost is
    // tried once more when the next samples come.
    void retryDevice() { retryDevice_ = true; }

    // Starts a new generation with the device held still: startGeneration
    // moves the queue to it (and may queue what the new generation is to
    // say), then the device is flushed, from the calling thread, since the
    // pump's may be waiting for the device to take its samples. No write
    // falls in between, and none of an earlier generation follows, so the
    // flush takes all that was said before and none of what follows.
    template <class StartGeneration>
    void interrupt(StartGeneration&& startGeneration)
    {
        std::lock_guard lock(mutex_);
        std::forward<StartGeneration>(startGeneration)();
        output_->flush();
    }

    // Silences the device, closes the queue, ends the thread and closes the
    // device. Once is enough; the destructor calls it too.
    void stop();

    // Samples handed to the device at most per write: about 10 ms.
    static constexpr size_t kChunkSamples = 220;

private:
    void run();
    void play(std::span<const int16_t> samples, uint64_t generation);
    bool openDevice();
    bool ensureDeviceOpen();
    void deviceLost();

    std::unique_ptr<AudioOutput> output_;
    SampleQueue& queue_;
    // Held while checking that samples are still wanted and handing them to
    // the device, and while flushing it, so that an interruption's flush
    // either discards a write or makes it never happen. Taken before any
    // lock of the caller's that startGeneration takes. Guards sampleRate_
    // and stopping_ too.
    std::mutex mutex_;
    std::condition_variable started_;
    int sampleRate_ = -1; // -1 until start()
    bool stopping_ = false;
    std::atomic<bool> retryDevice_{false};
    bool deviceOpen_ = false;            // pump thread only
    bool deviceFailureReported_ = false; // pump thread only
    // Started last, in the constructor's body: it uses every member above.
    std::thread thread_;
};

} // namespace fw::speech
