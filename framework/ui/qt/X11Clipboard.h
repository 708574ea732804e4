#pragma once
// Reads the X11 CLIPBOARD selection on a connection of its own, so that an
// owner which trickles, stalls or never answers costs a bounded wait
// instead of the toolkit's long ones, and a read under way can be given up
// at once. The text arrives as UTF-8: asked for as UTF8_STRING first, then
// in the older encodings (COMPOUND_TEXT, STRING, TEXT).
//
// One thread at a time may read; giveUp() may come from any thread.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

struct xcb_connection_t;

namespace fw::ui {

class X11Clipboard {
public:
    enum class Outcome {
        Text,    // text holds the owner's text
        NoOwner, // nobody owns the clipboard
        Refused, // the owner has no text in an encoding that is read here
        Silent,  // the owner stopped answering for longer than the patience
        TooSlow, // the whole read took longer than its bound
        GivenUp, // giveUp() came while the read was under way
        Lost,    // the connection to the X server broke
    };
    struct Limits {
        std::chrono::milliseconds patience; // for each answer: the first, and every piece of a long text
        std::chrono::milliseconds whole;    // for the whole read
        size_t largestText;                 // bytes of UTF-8 text taken at most
    };
    struct Reading {
        Outcome outcome;
        std::string text{}; // UTF-8
        bool cut = false;   // the owner had more than largestText
    };

    // Connects to the display (nullptr: $DISPLAY); nil when that fails.
    static std::unique_ptr<X11Clipboard> connect(const char* display);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    // Asks the CLIPBOARD's owner for its text and waits for it within the
    // limits. Each reading asks on a window of its own, which goes with the
    // reading, so that an owner still sending an abandoned text sends it
    // nowhere.
    Reading read(const Limits& limits);

    // The window that owns the CLIPBOARD now; 0 for none (or no answer).
    uint32_t owner();

    // Gives up the read under way, or the next one when none is: it returns
    // GivenUp at once. Undone by armForRead().
    void giveUp();
    // Forgets an earlier giveUp(); called before read() on the same thread
    // as giveUp().
    void armForRead();

private:
    struct Atoms;
    class Request;
    X11Clipboard(xcb_connection_t* connection, uint32_t root, std::unique_ptr<Atoms> atoms, int wake);

    xcb_connection_t* connection_; // owned
    uint32_t root_;                // the requestor windows' parent
    std::unique_ptr<Atoms> atoms_;
    int wake_; // an eventfd, owned: readable once giveUp() came
};

} // namespace fw::ui
