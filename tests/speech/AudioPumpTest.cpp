// The audio pump between a sample queue and an in-memory device: when it
// opens, retries and reports the device, when it lets it sleep, and what an
// interruption's flush takes.

#include "framework/speech/AudioPump.h"
#include "tests/speech/CaptureAudioOutput.h"
#include "tests/speech/WaitLimit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>

using namespace fw::speech;
using namespace std::chrono_literals;

namespace {

using Device = CaptureAudioOutput::State;

constexpr int kRate = 22050;

class AudioPumpTest : public ::testing::Test {
protected:
    std::shared_ptr<Device> device = std::make_shared<Device>();
    SampleQueue queue{5000};
    std::unique_ptr<AudioPump> pump = std::make_unique<AudioPump>(std::make_unique<CaptureAudioOutput>(device), queue);

    // Queues count samples of value, as the synthesis of generation does,
    // and says that nothing more comes for now.
    void say(size_t count, int16_t value, uint64_t generation = 0)
    {
        ASSERT_TRUE(queue.push(std::vector<int16_t>(count, value), generation));
        queue.endOfSpeech();
    }
    // Waits, up to a deadline generous enough for a loaded machine, until
    // the device's state satisfies condition.
    template <class Condition>
    bool waitFor(Condition condition)
    {
        std::unique_lock lock(device->mutex);
        return device->changed.wait_for(lock, 30s, [&] { return condition(std::as_const(*device)); });
    }
    bool waitForOpens(int opens)
    {
        return waitFor([&](const Device& d) { return d.opens >= opens; });
    }
    // Waits until the pump has taken every queued sample: whatever it had to
    // say of the chunks before the last (a failed open) it has said by then.
    bool waitUntilTaken()
    {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (queue.queued() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        return queue.queued() == 0;
    }
};

TEST_F(AudioPumpTest, OpensAtOnceAndLetsTheDeviceSleepOnlyWhenAllIsHandedOver)
{
    pump->start(kRate);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.isOpen && d.sampleRate == kRate; }))
        << "open before anything is said";
    say(1000, 1);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.sleeps == 1 && d.samples.size() == 1000; }));
    say(500, 2);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.sleeps == 2 && d.samples.size() == 1500; }));
    std::lock_guard lock(device->mutex);
    EXPECT_EQ(device->wakes, 2) << "each reading wakes the device once: it never sleeps before its last samples";
    EXPECT_TRUE(device->asleep);
    EXPECT_EQ(device->samples[999], 1);
    EXPECT_EQ(device->samples[1000], 2) << "in order";
    EXPECT_EQ(device->opens, 1);
}

// A device that is missing is tried once for each new request, never for
// each chunk; it is reported once for each outage, and a device lost while
// speaking is tried again with the next samples.
TEST_F(AudioPumpTest, TriesAMissingOrLostDeviceOncePerRequestAndReportsEachOutageOnce)
{
    device->present = false;
    testing::internal::CaptureStderr();
    pump->start(kRate);
    ASSERT_TRUE(waitForOpens(1));
    pump->retryDevice();
    say(2000, 1);
    ASSERT_TRUE(waitForOpens(2)) << "a new request tries again";

    device->present = true;
    pump->interrupt([&] { queue.interrupt(1); });
    pump->retryDevice();
    say(300, 2, 1);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.sleeps == 1 && d.samples.size() == 300; }));
    EXPECT_EQ(device->opens, 3) << "one try for each request, none for each chunk";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "speech: no audio output: no device in the test\n");

    testing::internal::CaptureStderr();
    device->present = false;
    say(1000, 3, 1);
    ASSERT_TRUE(waitForOpens(4)) << "a lost device is tried again with the next samples";
    ASSERT_TRUE(waitUntilTaken());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "speech: no audio output: no device in the test\n")
        << "a new outage is reported anew";
    EXPECT_TRUE(waitFor([](const Device& d) { return !d.isOpen; })) << "the lost device is closed";

    device->present = true;
    pump->retryDevice();
    say(300, 4, 1);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.isOpen && d.sleeps == 2; }));
    std::lock_guard lock(device->mutex);
    EXPECT_EQ(device->opens, 5);
    EXPECT_EQ(device->samples.back(), 4) << "speaking resumes with the next request";
}

// Each generation's samples carry its number. Interruptions land at random
// moments of the writes, and queue the new generation's samples before the
// flush, as speech does: every sample must fall between the flush that
// started its generation and the next one.
TEST_F(AudioPumpTest, AnInterruptionsFlushTakesAllThatCameBeforeAndNoneOfWhatFollows)
{
    constexpr int16_t kGenerations = 300;
    constexpr size_t kSaid = 600;
    pump->start(kRate);
    say(kSaid, 0);
    for (int16_t generation = 1; generation < kGenerations; ++generation) {
        std::this_thread::sleep_for(std::chrono::microseconds(generation % 7 * 40));
        pump->interrupt([&] {
            queue.interrupt(generation);
            say(kSaid, generation, generation);
            if (generation % 3 == 0)
                std::this_thread::sleep_for(100us); // the pump takes the new samples meanwhile
        });
    }
    ASSERT_TRUE(waitFor([](const Device& d) {
        return d.asleep && !d.samples.empty() && d.samples.back() == kGenerations - 1;
    })) << "the last generation is handed over";
    std::lock_guard lock(device->mutex);
    ASSERT_EQ(device->flushedAt.size(), static_cast<size_t>(kGenerations - 1));
    size_t flushes = 0, last = 0;
    for (size_t i = 0; i < device->samples.size(); ++i) {
        while (flushes < device->flushedAt.size() && device->flushedAt[flushes] <= i)
            ++flushes;
        ASSERT_EQ(device->samples[i], static_cast<int16_t>(flushes)) << "sample " << i;
        last += device->samples[i] == kGenerations - 1;
    }
    EXPECT_EQ(last, kSaid) << "the last generation is heard whole";
}

TEST_F(AudioPumpTest, StopsPromptlyBeforeItStarts)
{
    withinLimit(30s, "a pump never started to stop", [&] { pump.reset(); });
    EXPECT_EQ(device->opens, 0);
}

TEST_F(AudioPumpTest, StopsPromptlyWhileTheDeviceHasNoRoom)
{
    device->capacity = 500; // fills at once and never plays
    pump->start(kRate);
    say(2000, 1);
    ASSERT_TRUE(waitFor([](const Device& d) { return d.waiting; })) << "the device is full";
    withinLimit(30s, "a pump waiting for room to stop", [&] { pump->stop(); });
    std::lock_guard lock(device->mutex);
    EXPECT_FALSE(device->isOpen) << "and closes its device";
    EXPECT_EQ(device->flushedAt.size(), 1u) << "silenced first";
}

} // namespace
