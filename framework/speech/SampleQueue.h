#pragma once
// The bounded queue of samples between synthesis and the sound device.
// Synthesis runs far faster than playback, so it waits here for room; an
// interruption drops what is queued and wakes it at once.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <vector>

namespace fw::speech {

class SampleQueue {
public:
    explicit SampleQueue(size_t capacity) : capacity_(capacity) {}

    // Queues samples of the given generation, waiting for room. False when
    // that generation has been superseded or the queue is closed.
    bool push(std::span<const int16_t> samples, uint64_t generation);

    // The producer has nothing more for now: once the queued samples are
    // taken, pop() says so once.
    void endOfSpeech();

    // Waits for samples and moves up to maximum of them into chunk, with the
    // generation they belong to. Leaves chunk empty when the queue ran dry
    // after endOfSpeech(). False once the queue is closed.
    bool pop(std::vector<int16_t>& chunk, size_t maximum, uint64_t& generation);

    // Starts generation: drops every queued sample.
    void interrupt(uint64_t generation);
    // The generation last started: samples of any other are no longer wanted.
    uint64_t generation() const;

    // Wakes everyone for good.
    void close();

    size_t capacity() const { return capacity_; }
    size_t queued() const;

private:
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable room_, samples_;
    std::deque<int16_t> queued_;
    uint64_t generation_ = 0;
    bool ended_ = false;
    bool closed_ = false;
};

} // namespace fw::speech
