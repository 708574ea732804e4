#include "framework/speech/EspeakSpeech.h"

#include "framework/speech/TextPieces.h"
#include "framework/speech/TextSanitiser.h"

#include <espeak-ng/speak_lib.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace fw::speech {

namespace {

// Room for about a quarter of a second at 22050 Hz.
constexpr size_t kQueueSamples = 5600;
// The callback's buffer: samples arrive in pieces of about this many ms.
constexpr int kSynthesisBufferMilliseconds = 20;
// Marks the silent warm-up synthesis, whose samples go nowhere.
constexpr uint64_t kWarmUp = ~uint64_t{0};

struct SynthesisContext {
    uint64_t generation;
    std::atomic<uint64_t>* current;
    SampleQueue* queue;
};

int onSamples(short* samples, int count, espeak_EVENT* events);

void synthesisePiece(const std::string& piece, SynthesisContext& context)
{
    espeak_Synth(piece.c_str(), piece.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &context);
}

// The synthesiser is one instance per process and cannot be started again
// once terminated, so it starts with the first engine and ends with the
// process. Engines follow one another, never overlap.
class Synthesiser {
public:
    static int sampleRate()
    {
        static Synthesiser instance;
        return instance.rate_;
    }

private:
    Synthesiser()
    {
        std::string locale = std::setlocale(LC_ALL, nullptr);
        rate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kSynthesisBufferMilliseconds, nullptr,
                                  espeakINITIALIZE_DONT_EXIT);
        std::setlocale(LC_ALL, locale.c_str());
        if (rate_ <= 0) {
            std::fprintf(stderr, "speech: the synthesiser could not start (no voice data?); nothing will be spoken\n");
            rate_ = 0;
            return;
        }
        espeak_SetSynthCallback(onSamples);
        if (espeak_SetVoiceByName("en") != EE_OK)
            std::fprintf(stderr, "speech: no English voice; speaking with the default voice\n");
        // The first synthesis loads the voice's tables; do it now, silently,
        // so that the first reading starts at once.
        SynthesisContext warmUp{kWarmUp, nullptr, nullptr};
        synthesisePiece("a", warmUp);
    }
    ~Synthesiser()
    {
        if (rate_ > 0)
            espeak_Terminate();
    }

    int rate_ = 0;
};

} // namespace

EspeakSpeech::EspeakSpeech(std::unique_ptr<AudioOutput> output)
    : output_(std::move(output)), queue_(kQueueSamples), synthesis_([this] { synthesisLoop(); })
{
}

EspeakSpeech::~EspeakSpeech()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        requests_.clear();
    }
    queue_.interrupt(++generation_);
    requestsWaiting_.notify_all();
    queue_.close();
    synthesis_.join();
    if (output_thread_.joinable())
        output_thread_.join();
    output_->close();
}

void EspeakSpeech::speak(std::string_view utf8, bool interrupt)
{
    // Copied before taking the lock, so that a huge text never holds up the
    // synthesis thread as it fetches its next request.
    std::string text = hasWords(utf8) ? std::string(utf8) : std::string();
    std::lock_guard lock(mutex_);
    if (interrupt) {
        requests_.clear();
        queue_.interrupt(++generation_);
    }
    if (!text.empty()) {
        requests_.push_back({std::move(text), generation_.load()});
        requestsWaiting_.notify_one();
    }
}

void EspeakSpeech::synthesisLoop()
{
    sampleRate_ = Synthesiser::sampleRate();
    bool ready = sampleRate_ > 0;
    output_thread_ = std::thread([this] { outputLoop(); });
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            requestsWaiting_.wait(lock, [&] { return stopping_ || !requests_.empty(); });
            if (stopping_)
                break;
            request = std::move(requests_.front());
            requests_.pop_front();
        }
        if (ready && request.generation == generation_)
            synthesise(request);
    }
}

void EspeakSpeech::synthesise(const Request& request)
{
    SynthesisContext context{request.generation, &generation_, &queue_};
    std::string_view rest = request.text;
    while (!rest.empty() && request.generation == generation_) {
        size_t length = firstPieceLength(rest);
        synthesisePiece(sanitiseForSpeech(rest.substr(0, length)), context);
        rest.remove_prefix(length);
    }
}

namespace {

// Called by the synthesiser, on the synthesis thread, with each piece of audio.
int onSamples(short* samples, int count, espeak_EVENT* events)
{
    auto* context = static_cast<SynthesisContext*>(events->user_data);
    if (context->generation == kWarmUp)
        return 0;
    if (context->generation != context->current->load())
        return 1;  // superseded: stop synthesising
    if (!samples || count <= 0)
        return 0;
    return context->queue->push({samples, static_cast<size_t>(count)}, context->generation) ? 0 : 1;
}

} // namespace

bool EspeakSpeech::ensureDeviceOpen()
{
    if (deviceOpen_ || sampleRate_ == 0 || !reopenAllowed_)
        return deviceOpen_;
    reopenAllowed_ = false;
    std::string reason;
    deviceOpen_ = output_->open(sampleRate_, reason);
    if (!deviceOpen_ && !deviceFailureReported_) {
        std::fprintf(stderr, "speech: no audio output: %s\n", reason.c_str());
        deviceFailureReported_ = true;
    }
    if (deviceOpen_)
        deviceFailureReported_ = false;
    return deviceOpen_;
}

void EspeakSpeech::outputLoop()
{
    ensureDeviceOpen();  // ready before the first request, off the caller's path
    std::vector<int16_t> chunk;
    bool flushFirst = false;
    while (queue_.pop(chunk, kChunkSamples, flushFirst)) {
        if (flushFirst) {
            reopenAllowed_ = true;  // each new reading tries a missing device again
            if (deviceOpen_)
                output_->flush();
        }
        if (chunk.empty() || !ensureDeviceOpen())
            continue;  // with no device the samples are dropped; a later request tries again
        if (!output_->write(chunk)) {
            output_->close();
            deviceOpen_ = false;
            reopenAllowed_ = true;
        }
    }
}

} // namespace fw::speech
