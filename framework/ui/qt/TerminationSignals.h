#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal, kill) end the
// program the way Quit does instead of killing it on the spot: the signal
// handler only writes a byte to a pipe, and the event loop, watching the
// pipe, reports the request on its own thread.
//
// A signal that the program inherited as ignored (nohup, a job started in
// the background) stays ignored; only SIGINT is taken back when the program
// runs in the foreground of a terminal, where Ctrl+C is expected to work.

#include <QObject>

#include <csignal>
#include <functional>
#include <vector>

class QSocketNotifier;

namespace fw::ui {

class TerminationSignals : public QObject {
public:
    // At most one exists at a time; it restores the previous handlers when
    // it goes.
    explicit TerminationSignals(std::function<void()> onSignalled);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    struct Previous {
        int signal;
        struct sigaction action;
    };

    void drainPipe();

    std::function<void()> onSignalled_;
    QSocketNotifier* notifier_ = nullptr; // a child of this object
    std::vector<Previous> previous_;
};

} // namespace fw::ui
