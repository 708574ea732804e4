// The speech engine synthesising for real into an in-memory device, its
// text sanitiser and its bounded sample queue.

#include "framework/speech/EspeakSpeech.h"
#include "framework/speech/SampleQueue.h"
#include "framework/speech/TextPieces.h"
#include "framework/speech/TextSanitiser.h"
#include "tests/speech/CaptureAudioOutput.h"
#include "tests/speech/WaitLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sched.h>
#include <thread>
#include <unistd.h>
#include <utility>

using namespace fw::speech;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

struct SanitiseCase {
    const char* what;
    std::string input, expected;
};

TEST(TextSanitiserTest, HostileTextsBecomeSpeakable)
{
    const SanitiseCase cases[] = {
        {"plain", "Hello, world.", "Hello, world."},
        {"NUL inside", std::string("before\0after", 12), "before after"},
        {"control characters", "a\x01\x1b[31mb\x7f", "a  [31mb "},
        {"line breaks kept, CR to LF", "one\r\ntwo\tthree", "one\n\ntwo\tthree"},
        {"replacement character", "x\xEF\xBF\xBDy", "x y"},
        {"C1 control", "x\xC2\x85y", "x y"},
        {"truncated sequence", "x\xE2\x82", "x  "},
        {"stray continuation", "x\x80y", "x y"},
        {"overlong", "\xC0\xAF", "  "},
        {"surrogate", "\xED\xA0\x80", "   "},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "    "},
        {"valid multibyte", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
    };
    for (const SanitiseCase& c : cases)
        EXPECT_EQ(sanitiseForSpeech(c.input), c.expected) << c.what;
    EXPECT_FALSE(hasWords(" \t\n "));
    EXPECT_TRUE(hasWords(" a "));
    std::string big(10 * 1024 * 1024, 'x');
    EXPECT_EQ(sanitiseForSpeech(big).size(), big.size());
}

struct PieceCase {
    const char* what;
    std::string text;
    size_t limit, expected;
};

TEST(TextPiecesTest, LongTextsAreCutBetweenWords)
{
    const PieceCase cases[] = {
        {"fits whole", "Short text.", 20, 11},
        {"after the last sentence end", "One. Two three four five", 10, 5},
        {"sentence end too early, last blank", "A. bb cc dd ee ff gg hh", 20, 18},
        {"after a line break", "first line\nsecond line", 15, 11},
        {"no blank: whole characters only", "\xC3\xA9\xC3\xA9\xC3\xA9", 3, 2},
        {"no blank, ASCII", "abcdefghij", 4, 4},
    };
    for (const PieceCase& c : cases)
        EXPECT_EQ(firstPieceLength(c.text, c.limit), c.expected) << c.what;

    std::string words;
    while (words.size() < 100000)
        words += "many words ";
    size_t total = 0, pieces = 0;
    for (std::string_view rest = words; !rest.empty(); ++pieces) {
        size_t length = firstPieceLength(rest);
        ASSERT_GT(length, 0u);
        ASSERT_LE(length, kPieceBytes);
        EXPECT_TRUE(rest.size() == length || rest[length - 1] == ' ') << "a cut falls after a blank";
        total += length;
        rest.remove_prefix(length);
    }
    EXPECT_EQ(total, words.size());
    EXPECT_LT(pieces, words.size() / kPieceBytes * 2 + 2) << "pieces stay well filled";
}

// A text of exactly bytes bytes: lead, then unit over and over.
std::string repeated(std::string_view unit, size_t bytes, std::string_view lead = "")
{
    std::string text(lead);
    while (text.size() < bytes)
        text += unit;
    text.resize(bytes);
    return text;
}

struct HandOverCase {
    const char* what;
    std::string text;
    size_t first;
};

TEST(TextPiecesTest, LongTextsAreHandedOverInTwoPartsWithNothingLost)
{
    const HandOverCase cases[] = {
        {"empty", "", 0},
        {"exactly the whole-copy size", repeated("many words ", kHandedOverWhole), kHandedOverWhole},
        {"one byte over: after the last blank", repeated("many words ", kHandedOverWhole + 1), 4092},
        {"far over", repeated("many words ", 16 * kHandedOverWhole), 4092},
        {"3-byte character across the cut", repeated("\xE2\x82\xAC", kHandedOverWhole + 2), 4095},
        {"4-byte character across the cut", repeated("\xF0\x9F\x98\x80", kHandedOverWhole + 1, "a"), 4093},
    };
    for (const HandOverCase& c : cases) {
        const HandOver handOver = splitForHandOver(c.text);
        EXPECT_EQ(handOver.first.size(), c.first) << c.what;
        EXPECT_EQ(handOver.first.size() + handOver.rest.size(), c.text.size()) << c.what << ": nothing lost";
        EXPECT_TRUE(std::string(handOver.first) + std::string(handOver.rest) == c.text) << c.what << ": nor changed";
    }
}

