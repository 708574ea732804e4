#include "tests/ui/x11/XvfbDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

extern char** environ;

XvfbDisplay::XvfbDisplay()
{
    int ends[2];
    if (::pipe(ends) != 0)
        throw std::runtime_error("no pipe for Xvfb");
    const std::string writeEnd = std::to_string(ends[1]);
    // -noreset: when a test's last client goes, the server does not start
    // over, which would turn away the next test's first connection.
    const char* argv[] = {"Xvfb",      "-displayfd", writeEnd.c_str(), "-screen", "0", "640x480x24",
                          "-nolisten", "tcp",        "-noreset",       nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        throw std::runtime_error("Xvfb did not start");
    }
    // Xvfb writes the display's number once it accepts connections.
    std::string number;
    pollfd readable{.fd = ends[0], .events = POLLIN, .revents = 0};
    char digit = 0;
    while (::poll(&readable, 1, 20000) == 1 && ::read(ends[0], &digit, 1) == 1 && digit != '\n')
        number += digit;
    ::close(ends[0]);
    if (number.empty()) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb gave no display");
    }
    name_ = ":" + number;
}

XvfbDisplay::~XvfbDisplay()
{
    // A SIGTERM that lands just before the server goes to sleep is noticed
    // only when it next wakes, minutes later: after a moment, KILL it.
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
            return;
        ::usleep(20'000);
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}
