// The speech engine synthesising for real into an in-memory device, its
// text sanitiser and its bounded sample queue.

#include "framework/speech/EspeakSpeech.h"
#include "framework/speech/SampleQueue.h"
#include "framework/speech/TextPieces.h"
#include "framework/speech/TextSanitiser.h"
#include "tests/speech/CaptureAudioOutput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace fw::speech;
using namespace std::chrono_literals;

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

TEST(SampleQueueTest, BoundedAndInterruptible)
{
    SampleQueue queue(100);
    std::vector<int16_t> samples(250, 7);
    std::atomic<bool> pushed{false}, result{true};
    std::thread producer([&] {
        result = queue.push(samples, 0);
        pushed = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(pushed) << "a full queue makes synthesis wait";
    EXPECT_EQ(queue.queued(), 100u);
    queue.interrupt(1);
    producer.join();
    EXPECT_FALSE(result) << "an interruption wakes the waiting producer and turns it away";
    EXPECT_EQ(queue.queued(), 0u);
    std::vector<int16_t> chunk;
    bool flushFirst = false;
    ASSERT_TRUE(queue.pop(chunk, 10, flushFirst));
    EXPECT_TRUE(flushFirst);
    EXPECT_TRUE(chunk.empty());
    EXPECT_TRUE(queue.push(std::vector<int16_t>(5, 1), 1));
    ASSERT_TRUE(queue.pop(chunk, 10, flushFirst));
    EXPECT_FALSE(flushFirst);
    EXPECT_EQ(chunk.size(), 5u);
    queue.close();
    EXPECT_FALSE(queue.pop(chunk, 10, flushFirst));
}

class EngineTest : public ::testing::Test {
protected:
    std::shared_ptr<CaptureAudioOutput::State> device = std::make_shared<CaptureAudioOutput::State>();

    std::unique_ptr<EspeakSpeech> makeEngine()
    {
        return std::make_unique<EspeakSpeech>(std::make_unique<CaptureAudioOutput>(device));
    }
    size_t captured()
    {
        std::lock_guard lock(device->mutex);
        return device->samples.size();
    }
    // Waits until the engine is up (it has opened the device) and the device
    // then stops receiving samples; speech synthesises far faster than real
    // time into an in-memory device.
    size_t settle()
    {
        for (int i = 0; i < 500 && device->opens == 0; ++i)
            std::this_thread::sleep_for(20ms);
        size_t last = captured();
        for (int quiet = 0; quiet < 10;) {
            std::this_thread::sleep_for(20ms);
            size_t now = captured();
            quiet = now == last ? quiet + 1 : 0;
            last = now;
        }
        return last;
    }
    // Waits, up to a generous deadline, for at least minimum samples; a
    // loaded machine can pause synthesis for longer than settle() waits.
    size_t capturedAtLeast(size_t minimum)
    {
        for (int i = 0; i < 500 && captured() < minimum; ++i)
            std::this_thread::sleep_for(20ms);
        return settle();
    }
    void waitUntilSpeaking()
    {
        for (int i = 0; i < 500 && captured() == 0; ++i)
            std::this_thread::sleep_for(10ms);
        ASSERT_GT(captured(), 0u) << "speaking starts";
    }
    // Interrupts with a blank and counts what still reaches the device after.
    size_t samplesAfterInterrupting(EspeakSpeech& engine)
    {
        engine.speak(" ", true);
        size_t atInterrupt = captured();
        return settle() - atInterrupt;
    }
    size_t spokenSamples(const std::string& text)
    {
        {
            std::lock_guard lock(device->mutex);
            device->samples.clear();
        }
        auto engine = makeEngine();
        engine->speak(text, false);
        return hasWords(text) ? capturedAtLeast(1) : settle();
    }
};

TEST_F(EngineTest, SpeaksASentenceOfTheRightLength)
{
    size_t samples = spokenSamples("The quick brown fox jumps over the lazy dog.");
    ASSERT_GT(device->sampleRate, 0);
    double seconds = static_cast<double>(samples) / device->sampleRate;
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);
}

TEST_F(EngineTest, BlankTextsSayNothing)
{
    EXPECT_EQ(spokenSamples(" "), 0u);
    EXPECT_EQ(spokenSamples(""), 0u);
}

TEST_F(EngineTest, TextAfterANulIsStillSpoken)
{
    size_t prefix = spokenSamples("one two three");
    {
        std::lock_guard lock(device->mutex);
        device->samples.clear();
    }
    auto engine = makeEngine();
    engine->speak(std::string("one two three\0four five six seven", 33), false);
    EXPECT_GT(capturedAtLeast(prefix * 3 / 2), prefix * 3 / 2);
}

TEST_F(EngineTest, InterruptDropsTheRestAndClearQueuesAfter)
{
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "word number " + std::to_string(i) + ". ";
    auto engine = makeEngine();
    engine->speak(words, false);
    waitUntilSpeaking();
    // At most the chunk being written when the interruption came.
    EXPECT_LE(samplesAfterInterrupting(*engine), EspeakSpeech::kChunkSamples) << "the rest is not spoken";
    EXPECT_GE(device->flushes, 1) << "an interruption flushes the device";

    size_t one = spokenSamples("Hello there.");
    {
        std::lock_guard lock(device->mutex);
        device->samples.clear();
    }
    auto queued = makeEngine();
    queued->speak("Hello there.", false);
    queued->speak("Hello there.", false);
    EXPECT_GT(capturedAtLeast(one * 3 / 2), one * 3 / 2) << "a text given without interrupt follows the one being spoken";
}

TEST_F(EngineTest, HugeTextStartsAndStopsPromptly)
{
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "This is a sentence in a very long text. ";
    auto engine = makeEngine();
    engine->speak(huge, false);
    waitUntilSpeaking();
    EXPECT_LE(samplesAfterInterrupting(*engine), EspeakSpeech::kChunkSamples);
    engine.reset();  // quitting while the queue was busy must not hang
}

TEST_F(EngineTest, MissingDeviceIsReportedOnceAndSpeechResumesLater)
{
    device->present = false;
    testing::internal::CaptureStderr();
    auto engine = makeEngine();
    engine->speak("First try.", true);
    settle();
    engine->speak("Second try.", true);
    settle();
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(stderrText, "speech: no audio output: no device in the test\n");
    EXPECT_EQ(captured(), 0u);
    device->present = true;
    engine->speak("Now it is back.", true);
    EXPECT_GT(settle(), 0u);
}

} // namespace