// Whether thread, one of this process's, sleeps in the kernel, as one that
// waits on a condition variable does.
bool asleep(pid_t thread)
{
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string line;
    std::getline(stat, line);
    size_t nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && line.compare(nameEnd, 3, ") S") == 0;
}

TEST(SampleQueueTest, BoundedInterruptibleAndSaysWhenDry)
{
    SampleQueue queue(100);
    std::vector<int16_t> samples(250, 7);
    std::atomic<bool> pushed{false}, result{true};
    std::thread producer([&] {
        result = queue.push(samples, 0);
        pushed = true;
    });
    for (auto deadline = Clock::now() + 20s; queue.queued() < 100 && Clock::now() < deadline;)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(queue.queued(), 100u);
    EXPECT_FALSE(pushed) << "a full queue makes synthesis wait";
    queue.interrupt(1);
    producer.join();
    EXPECT_FALSE(result) << "an interruption wakes the waiting producer and turns it away";
    EXPECT_EQ(queue.queued(), 0u);
    EXPECT_FALSE(queue.push(std::vector<int16_t>(5, 1), 0)) << "a superseded generation is turned away";

    std::vector<int16_t> chunk;
    uint64_t generation = 0;
    EXPECT_TRUE(queue.push(std::vector<int16_t>(5, 1), 1));
    queue.endOfSpeech();
    ASSERT_TRUE(queue.pop(chunk, 3, generation));
    EXPECT_EQ(chunk.size(), 3u);
    EXPECT_EQ(generation, 1u);
    ASSERT_TRUE(queue.pop(chunk, 3, generation));
    EXPECT_EQ(chunk.size(), 2u) << "what is queued comes before the end";
    ASSERT_TRUE(queue.pop(chunk, 3, generation));
    EXPECT_TRUE(chunk.empty()) << "then the queue says it ran dry";

    std::atomic<pid_t> popperId{0};
    std::atomic<bool> popped{false}, popResult{true};
    std::thread popper([&] {
        popperId = gettid();
        popResult = queue.pop(chunk, 3, generation);
        popped = true;
    });
    for (auto deadline = Clock::now() + 20s; !popped && !(popperId && asleep(popperId)) && Clock::now() < deadline;)
        std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(popped) << "it says so once, then waits";
    queue.close();
    withinLimit(20s, "closing to end a wait for samples", [&] { popper.join(); });
    EXPECT_FALSE(popResult) << "closing ends the wait";
}

using Device = CaptureAudioOutput::State;

// Enough to keep an engine busy for minutes.
std::string manyWords()
{
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "word number " + std::to_string(i) + ". ";
    return words;
}

class EngineTest : public ::testing::Test {
protected:
    std::shared_ptr<Device> device = std::make_shared<Device>();

    std::unique_ptr<EspeakSpeech> makeEngine()
    {
        return std::make_unique<EspeakSpeech>(std::make_unique<CaptureAudioOutput>(device));
    }
    // Waits, up to a deadline generous enough for a loaded machine, until
    // the device's state satisfies condition.
    template <class Condition>
    static bool waitFor(Device& state, Condition condition)
    {
        std::unique_lock lock(state.mutex);
        return state.changed.wait_for(lock, 30s, [&] { return condition(std::as_const(state)); });
    }
    template <class Condition>
    bool waitFor(Condition condition)
    {
        return waitFor(*device, condition);
    }
    // Waits until the device has been put to sleep the given number of
    // times and sleeps now: everything asked for has been handed over.
    static bool waitUntilSaid(Device& state, int readings)
    {
        return waitFor(state, [&](const Device& d) { return d.asleep && d.sleeps >= readings; });
    }
    bool waitUntilSaid(int readings = 1) { return waitUntilSaid(*device, readings); }
    bool waitUntilSpeaking()
    {
        return waitFor([](const Device& d) { return !d.samples.empty(); });
    }
    std::vector<int16_t> samples()
    {
        std::lock_guard lock(device->mutex);
        return device->samples;
    }
    std::vector<size_t> flushes()
    {
        std::lock_guard lock(device->mutex);
        return device->flushedAt;
    }
    // What a fresh engine hands to its device for text.
    static std::vector<int16_t> spokenAlone(const std::string& text)
    {
        auto state = std::make_shared<Device>();
        EspeakSpeech engine(std::make_unique<CaptureAudioOutput>(state));
        engine.speak(text, true);
        EXPECT_TRUE(waitUntilSaid(*state, 1));
        std::lock_guard lock(state->mutex);
        return state->samples;
    }
};

