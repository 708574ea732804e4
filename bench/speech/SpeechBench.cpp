// How quickly the speech engine answers: the time speak() holds its caller,
// the time from a request to the first samples reaching the sound device,
// and the time from an interruption to the last sample reaching it, for a
// short and a 10 MB text. The device here plays its samples at the
// real-time rate, as a sound card does. The same request is timed through the
// synthesiser's command-line program as a point of comparison.
//
//   bench_speech [RUNS]

#include "framework/speech/EspeakSpeech.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kDefaultRuns = 20;
constexpr const char* kShortText = "Read this short line aloud, please.";

// A device with a 20 ms buffer that plays it at the real-time rate, as a
// sound card does; notes when samples were handed to it.
class PacedAudioOutput final : public fw::speech::AudioOutput {
public:
    struct Log {
        std::mutex mutex;
        std::optional<Clock::time_point> firstWrite, lastWrite;
        void reset()
        {
            std::lock_guard lock(mutex);
            firstWrite.reset();
            lastWrite.reset();
        }
    };
    explicit PacedAudioOutput(Log& log) : log_(log) {}

    bool open(int sampleRate, std::string&) override
    {
        sampleRate_ = sampleRate;
        return true;
    }
    std::optional<size_t> write(std::span<const std::int16_t> samples) override
    {
        std::lock_guard lock(mutex_);
        Clock::time_point now = Clock::now();
        playedUntil_ = std::max(playedUntil_, now);
        auto room = kBuffer - (playedUntil_ - now);
        size_t count = std::min<size_t>(samples.size(), room * sampleRate_ / std::chrono::seconds(1));
        if (count == 0)
            return 0;
        playedUntil_ += std::chrono::microseconds(count * 1000000 / sampleRate_);
        std::lock_guard logLock(log_.mutex);
        if (!log_.firstWrite)
            log_.firstWrite = now;
        log_.lastWrite = now;
        return count;
    }
    bool waitForRoom() override
    {
        std::unique_lock lock(mutex_);
        uint64_t flushes = flushes_;
        roomMade_.wait_until(lock, playedUntil_ - kBuffer / 2, [&] { return flushes_ != flushes; });
        return true;
    }
    void flush() override
    {
        std::lock_guard lock(mutex_);
        playedUntil_ = Clock::now();
        ++flushes_;
        roomMade_.notify_all();
    }
    void finish() override {}
    void close() override {}

private:
    static constexpr Clock::duration kBuffer = 20ms;
    Log& log_;
    int sampleRate_ = 22050;
    std::mutex mutex_;
    std::condition_variable roomMade_;
    Clock::time_point playedUntil_{};
    uint64_t flushes_ = 0;
};

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Reading {
    double speakCallMs;   // how long speak() held the caller
    double firstSampleMs; // request to first samples at the device
    double stopMs;        // interruption to the last samples at the device
};

std::optional<Clock::time_point> waitForFirstWrite(PacedAudioOutput::Log& log)
{
    for (auto deadline = Clock::now() + 10s; Clock::now() < deadline; std::this_thread::sleep_for(100us)) {
        std::lock_guard lock(log.mutex);
        if (log.firstWrite)
            return log.firstWrite;
    }
    return std::nullopt;
}

Clock::time_point waitForQuiet(PacedAudioOutput::Log& log)
{
    for (;;) {
        std::this_thread::sleep_for(50ms);
        std::lock_guard lock(log.mutex);
        if (!log.lastWrite || Clock::now() - *log.lastWrite > 40ms)
            return log.lastWrite.value_or(Clock::now());
    }
}

std::optional<Reading> readOnce(fw::speech::SpeechService& speech, PacedAudioOutput::Log& log, const std::string& text)
{
    log.reset();
    Clock::time_point start = Clock::now();
    speech.speak(text, true);
    Clock::time_point returned = Clock::now();
    std::optional<Clock::time_point> first = waitForFirstWrite(log);
    if (!first)
        return std::nullopt;
    std::this_thread::sleep_for(300ms);
    Clock::time_point stop = Clock::now();
    speech.speak(" ", true);
    Clock::time_point last = waitForQuiet(log);
    return Reading{milliseconds(returned - start), milliseconds(*first - start),
                   std::max(0.0, milliseconds(last - stop))};
}

// Start of the command-line synthesiser writing WAV to a pipe, the text on
// its standard input: milliseconds until its first output byte.
std::optional<double> commandLineFirstByte(const std::string& text)
{
    int input[2], output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    char program[] = "espeak-ng", stdoutFlag[] = "--stdout";
    char* argv[] = {program, stdoutFlag, nullptr};
    Clock::time_point start = Clock::now();
    pid_t pid = -1;
    int error = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    if (error != 0) {
        close(input[1]);
        close(output[0]);
        return std::nullopt;
    }
    // Feed the text from a thread, as a shell pipe would, while we wait for output.
    std::thread feeder([&] {
        for (size_t done = 0; done < text.size();) {
            ssize_t n = ::write(input[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        close(input[1]);
    });
    char byte;
    std::optional<double> firstByte;
    if (read(output[0], &byte, 1) == 1)
        firstByte = milliseconds(Clock::now() - start);
    kill(pid, SIGKILL);
    close(output[0]);
    feeder.join();
    waitpid(pid, nullptr, 0);
    return firstByte;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double maximum(const std::vector<double>& values) { return *std::max_element(values.begin(), values.end()); }

bool benchText(const char* label, const std::string& text, int runs)
{
    PacedAudioOutput::Log log;
    fw::speech::EspeakSpeech speech(std::make_unique<PacedAudioOutput>(log));
    std::this_thread::sleep_for(200ms); // the engine's own start-up is not what is measured
    std::vector<double> call, first, stop, commandLine;
    for (int i = 0; i < runs; ++i) {
        std::optional<Reading> reading = readOnce(speech, log, text);
        if (!reading) {
            std::fprintf(stderr, "bench_speech: no samples reached the device\n");
            return false;
        }
        call.push_back(reading->speakCallMs);
        first.push_back(reading->firstSampleMs);
        stop.push_back(reading->stopMs);
        if (std::optional<double> cli = commandLineFirstByte(text))
            commandLine.push_back(*cli);
    }
    std::printf("%-8s %10.3f %10.3f %12.1f %12.1f %12.1f %14s\n", label, median(call), maximum(call), median(first),
                maximum(first), median(stop),
                commandLine.empty() ? "n/a" : std::to_string(median(commandLine)).substr(0, 7).c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    if (argc > 2 || runs < 1) {
        std::fprintf(stderr, "usage: bench_speech [RUNS]\n");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN); // the command-line synthesiser is killed while its input is still being written
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "This is one sentence of a very long text that was copied. ";

    std::printf("%d readings each; times in ms; device paced at real time\n\n", runs);
    std::printf("%-8s %10s %10s %12s %12s %12s %14s\n", "text", "speak med", "speak max", "first med", "first max",
                "stop med", "cli first med");
    bool ok = benchText("35 B", kShortText, runs) && benchText("10 MB", huge, runs);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak RSS of the benchmark process: %.1f MB (holds two copies of the 10 MB text)\n",
                usage.ru_maxrss / 1024.0);
    return ok ? 0 : 1;
}
