#include "framework/speech/EspeakSpeech.h"

#include "framework/speech/TextPieces.h"
#include "framework/speech/TextSanitiser.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
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
    // Until the first sound of a request: the exact zeros that every
    // utterance starts with are dropped, so that the words start at once.
    bool leadingSilence;
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
        // The first syntheses load the voice's tables and fill the
        // synthesiser's caches; do it now, silently, with a sentence that
        // goes through most of its stages, so that the first reading starts
        // as soon as the later ones do.
        SynthesisContext warmUp{kWarmUp, nullptr, nullptr, false};
        synthesisePiece("Seven words, read aloud quickly: yes.", warmUp);
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
    : queue_(kQueueSamples), pump_(std::move(output), queue_)
{
    synthesisThread_ = std::thread([this] { synthesisLoop(); });
}

EspeakSpeech::~EspeakSpeech() { shutDown(); }

void EspeakSpeech::shutDown()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        requests_.clear();
    }
    queue_.interrupt(++generation_);
    pump_.stop(); // silences the device at once
    requestsWaiting_.notify_all();
    if (synthesisThread_.joinable())
        synthesisThread_.join();
}

void EspeakSpeech::speak(std::string_view utf8, bool interrupt)
{
    if (!hasWords(utf8))
        utf8 = {};
    // A long text's first piece is handed over before the rest is copied,
    // so that its first words are being synthesised meanwhile. Each copy is
    // made outside the lock, so that a huge text never holds up the
    // synthesis thread as it fetches its next request.
    const HandOver handOver = splitForHandOver(utf8);
    std::string first(handOver.first);
    uint64_t generation = 0;
    auto handOverFirst = [&] {
        std::lock_guard lock(mutex_);
        if (interrupt) {
            requests_.clear();
            queue_.interrupt(++generation_);
        }
        generation = generation_;
        if (!first.empty())
            queue(Request{std::move(first), generation});
    };
    // An interruption holds the device still while the new text is handed
    // over, then silences it from here: the flush takes all that was said
    // before and none of the new text.
    if (interrupt)
        pump_.interrupt(handOverFirst);
    else
        handOverFirst();
    if (!handOver.rest.empty()) {
        std::string rest(handOver.rest);
        std::lock_guard lock(mutex_);
        if (generation == generation_)
            queue(Request{std::move(rest), generation, true});
    }
}

void EspeakSpeech::queue(Request request)
{
    requests_.push_back(std::move(request));
    pump_.retryDevice();
    requestsWaiting_.notify_one();
}

void EspeakSpeech::synthesisLoop()
{
    int rate = Synthesiser::sampleRate();
    pump_.start(rate);
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            if (requests_.empty() && !stopping_) {
                lock.unlock();
                queue_.endOfSpeech();
                lock.lock();
                requestsWaiting_.wait(lock, [&] { return stopping_ || !requests_.empty(); });
            }
            if (stopping_)
                break;
            request = std::move(requests_.front());
            requests_.pop_front();
        }
        if (rate > 0 && request.generation == generation_)
            synthesise(request);
    }
}

void EspeakSpeech::synthesise(const Request& request)
{
    SynthesisContext context{request.generation, &generation_, &queue_, !request.continuation};
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
        return 1; // superseded: stop synthesising
    if (!samples || count <= 0)
        return 0;
    std::span<const int16_t> sound(samples, static_cast<size_t>(count));
    if (context->leadingSilence) {
        size_t zeros = std::find_if(sound.begin(), sound.end(), [](int16_t s) { return s != 0; }) - sound.begin();
        sound = sound.subspan(zeros);
        if (sound.empty())
            return 0;
        context->leadingSilence = false;
    }
    return context->queue->push(sound, context->generation) ? 0 : 1;
}

} // namespace

} // namespace fw::speech