// Synthesis repeats itself at the start of a text, but how long it lasts
// varies by a few percent with what the synthesiser said before.
::testing::AssertionResult sameSpeech(std::span<const int16_t> said, std::span<const int16_t> expected)
{
    size_t start = std::min<size_t>(expected.size(), 500);
    if (said.size() < start || !std::equal(expected.begin(), expected.begin() + start, said.begin()))
        return ::testing::AssertionFailure() << "starts differently";
    if (said.size() * 100 < expected.size() * 85 || said.size() * 100 > expected.size() * 115)
        return ::testing::AssertionFailure() << said.size() << " samples, not about " << expected.size();
    return ::testing::AssertionSuccess();
}

size_t longestZeroRun(const std::vector<int16_t>& samples)
{
    size_t longest = 0, run = 0;
    for (int16_t sample : samples) {
        run = sample == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(EngineTest, SpeaksASentenceOfTheRightLength)
{
    auto engine = makeEngine();
    engine->speak("The quick brown fox jumps over the lazy dog.", false);
    ASSERT_TRUE(waitUntilSaid());
    ASSERT_GT(device->sampleRate, 0);
    double seconds = static_cast<double>(samples().size()) / device->sampleRate;
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);
}

TEST_F(EngineTest, SoundStartsWithTheFirstWordAndPausesInsideStay)
{
    auto engine = makeEngine();
    engine->speak("Hello there. How are you?", true);
    ASSERT_TRUE(waitUntilSaid());
    std::vector<int16_t> said = samples();
    ASSERT_FALSE(said.empty());
    EXPECT_NE(said.front(), 0) << "the silence that leads an utterance is not handed to the device";
    EXPECT_GT(longestZeroRun(said), static_cast<size_t>(device->sampleRate / 10))
        << "the pause between sentences stays";
}

TEST_F(EngineTest, BlankTextsSayNothing)
{
    std::vector<int16_t> alone = spokenAlone("Hi.");
    auto engine = makeEngine();
    engine->speak(" \t\n", false);
    engine->speak("", false);
    engine->speak("Hi.", false);
    ASSERT_TRUE(waitUntilSaid());
    EXPECT_TRUE(sameSpeech(samples(), alone));
}

TEST_F(EngineTest, TextAfterANulIsStillSpoken)
{
    size_t prefix = spokenAlone("one two three").size();
    auto engine = makeEngine();
    engine->speak(std::string("one two three\0four five six seven", 33), false);
    ASSERT_TRUE(waitUntilSaid());
    EXPECT_GT(samples().size(), prefix * 3 / 2);
}

TEST_F(EngineTest, ReadOverReadHearsOnlyTheNewTextAndQueuedTextsFollow)
{
    std::vector<int16_t> alone = spokenAlone("Hello there.");
    auto engine = makeEngine();
    engine->speak(manyWords(), false);
    ASSERT_TRUE(waitUntilSpeaking());
    engine->speak("Hello there.", true);
    ASSERT_TRUE(waitUntilSaid());
    std::vector<size_t> flushedAt = flushes();
    ASSERT_EQ(flushedAt.size(), 1u) << "an interruption flushes the device";
    std::vector<int16_t> said = samples();
    EXPECT_TRUE(sameSpeech(std::span(said).subspan(flushedAt[0]), alone))
        << "after the flush, the new text and nothing of the old one";

    auto queued = std::make_shared<Device>();
    EspeakSpeech second(std::make_unique<CaptureAudioOutput>(queued));
    second.speak("Hello there.", false);
    second.speak("Hello there.", false);
    ASSERT_TRUE(waitFor(*queued, [&](const Device& d) { return d.asleep && d.samples.size() > alone.size() * 3 / 2; }));
    std::vector<int16_t> twice = alone;
    twice.insert(twice.end(), alone.begin(), alone.end());
    std::lock_guard lock(queued->mutex);
    EXPECT_TRUE(sameSpeech(queued->samples, twice)) << "a text given without interrupt follows the one being spoken";
}

TEST_F(EngineTest, StopReachesTheDeviceWhileTheOutputWaitsForRoom)
{
    device->capacity = 2000; // fills at once and never plays
    auto engine = makeEngine();
    engine->speak(manyWords(), false);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.waiting; })) << "the device is full";
    engine->speak(" ", true);
    {
        std::lock_guard lock(device->mutex);
        ASSERT_EQ(device->flushedAt.size(), 1u) << "flushed before the call returned";
        EXPECT_EQ(device->lastFlushThread, std::this_thread::get_id()) << "by the thread that asked";
    }
    ASSERT_TRUE(waitUntilSaid());
    EXPECT_EQ(samples().size(), 2000u) << "nothing of the interrupted text follows the flush";
}

