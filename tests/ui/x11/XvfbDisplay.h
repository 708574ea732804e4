#pragma once
// A private X server for the length of a test run: Xvfb picks a free
// display itself, so runs side by side never meet.

#include <string>

#include <sys/types.h>

class XvfbDisplay {
public:
    // Starts the server and waits until it accepts connections; throws
    // std::runtime_error when it does not start.
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    const std::string& name() const { return name_; } // ":N"

private:
    pid_t pid_ = -1;
    std::string name_;
};
