#pragma once
// The speech service on espeak-ng, in-process. One worker thread owns the
// synthesiser (it is one global instance) and synthesises into a bounded
// sample queue; a second thread hands the samples to the sound device.
// speak() only queues a request and returns.

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

    // Samples handed to the device per write: about 10 ms.
    static constexpr size_t kChunkSamples = 220;

private:
    struct Request {
        std::string text;
        uint64_t generation;
    };

    void synthesisLoop();
    void outputLoop();
    void synthesise(const Request& request);
    bool ensureDeviceOpen();

    std::unique_ptr<AudioOutput> output_;
    SampleQueue queue_;
    std::mutex mutex_;
    std::condition_variable requestsWaiting_;
    std::deque<Request> requests_;
    std::atomic<uint64_t> generation_{0};
    bool stopping_ = false;
    std::atomic<int> sampleRate_{0};
    bool deviceOpen_ = false;  // output thread only
    bool deviceFailureReported_ = false;
    bool reopenAllowed_ = true;  // output thread only
    std::thread synthesis_;
    std::thread output_thread_;
};

} // namespace fw::speech
