// The sound server device against a real, private sound server with a null
// sink: what the server sees of the stream as it is written, drained,
// flushed and lost.

#include "framework/speech/PulseAudioOutput.h"

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
    ~PrivateSoundServer()
    {
        stop();
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }

    // False when there is no sound server program to start.
    bool start()
    {
        std::string home = "HOME=" + dir_, runtime = "XDG_RUNTIME_DIR=" + dir_;
        std::string native = "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_;
        std::vector<std::string> args = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                         "--use-pid-file=no", "--load=module-null-sink sink_name=null", native};
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
        for (auto deadline = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < deadline;) {
            if (pactl("info").find("Server Name") != std::string::npos)
                return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }
    void stop()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    static std::string pactl(const std::string& arguments)
    {
        std::string output;
        if (FILE* pipe = popen(("pactl " + arguments + " 2>/dev/null").c_str(), "r")) {
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
    static bool streamCorked() { return pactl("list sink-inputs").find("Corked: yes") != std::string::npos; }

private:
    std::string dir_, socket_;
    pid_t pid_ = -1;
};

template <class Condition>
bool eventually(Condition condition)
{
    for (auto deadline = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < deadline;) {
        if (condition())
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

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
    }
    void TearDown() override { unsetenv("PULSE_SERVER"); }

    PrivateSoundServer server;
};

TEST_F(PulseAudioOutputTest, PlaysWhenWrittenAndLetsTheSinkSleepOncePlayedOut)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(output.open(kRate, reason)) << reason;
    EXPECT_TRUE(eventually([] { return PrivateSoundServer::streamCorked(); })) << "an open stream waits corked";
    EXPECT_NE(PrivateSoundServer::sinkState(), "RUNNING");

    for (int reading = 0; reading < 2; ++reading) {
        std::vector<int16_t> sound = tone(300ms);
        std::optional<size_t> taken = output.write(sound);
        ASSERT_TRUE(taken);
        EXPECT_LT(*taken, sound.size()) << "a write takes what fits and does not wait for the rest";
        EXPECT_EQ(PrivateSoundServer::sinkState(), "RUNNING") << "reading " << reading;
        ASSERT_TRUE(play(output, std::span(sound).subspan(*taken)));
        output.finish();
        EXPECT_TRUE(eventually([] { return PrivateSoundServer::streamCorked(); })) << "reading " << reading;
        EXPECT_TRUE(eventually([] { return PrivateSoundServer::sinkState() != "RUNNING"; })) << "reading " << reading;
    }
}

TEST_F(PulseAudioOutputTest, FlushWakesAWaitingWriterAndSilences)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(output.open(kRate, reason)) << reason;
    std::vector<int16_t> sound = tone(2000ms);
    ASSERT_TRUE(output.write(sound));
    // A suspended sink plays nothing, so the server makes no room.
    PrivateSoundServer::pactl("suspend-sink null 1");
    ASSERT_TRUE(eventually([] { return PrivateSoundServer::sinkState() == "SUSPENDED"; }));
    std::optional<size_t> taken;
    while ((taken = output.write(sound)) && *taken > 0) {
    }
    ASSERT_TRUE(taken) << "full, not gone";
    std::atomic<bool> flushed{false};
    std::thread flusher([&] {
        std::this_thread::sleep_for(100ms);  // most likely waiting by now; if not, the flush is still seen
        flushed = true;
        output.flush();
    });
    EXPECT_TRUE(output.waitForRoom());
    EXPECT_TRUE(flushed) << "only the flush can have made room";
    flusher.join();
    PrivateSoundServer::pactl("suspend-sink null 0");
    output.finish();
    EXPECT_TRUE(eventually([] { return PrivateSoundServer::streamCorked(); })) << "a flushed stream is played out";
}

TEST_F(PulseAudioOutputTest, LostServerIsReportedAndANewOneIsFound)
{
    PulseAudioOutput output;
    std::string reason;
    ASSERT_TRUE(output.open(kRate, reason)) << reason;
    server.stop();
    std::vector<int16_t> sound = tone(2000ms);
    EXPECT_FALSE(play(output, sound)) << "writing to a server that has gone fails";
    output.close();
    EXPECT_FALSE(output.open(kRate, reason));
    EXPECT_FALSE(reason.empty());
    ASSERT_TRUE(server.start());
    EXPECT_TRUE(output.open(kRate, reason)) << reason;
    EXPECT_TRUE(play(output, tone(100ms)));
}

} // namespace
