#pragma once
// Qt's X11 platform, once it finds its connection to the X server broken
// (the server crashed, an ssh -X link dropped), logs a warning on the event
// thread and calls exit(1) there: the static destructors would then run
// while the program's threads go on. While a watch exists, a message that
// the event thread logs with the connection broken goes to the watch's
// onLost instead, which ends the process itself. Every other message goes
// on to the handler that was there before, unchanged.

#include <functional>
#include <string>

struct xcb_connection_t;

namespace fw::ui {

class DisplayLossWatch {
public:
    // Made on the event thread once the application exists, at most one at
    // a time; off X11 it watches nothing. onLost is told the display's name
    // (":1"), once; should it return, the message goes on as it would have.
    explicit DisplayLossWatch(std::function<void(const std::string& display)> onLost);
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;

    // Called by the message handler on the event thread.
    void messageLogged();

private:
    std::function<void(const std::string&)> onLost_;
    std::string display_;
    xcb_connection_t* connection_ = nullptr; // the toolkit's; nil off X11
    bool told_ = false;
};

} // namespace fw::ui
