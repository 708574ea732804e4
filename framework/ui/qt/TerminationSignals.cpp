#include "framework/ui/qt/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace fw::ui {

namespace {

// The pipe the handler writes to: [0] read by the event loop, [1] written.
int wakePipe[2] = {-1, -1};

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // The pipe never blocks: when it is full a request is waiting already.
    [[maybe_unused]] ssize_t written = write(wakePipe[1], &byte, 1);
    errno = savedErrno;
}

bool inForegroundOfTerminal() { return isatty(STDIN_FILENO) && tcgetpgrp(STDIN_FILENO) == getpgrp(); }

// Whether a signal inherited as ignored is to be handled all the same.
bool takeBack(int signal) { return signal == SIGINT && inForegroundOfTerminal(); }

constexpr int kWatched[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignalled) : onSignalled_(std::move(onSignalled))
{
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "framework: cannot watch for termination signals: %s\n", std::strerror(errno));
        return;
    }
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { drainPipe(); });

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kWatched) {
        Previous previous{.signal = signal, .action = {}};
        sigaction(signal, nullptr, &previous.action);
        if (previous.action.sa_handler == SIG_IGN && !takeBack(signal))
            continue;
        sigaction(signal, &action, nullptr);
        previous_.push_back(previous);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const Previous& previous : previous_)
        sigaction(previous.signal, &previous.action, nullptr);
    delete notifier_;
    for (int& end : wakePipe) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}

void TerminationSignals::drainPipe()
{
    char bytes[64];
    while (read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
    onSignalled_();
}

} // namespace fw::ui
