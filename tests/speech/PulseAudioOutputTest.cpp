// The sound server device against a real, private sound server with a null
// sink: what the server sees of the stream as it is written, drained,
// flushed and lost.

#include "framework/speech/PulseAudioOutput.h"
#include "tests/speech/WaitLimit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace fw::speech;
using namespace std::chrono_literals;

namespace {

constexpr int kRate = 22050;
// How long any one wait may last: generous for a loaded machine, and short of
// the test's own timeout, so that a hang says what it waited for.
constexpr auto kWaitLimit = 30s;

template <class Condition>
::testing::AssertionResult eventually(const std::string& what, Condition condition)
{
    for (auto deadline = std::chrono::steady_clock::now() + kWaitLimit; std::chrono::steady_clock::now() < deadline;) {
        if (condition())
            return ::testing::AssertionSuccess();
        std::this_thread::sleep_for(20ms);
    }
    if (condition())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited " << kWaitLimit.count() << " s for " << what;
}

// A sound server of the test's own, reached through its socket only.
class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        char pattern[] = "/tmp/speech-test-XXXXXX";
        if (!mkdtemp(pattern))
            return;
        dir_ = pattern;
        socket_ = dir_ + "/native";
    }
    ~PrivateSoundServer() { end(); }

    // Starts the server and points the process's clients at it. False when
    // there is no sound server program to start; it answers once answering().
    bool start()
    {
        std::string home = "HOME=" + dir_, runtime = "XDG_RUNTIME_DIR=" + dir_;
        std::string native = "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_;
        std::vector<std::string> args = {"pulseaudio",
                                         "-n",
                                         "--daemonize=no",
                                         "--exit-idle-time=-1",
                                         "--use-pid-file=no",
                                         "--load=module-null-sink sink_name=null",
                                         native};
        std::vector<char*> argv, envp;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        for (char** e = environ; *e; ++e)
            envp.push_back(*e);
        envp.push_back(home.data());
        envp.push_back(runtime.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        int error = posix_spawnp(&pid_, "pulseaudio", &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            pid_ = -1;
            return false;
        }
        setenv("PULSE_SERVER", ("unix:" + socket_).c_str(), 1);
        return true;
    }
    void stop()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }
    // Stops the server and removes its files.
    void end()
    {
        stop();
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
        dir_.clear();
    }

    // What the server says to pactl arguments; nothing if it does not answer within 10 s.
    static std::string pactl(const std::string& arguments)
    {
        std::string output;
        if (FILE* pipe = popen(("timeout -k 1 10 pactl " + arguments + " 2>/dev/null").c_str(), "r")) {
            char buffer[4096];
            for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                output.append(buffer, n);
            pclose(pipe);
        }
        return output;
    }
    // RUNNING while a stream plays into the sink, IDLE or SUSPENDED otherwise.
    static std::string sinkState()
    {
        std::string line = pactl("list sinks short");
        size_t end = line.find_last_not_of(" \t\n");
        size_t start = line.find_last_of(" \t", end);
        return end == std::string::npos ? "" : line.substr(start + 1, end - start);
    }
    static bool answering() { return pactl("info").find("Server Name") != std::string::npos; }
    static bool streamCorked() { return pactl("list sink-inputs").find("Corked: yes") != std::string::npos; }

private:
    std::string dir_, socket_;
    pid_t pid_ = -1;
};

std::vector<int16_t> tone(std::chrono::milliseconds length)
{
    std::vector<int16_t> samples(static_cast<size_t>(kRate * length.count() / 1000));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(8000 * std::sin(i * 0.1));
    return samples;
}

// Hands all the samples over as the engine's output thread does.
bool play(AudioOutput& output, std::span<const int16_t> samples)
{
    while (!samples.empty()) {
        std::optional<size_t> taken = output.write(samples);
        if (!taken)
            return false;
        samples = samples.subspan(*taken);
        if (!samples.empty() && !output.waitForRoom())
            return false;
    }
    return true;
}

class PulseAudioOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.start())
            GTEST_SKIP() << "no sound server to test with";
        ASSERT_TRUE(eventually("the private sound server to answer", PrivateSoundServer::answering));
    }
    void TearDown() override { unsetenv("PULSE_SERVER"); }

    // Runs wait, a call that may block on the sound server, within kWaitLimit.
    template <class Wait>
    auto bounded(const char* what, Wait wait)
    {
        return withinLimit(kWaitLimit, what, wait, [this] { server.end(); });
    }

    PrivateSoundServer server;
};

TEST_F(PulseAudioOutputTest, PlaysWhenWrittenAndLetsTheSinkSleepOncePlayedOut)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(bounded("the stream to open", [&] { return output.open(kRate, reason); })) << reason;
    EXPECT_TRUE(eventually("the open stream to wait corked", PrivateSoundServer::streamCorked));
    EXPECT_NE(PrivateSoundServer::sinkState(), "RUNNING");

    for (int reading = 0; reading < 2; ++reading) {
        std::vector<int16_t> sound = tone(300ms);
        std::optional<size_t> taken = output.write(sound);
        ASSERT_TRUE(taken);
        EXPECT_LT(*taken, sound.size()) << "a write takes what fits and does not wait for the rest";
        EXPECT_EQ(PrivateSoundServer::sinkState(), "RUNNING") << "reading " << reading;
        ASSERT_TRUE(bounded("the stream to take the rest of a reading",
                            [&] { return play(output, std::span(sound).subspan(*taken)); }))
            << "reading " << reading;
        output.finish();
        EXPECT_TRUE(eventually("the played-out stream to be corked", PrivateSoundServer::streamCorked))
            << "reading " << reading;
        EXPECT_TRUE(eventually("the sink to stop running", [] { return PrivateSoundServer::sinkState() != "RUNNING"; }))
            << "reading " << reading;
    }
}

TEST_F(PulseAudioOutputTest, FlushWakesAWaitingWriterAndSilences)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(bounded("the stream to open", [&] { return output.open(kRate, reason); })) << reason;
    std::vector<int16_t> sound = tone(2000ms);
    ASSERT_TRUE(output.write(sound));
    // A suspended sink plays nothing, so the server makes no room.
    PrivateSoundServer::pactl("suspend-sink null 1");
    ASSERT_TRUE(eventually("the sink to be suspended", [] { return PrivateSoundServer::sinkState() == "SUSPENDED"; }));
    std::optional<size_t> taken;
    while ((taken = output.write(sound)) && *taken > 0) {
    }
    ASSERT_TRUE(taken) << "full, not gone";
    std::atomic<bool> flushed{false};
    std::thread flusher([&] {
        std::this_thread::sleep_for(100ms); // most likely waiting by now; if not, the flush is still seen
        flushed = true;
        output.flush();
    });
    EXPECT_TRUE(bounded("the flush to end the wait for room", [&] { return output.waitForRoom(); }));
    EXPECT_TRUE(flushed) << "only the flush can have made room";
    flusher.join();
    PrivateSoundServer::pactl("suspend-sink null 0");
    output.finish();
    EXPECT_TRUE(eventually("the flushed stream to be played out and corked", PrivateSoundServer::streamCorked));
}

TEST_F(PulseAudioOutputTest, LostServerIsReportedAndANewOneIsFound)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(bounded("the stream to open", [&] { return output.open(kRate, reason); })) << reason;
    server.stop();
    std::vector<int16_t> sound = tone(2000ms);
    EXPECT_FALSE(bounded("writing to a gone server to fail", [&] { return play(output, sound); }))
        << "writing to a server that has gone fails";
    output.close();
    EXPECT_FALSE(bounded("opening with no server to fail", [&] { return output.open(kRate, reason); }));
    EXPECT_FALSE(reason.empty());
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(eventually("the new sound server to answer", PrivateSoundServer::answering));
    EXPECT_TRUE(bounded("the stream to open on the new server", [&] { return output.open(kRate, reason); })) << reason;
    EXPECT_TRUE(bounded("the new server to take a tone", [&] { return play(output, tone(100ms)); }));
}

} // namespace