TEST_F(EngineTest, DeviceSleepsOnceEverythingIsSaidAndWakesForTheNextReading)
{
    auto engine = makeEngine();
    engine->speak("Hello there.", true);
    ASSERT_TRUE(waitUntilSaid(1));
    std::vector<int16_t> first = samples();
    EXPECT_FALSE(first.empty());
    engine->speak("Hello there.", true);
    ASSERT_TRUE(waitUntilSaid(2));
    std::lock_guard lock(device->mutex);
    EXPECT_EQ(device->wakes, 2) << "each reading wakes the device";
    EXPECT_EQ(device->sleeps, 2) << "and lets it sleep once all is handed over";
    EXPECT_TRUE(sameSpeech(std::span(device->samples).subspan(first.size()), first)) << "the second reading is whole";
}

TEST_F(EngineTest, HugeTextStopsPromptly)
{
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "This is a sentence in a very long text. ";
    auto engine = makeEngine();
    engine->speak(huge, false);
    ASSERT_TRUE(waitUntilSpeaking());
    engine->speak(" ", true);
    ASSERT_TRUE(waitUntilSaid());
    std::vector<size_t> flushedAt = flushes();
    ASSERT_EQ(flushedAt.size(), 1u);
    EXPECT_EQ(samples().size(), flushedAt[0]) << "the rest is not spoken";
    engine.reset(); // quitting while the queue was busy must not hang
}

TEST_F(EngineTest, MissingDeviceIsReportedOnceAndSpeechResumesLater)
{
    device->present = false;
    testing::internal::CaptureStderr();
    auto engine = makeEngine();
    engine->speak("First try.", true);
    bool firstTried = waitFor([&](const Device&) { return device->opens >= 2; });
    engine->speak("Second try.", true);
    bool secondTried = waitFor([&](const Device&) { return device->opens >= 3; });
    std::string stderrText = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(firstTried && secondTried) << "each new request tries the device again";
    EXPECT_EQ(stderrText, "speech: no audio output: no device in the test\n");
    EXPECT_TRUE(samples().empty());
    device->present = true;
    engine->speak("Now it is back.", true);
    EXPECT_TRUE(waitUntilSaid());
    EXPECT_FALSE(samples().empty());
}

} // namespace

namespace {

// Engines made and ended back to back while busy threads share one core
// with them: each engine's threads then start and run at unpredictable
// moments relative to its constructor and destructor. Each one ends promptly
// with its device closed, and the synthesiser they share still speaks for
// the next engine, which ends as promptly while its output waits for room.
TEST(EngineLifetimeTest, EnginesStartAndEndUnderLoad)
{
    cpu_set_t original;
    bool pinned = sched_getaffinity(0, sizeof original, &original) == 0;
    if (pinned) {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        pinned = sched_setaffinity(0, sizeof one, &one) == 0;
    }
    std::atomic<bool> done{false};
    std::vector<std::thread> load;
    for (int i = 0; i < 3; ++i)
        load.emplace_back([&] {
            while (!done.load(std::memory_order_relaxed)) {
            }
        });
    auto device = std::make_shared<CaptureAudioOutput::State>();
    Clock::duration slowest{};
    int leftOpen = 0;
    withinLimit(120s, "a thousand engines to start and end", [&] {
        for (int i = 0; i < 1000; ++i) {
            auto start = Clock::now();
            auto engine = std::make_unique<EspeakSpeech>(std::make_unique<CaptureAudioOutput>(device));
            if (i % 3 == 0)
                engine->speak("a", i % 2 == 0);
            if (i % 10 == 9) { // most end before their device opens; these end after
                std::unique_lock lock(device->mutex);
                ASSERT_TRUE(device->changed.wait_for(lock, 30s, [&] { return device->isOpen; }))
                    << "engine " << i << " opens its device";
            }
            engine.reset();
            slowest = std::max(slowest, Clock::now() - start);
            std::lock_guard lock(device->mutex);
            leftOpen += device->isOpen;
        }
    });
    done = true;
    for (std::thread& thread : load)
        thread.join();
    if (pinned)
        sched_setaffinity(0, sizeof original, &original);
    EXPECT_LT(slowest, 5s) << "an engine starts and ends promptly";
    EXPECT_EQ(leftOpen, 0) << "engines that left their device open";

    auto full = std::make_shared<CaptureAudioOutput::State>();
    full->capacity = 2000; // fills at once and never plays
    auto engine = std::make_unique<EspeakSpeech>(std::make_unique<CaptureAudioOutput>(full));
    engine->speak(manyWords(), false);
    {
        std::unique_lock lock(full->mutex);
        ASSERT_TRUE(full->changed.wait_for(lock, 30s, [&] { return full->waiting; }))
            << "an engine after a thousand others speaks until its device is full";
    }
    auto start = Clock::now();
    withinLimit(30s, "an engine to end while its output waits for room", [&] { engine.reset(); });
    EXPECT_LT(Clock::now() - start, 5s) << "an engine ends promptly while its output waits for room";
    std::lock_guard lock(full->mutex);
    EXPECT_FALSE(full->isOpen) << "and closes its device";
}

} // namespace
