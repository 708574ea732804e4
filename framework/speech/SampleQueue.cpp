#include "framework/speech/SampleQueue.h"

#include <algorithm>

namespace fw::speech {

bool SampleQueue::push(std::span<const int16_t> samples, uint64_t generation)
{
    std::unique_lock lock(mutex_);
    while (!samples.empty()) {
        room_.wait(lock, [&] { return closed_ || generation != generation_ || queued_.size() < capacity_; });
        if (closed_ || generation != generation_)
            return false;
        size_t count = std::min(samples.size(), capacity_ - queued_.size());
        queued_.insert(queued_.end(), samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(count));
        samples = samples.subspan(count);
        ended_ = false;
        samples_.notify_one();
    }
    return true;
}

void SampleQueue::endOfSpeech()
{
    std::lock_guard lock(mutex_);
    ended_ = true;
    samples_.notify_one();
}

bool SampleQueue::pop(std::vector<int16_t>& chunk, size_t maximum, uint64_t& generation)
{
    std::unique_lock lock(mutex_);
    samples_.wait(lock, [&] { return closed_ || ended_ || !queued_.empty(); });
    if (closed_)
        return false;
    generation = generation_;
    size_t count = std::min(maximum, queued_.size());
    chunk.assign(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(count));
    queued_.erase(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(count));
    if (count == 0)
        ended_ = false; // said once
    room_.notify_all();
    return true;
}

void SampleQueue::interrupt(uint64_t generation)
{
    std::lock_guard lock(mutex_);
    generation_ = generation;
    queued_.clear();
    room_.notify_all();
}

uint64_t SampleQueue::generation() const
{
    std::lock_guard lock(mutex_);
    return generation_;
}

void SampleQueue::close()
{
    std::lock_guard lock(mutex_);
    closed_ = true;
    room_.notify_all();
    samples_.notify_all();
}

size_t SampleQueue::queued() const
{
    std::lock_guard lock(mutex_);
    return queued_.size();
}

} // namespace fw::speech
