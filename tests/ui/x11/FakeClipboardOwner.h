#pragma once
// Another client that owns the X clipboard, on its own connection and
// thread, for as long as it lives. It answers as a well-behaved owner does
// (long texts in pieces, at the pace it is given), offers its text only in
// an older encoding, or never answers at all.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <thread>

struct xcb_connection_t;

class FakeClipboardOwner {
public:
    enum class Manner {
        Utf8,               // offers UTF8_STRING
        Latin1,             // offers only STRING
        CompoundText,       // offers only COMPOUND_TEXT
        TextAsLatin1,       // offers only TEXT, and sends it as STRING
        Silent,             // takes the requests and never answers them
        SilentAfterRefusal, // refuses UTF8_STRING, then answers nothing
    };

    // Takes the clipboard of the display; throws std::runtime_error when it
    // cannot. Texts longer than piece go in pieces of that size, each one
    // pause after it was asked for.
    FakeClipboardOwner(const std::string& display, Manner manner, std::string text, size_t piece = 1 << 20,
                       std::chrono::milliseconds pause = {});
    ~FakeClipboardOwner();
    FakeClipboardOwner(const FakeClipboardOwner&) = delete;
    FakeClipboardOwner& operator=(const FakeClipboardOwner&) = delete;

    int requestsSeen() const { return requests_; }

private:
    struct Transfer;
    void serve();

    const Manner manner_;
    const std::string text_;
    const size_t piece_;
    const std::chrono::milliseconds pause_;
    xcb_connection_t* connection_ = nullptr; // owned
    uint32_t window_ = 0;
    uint32_t clipboard_ = 0, targets_ = 0, utf8String_ = 0, compoundText_ = 0, textTarget_ = 0, incr_ = 0;
    std::atomic<int> requests_{0};
    std::atomic<bool> stopping_{false};
    std::thread server_; // last: it uses everything above
};
