#pragma once
// The speech service on espeak-ng, in-process. One worker thread owns the
// synthesiser (it is one global instance) and synthesises into a bounded
// sample queue; an audio pump hands the samples to the sound device.
// speak() only queues a request, and on an interruption silences the
// device itself, and returns.

#include "framework/speech/AudioOutput.h"
#include "framework/speech/AudioPump.h"
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

private:
    struct Request {
        std::string text;
        uint64_t generation;
        bool continuation = false; // the rest of the request before it, which began the reading
    };

    void shutDown();
    void synthesisLoop();
    void synthesise(const Request& request);
    // Adds a request for the synthesis thread; mutex_ is held.
    void queue(Request request);

    SampleQueue queue_;
    AudioPump pump_;   // its lock is taken before mutex_ where a thread holds both
    std::mutex mutex_; // guards requests_, stopping_
    std::condition_variable requestsWaiting_;
    std::deque<Request> requests_;
    std::atomic<uint64_t> generation_{0};
    bool stopping_ = false;
    // Started last, in the constructor's body: it uses every member above.
    std::thread synthesisThread_;
};

} // namespace fw::speech
