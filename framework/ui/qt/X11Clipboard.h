#pragma once
// Reads the X11 CLIPBOARD selection as UTF-8 on a connection of its own, so
// that an owner which never answers costs a bounded wait instead of the
// toolkit's long ones, and the text arrives as the owner's UTF-8 bytes with
// no conversion on the way.
//
// One thread at a time may use it; read() blocks that thread while the
// owner is awaited.

#include <chrono>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace fw::ui {

class X11Clipboard {
public:
    enum class Outcome {
        Text,    // text holds the owner's bytes
        NoOwner, // nobody owns the clipboard
        Refused, // the owner has no UTF-8 text to give
        Silent,  // the owner stopped answering for longer than the patience
    };
    struct Reading {
        Outcome outcome;
        std::string text;
    };

    // Connects to the display (nullptr: $DISPLAY); nil when that fails.
    static std::unique_ptr<X11Clipboard> connect(const char* display);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    // Asks the CLIPBOARD's owner for UTF8_STRING and waits at most patience
    // for each of its answers (the first, and every piece of a long text).
    Reading read(std::chrono::milliseconds patience);

private:
    struct Atoms;
    X11Clipboard(xcb_connection_t* connection, uint32_t window, std::unique_ptr<Atoms> atoms);

    xcb_connection_t* connection_; // owned
    uint32_t window_;              // receives the owner's answers
    std::unique_ptr<Atoms> atoms_;
};

} // namespace fw::ui
