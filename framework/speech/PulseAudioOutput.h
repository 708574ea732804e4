#pragma once
// Sound through the desktop's sound server (PulseAudio, or PipeWire serving
// the same interface), on the server's asynchronous interface: writes take
// only what the server has room for, a flush reaches the server from the
// thread that asks for it, and the stream is corked whenever it has played
// out, so that the server can let the sound card sleep.

#include "framework/speech/AudioOutput.h"

struct pa_context;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;

namespace fw::speech {

class PulseAudioOutput final : public AudioOutput {
public:
    PulseAudioOutput();
    ~PulseAudioOutput() override;
    PulseAudioOutput(const PulseAudioOutput&) = delete;
    PulseAudioOutput& operator=(const PulseAudioOutput&) = delete;

    bool open(int sampleRate, std::string& reason) override;
    std::optional<size_t> write(std::span<const std::int16_t> samples) override;
    bool waitForRoom() override;
    void flush() override;
    void finish() override;
    void close() override;

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamEvent(pa_stream* stream, void* self);
    static void onStreamWritable(pa_stream* stream, size_t bytes, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);

    bool streamReady() const; // with the loop locked
    void release();           // with the loop locked
    void cancelDrain();       // with the loop locked

    // Runs the server connection's callbacks on a thread of its own; every
    // member below is used only with it locked.
    pa_threaded_mainloop* loop_ = nullptr; // owned, for the object's whole life
    pa_context* context_ = nullptr;        // owned
    pa_stream* stream_ = nullptr;          // owned
    pa_operation* drain_ = nullptr;        // owned; the drain that corks once played out
    bool corked_ = true;
    bool wakeRequested_ = false; // a flush ends a waitForRoom()
};

} // namespace fw::speech
