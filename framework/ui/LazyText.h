#pragma once
// A text handed across the seam without copying it: whoever holds it reads
// it only when it needs the characters. A text area lying out of view never
// needs them, so a clipboard of megabytes mirrored into a hidden text area
// costs nothing on the event thread.

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace fw::ui {

class LazyText {
public:
    // Reads the text from wherever its owner keeps it; read() may be called
    // any number of times, on the event thread, for as long as this lives.
    explicit LazyText(std::function<std::string()> read) : read_(std::move(read)) {}
    // A text that is already at hand.
    LazyText(std::string text)
        : read_([shared = std::make_shared<const std::string>(std::move(text))] { return *shared; })
    {
    }
    LazyText(const char* text) : LazyText(std::string(text)) {}

    std::string read() const { return read_(); }

private:
    std::function<std::string()> read_;
};

} // namespace fw::ui
