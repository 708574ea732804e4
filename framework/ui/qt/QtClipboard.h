#pragma once
// The desktop clipboard's text for the presentation. Under X11 it is read on
// the framework's own connection, beside the event thread, which goes on
// with its events meanwhile: the windows paint, and whatever the user does
// gives the read up (the presentation holds the action back until the
// read is over). Elsewhere, and for text this program copied itself, the
// toolkit's clipboard is read.

#include <memory>
#include <optional>
#include <string>

namespace fw::ui {

class X11Clipboard;

class QtClipboard {
public:
    // Text taken from the clipboard at most: weeks of speech.
    static constexpr size_t kLargestText = size_t{64} << 20;

    // x11: the framework's own X connection; nil off X11.
    explicit QtClipboard(std::unique_ptr<X11Clipboard> x11);
    ~QtClipboard();
    QtClipboard(const QtClipboard&) = delete;
    QtClipboard& operator=(const QtClipboard&) = delete;

    // The clipboard's text, or nullopt when it holds none or could not be
    // read (then one line on stderr says why).
    std::optional<std::string> text();

    // Whether the clipboard is read on the framework's own X connection.
    bool onX11() const { return x11_ != nullptr; }

    // Whether text() is waiting for an owner.
    bool reading() const { return reading_; }
    // Ends the wait of text() at once; reason (a static string) is what
    // stderr is told, once per read.
    void giveUp(const char* reason);

private:
    // Whether the clipboard's owner is this program's toolkit, whose text is
    // at hand.
    bool ownedByToolkit() const;
    std::optional<std::string> readX11();
    std::optional<std::string> readToolkit();

    std::unique_ptr<X11Clipboard> x11_;
    bool reading_ = false;
    const char* givenUpFor_ = nullptr;
};

} // namespace fw::ui
