#include "framework/speech/PulseAudioOutput.h"

#include <pulse/error.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>

namespace fw::speech {

namespace {

// The server's buffer: 40 ms ahead, refilled 10 ms at a time, and playing
// as soon as 2 ms are there, so that the first chunk of a reading sounds at
// once. Its size costs no delay (a flush silences it whatever it holds,
// and playback starts with the first chunk); it only has to ride out the
// moments a busy machine leaves the output thread waiting. With 20 ms,
// 32 busy loops on 8 cores already made gaps in the speech.
constexpr uint32_t kTargetMilliseconds = 40;
constexpr uint32_t kRequestMilliseconds = 10;
constexpr uint32_t kPrebufferMilliseconds = 2;

void forget(pa_operation* operation)
{
    if (operation)
        pa_operation_unref(operation);
}

// Holds the connection's loop locked for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

} // namespace

PulseAudioOutput::PulseAudioOutput()
{
    loop_ = pa_threaded_mainloop_new();
    if (loop_ && pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

PulseAudioOutput::~PulseAudioOutput()
{
    if (!loop_)
        return;
    {
        LoopLock lock(loop_);
        release();
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

bool PulseAudioOutput::open(int sampleRate, std::string& reason)
{
    if (!loop_) {
        reason = "the sound server's event loop could not start";
        return false;
    }
    LoopLock lock(loop_);
    release();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Lirra Veriz");
    if (!context_) {
        reason = "out of memory";
        return false;
    }
    pa_context_set_state_callback(context_, onContextState, this);
    pa_context_state_t contextState = PA_CONTEXT_UNCONNECTED;
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) >= 0) {
        while ((contextState = pa_context_get_state(context_)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(contextState))
            pa_threaded_mainloop_wait(loop_);
    }
    if (contextState == PA_CONTEXT_READY) {
        pa_sample_spec spec{.format = PA_SAMPLE_S16LE, .rate = static_cast<uint32_t>(sampleRate), .channels = 1};
        stream_ = pa_stream_new(context_, "speech", &spec, nullptr);
    }
    if (stream_) {
        pa_stream_set_state_callback(stream_, onStreamEvent, this);
        pa_stream_set_write_callback(stream_, onStreamWritable, this);
        uint32_t bytesPerMillisecond = static_cast<uint32_t>(sampleRate) * sizeof(int16_t) / 1000;
        pa_buffer_attr buffer{
            .maxlength = static_cast<uint32_t>(-1),
            .tlength = bytesPerMillisecond * kTargetMilliseconds,
            .prebuf = bytesPerMillisecond * kPrebufferMilliseconds,
            .minreq = bytesPerMillisecond * kRequestMilliseconds,
            .fragsize = static_cast<uint32_t>(-1),
        };
        // Corked until there is something to say: an idle stream keeps the
        // server from suspending the sound card.
        auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        pa_stream_state_t streamState = PA_STREAM_UNCONNECTED;
        if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) >= 0) {
            while ((streamState = pa_stream_get_state(stream_)) != PA_STREAM_READY && PA_STREAM_IS_GOOD(streamState))
                pa_threaded_mainloop_wait(loop_);
        }
        if (streamState == PA_STREAM_READY) {
            corked_ = true;
            wakeRequested_ = false;
            return true;
        }
    }
    reason = pa_strerror(pa_context_errno(context_));
    release();
    return false;
}

std::optional<size_t> PulseAudioOutput::write(std::span<const std::int16_t> samples)
{
    if (!loop_)
        return std::nullopt;
    LoopLock lock(loop_);
    if (!streamReady())
        return std::nullopt;
    size_t room = pa_stream_writable_size(stream_);
    if (room == static_cast<size_t>(-1))
        return std::nullopt;
    size_t count = std::min(samples.size(), room / sizeof(int16_t));
    if (count == 0)
        return 0;
    if (pa_stream_write(stream_, samples.data(), count * sizeof(int16_t), nullptr, 0, PA_SEEK_RELATIVE) < 0)
        return std::nullopt;
    cancelDrain(); // more to play: stay awake
    if (corked_) {
        forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
        corked_ = false;
    }
    return count;
}

bool PulseAudioOutput::waitForRoom()
{
    if (!loop_)
        return false;
    LoopLock lock(loop_);
    for (;;) {
        if (!streamReady())
            return false;
        if (wakeRequested_) {
            wakeRequested_ = false;
            return true;
        }
        size_t room = pa_stream_writable_size(stream_);
        if (room == static_cast<size_t>(-1))
            return false;
        if (room >= sizeof(int16_t))
            return true;
        pa_threaded_mainloop_wait(loop_);
    }
}

void PulseAudioOutput::flush()
{
    if (!loop_)
        return;
    LoopLock lock(loop_);
    if (streamReady())
        forget(pa_stream_flush(stream_, nullptr, nullptr));
    wakeRequested_ = true;
    pa_threaded_mainloop_signal(loop_, 0);
}

void PulseAudioOutput::finish()
{
    if (!loop_)
        return;
    LoopLock lock(loop_);
    if (streamReady() && !corked_ && !drain_)
        drain_ = pa_stream_drain(stream_, onDrained, this);
}

void PulseAudioOutput::close()
{
    if (!loop_)
        return;
    LoopLock lock(loop_);
    release();
}

bool PulseAudioOutput::streamReady() const { return stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY; }

void PulseAudioOutput::cancelDrain()
{
    if (!drain_)
        return;
    pa_operation_cancel(drain_);
    pa_operation_unref(drain_);
    drain_ = nullptr;
}

void PulseAudioOutput::release()
{
    cancelDrain();
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    corked_ = true;
}

// The callbacks run on the loop's thread, with the loop locked.

void PulseAudioOutput::onContextState(pa_context*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioOutput*>(self)->loop_, 0);
}

void PulseAudioOutput::onStreamEvent(pa_stream*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioOutput*>(self)->loop_, 0);
}

void PulseAudioOutput::onStreamWritable(pa_stream*, size_t, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioOutput*>(self)->loop_, 0);
}

void PulseAudioOutput::onDrained(pa_stream* stream, int success, void* self)
{
    auto* output = static_cast<PulseAudioOutput*>(self);
    forget(output->drain_);
    output->drain_ = nullptr;
    // Played out with nothing written since: cork, so the sink can go idle.
    if (success && !output->corked_) {
        forget(pa_stream_cork(stream, 1, nullptr, nullptr));
        output->corked_ = true;
    }
}

} // namespace fw::speech
