#pragma once
// The speech service on espeak-ng, in-process. One worker thread owns the
// synthesiser (it is one global instance) and synthesises into a bounded
// sample queue; a second thread hands the samples to the sound device.
// speak() only queues a request, and on an interruption silences the
// device itself, and returns.

#include "framework/speech/AudioOutput.h"
#include "framework/speech/SampleQueue.h"
#include "framework/speech/SpeechService.h"

#include <atomic>
#include <deque>
#include <thread>

namespace fw::speech {

class EspeakSpeech final : public SpeechService {
public:
    explicit EspeakSpeech(std::unique_ptr<AudioOutput> output);
    ~EspeakSpeech() override;

    void speak(std::string_view utf8, bool interrupt) override;

    // Samples handed to the device at most per write: about 10 ms.
    static constexpr size_t kChunkSamples = 220;

private:
    struct Request {
        std::string text;
        uint64_t generation;
        bool continuation = false;  // the rest of the request before it, which began the reading
    };

    void shutDown();
    void synthesisLoop();
    void outputLoop();
    void synthesise(const Request& request);
    // Adds a request for the synthesis thread; mutex_ is held.
    void queue(Request request);
    void play(std::span<const int16_t> samples, uint64_t generation);
    bool openDevice();
    bool ensureDeviceOpen();
    void deviceLost();

    std::unique_ptr<AudioOutput> output_;
    SampleQueue queue_;
    std::mutex mutex_;  // guards requests_, stopping_, sampleRate_
    std::condition_variable requestsWaiting_, synthesiserStarted_;
    std::deque<Request> requests_;
    std::atomic<uint64_t> generation_{0};
    bool stopping_ = false;
    int sampleRate_ = -1;  // -1 until the synthesiser has started, 0 when it could not
    // Held while checking that samples are still wanted and handing them to
    // the device, and while flushing it, so that an interruption's flush
    // either discards a write or makes it never happen. Taken before mutex_
    // where a thread holds both.
    std::mutex deviceMutex_;
    std::atomic<bool> retryDevice_{false};  // a new request tries a missing device again
    bool deviceOpen_ = false;              // output thread only
    bool deviceFailureReported_ = false;   // output thread only
    // Started last, in the constructor's body: they use every member above.
    std::thread synthesisThread_;
    std::thread outputThread_;
};

} // namespace fw::speech
