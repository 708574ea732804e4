#pragma once
// One running instance of a program per X display and user. The first
// start owns a selection named after the program and the user; a later
// start finds it owned, asks the owner to come forward, and is told that
// the program already runs. The X server itself drops the ownership when
// the owner's connection closes, however the process ends, so nothing
// stale is ever left behind.
//
// The claim is made on a connection of its own, before the toolkit has
// opened one, so that a second start costs little.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct xcb_connection_t;
class QSocketNotifier;

namespace fw::ui {

class X11RunningInstance {
public:
    enum class Outcome {
        Claimed,        // instance holds the ownership
        AlreadyRunning, // the owner has been asked to come forward
        NoServer,       // the display could not be opened or asked
    };
    struct Claim {
        Outcome outcome;
        std::unique_ptr<X11RunningInstance> instance; // only when Claimed
    };

    // Claims the program's selection on the display (nullptr: $DISPLAY) for
    // the user running this process. Two claims at the same moment cannot
    // both succeed: the server is grabbed from the look to the taking.
    static Claim claim(const char* display, std::string_view program);
    ~X11RunningInstance();
    X11RunningInstance(const X11RunningInstance&) = delete;
    X11RunningInstance& operator=(const X11RunningInstance&) = delete;

    // From now on calls comeForward, on the calling thread's event loop, for
    // each later start's request, including those that came before. Needs
    // the application object; call once.
    void watch(std::function<void()> comeForward);

private:
    X11RunningInstance(xcb_connection_t* connection, uint32_t window, uint32_t selection);
    void takeRequests();

    xcb_connection_t* connection_; // owned
    uint32_t window_;              // owns the selection; requests are sent to it
    uint32_t selection_;
    std::function<void()> comeForward_;
    std::unique_ptr<QSocketNotifier> notifier_; // watches connection_
};

} // namespace fw::ui
