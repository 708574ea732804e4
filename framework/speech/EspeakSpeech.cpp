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

EspeakSpeech::EspeakSpeech(std::unique_ptr<AudioOutput> output) : output_(std::move(output)), queue_(kQueueSamples)
{
    synthesisThread_ = std::thread([this] { synthesisLoop(); });
    try {
        outputThread_ = std::thread([this] { outputLoop(); });
    } catch (...) {
        shutDown();
        throw;
    }
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
    {
        std::lock_guard lock(deviceMutex_);
        output_->flush();  // wakes the output thread if it waits for room
    }
    requestsWaiting_.notify_all();
    synthesiserStarted_.notify_all();
    queue_.close();
    if (synthesisThread_.joinable())
        synthesisThread_.join();
    if (outputThread_.joinable())
        outputThread_.join();
    output_->close();
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
    // While an interruption is under way the output thread writes nothing,
    // so that the flush takes all that was said before and none of the new
    // text. The device is silenced from here rather than by the output
    // thread, which may be waiting for the device to take its samples.
    std::unique_lock<std::mutex> device;
    if (interrupt)
        device = std::unique_lock(deviceMutex_);
    uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        if (interrupt) {
            requests_.clear();
            queue_.interrupt(++generation_);
        }
        generation = generation_;
        if (!first.empty())
            queue(Request{std::move(first), generation});
    }
    if (interrupt) {
        output_->flush();
        device.unlock();
    }
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
    retryDevice_ = true;
    requestsWaiting_.notify_one();
}

void EspeakSpeech::synthesisLoop()
{
    int rate = Synthesiser::sampleRate();
    {
        std::lock_guard lock(mutex_);
        sampleRate_ = rate;
    }
    synthesiserStarted_.notify_all();
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
        return 1;  // superseded: stop synthesising
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

bool EspeakSpeech::openDevice()
{
    std::string reason;
    deviceOpen_ = sampleRate_ > 0 && output_->open(sampleRate_, reason);
    if (!deviceOpen_ && !deviceFailureReported_) {
        std::fprintf(stderr, "speech: no audio output: %s\n", reason.c_str());
        deviceFailureReported_ = true;
    }
    if (deviceOpen_)
        deviceFailureReported_ = false;
    return deviceOpen_;
}

bool EspeakSpeech::ensureDeviceOpen()
{
    return deviceOpen_ || (retryDevice_.exchange(false) && openDevice());
}

void EspeakSpeech::deviceLost()
{
    output_->close();
    deviceOpen_ = false;
    retryDevice_ = true;  // the next samples try once more, then wait for a new request
}

void EspeakSpeech::play(std::span<const int16_t> samples, uint64_t generation)
{
    while (!samples.empty()) {
        std::optional<size_t> taken;
        {
            std::lock_guard lock(deviceMutex_);
            if (generation != generation_)
                return;  // interrupted: the device has been or is about to be flushed
            taken = output_->write(samples);
        }
        if (!taken) {
            deviceLost();
            return;
        }
        samples = samples.subspan(*taken);
        if (!samples.empty() && !output_->waitForRoom()) {
            deviceLost();
            return;
        }
    }
}

void EspeakSpeech::outputLoop()
{
    {
        std::unique_lock lock(mutex_);
        synthesiserStarted_.wait(lock, [&] { return stopping_ || sampleRate_ >= 0; });
        if (stopping_)
            return;
    }
    if (sampleRate_ > 0)
        openDevice();  // ready before the first request, off the caller's path
    std::vector<int16_t> chunk;
    uint64_t generation = 0;
    while (queue_.pop(chunk, kChunkSamples, generation)) {
        if (chunk.empty()) {
            if (deviceOpen_)
                output_->finish();  // everything said: let the device sleep
            continue;
        }
        if (ensureDeviceOpen())
            play(chunk, generation);
        // with no device the samples are dropped; a later request tries again
    }
}

} // namespace fw::speech
