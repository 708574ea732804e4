#pragma once
// UTF-8 as the framework checks it: shortest forms only, no surrogates,
// nothing past U+10FFFF. The clipboard checks what it is given, the speech
// engine what it hands to the synthesiser.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace fw::text {

// The length of the valid UTF-8 sequence at the start of text, with its code
// point; 0 when it is not one (or text is empty).
inline size_t utf8SequenceLength(std::string_view text, char32_t& codePoint)
{
    if (text.empty())
        return 0;
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || length > text.size())
        return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = codePoint < kSmallest[length];
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return overlong || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

// Whether the whole text is valid UTF-8. Text is mostly ASCII, which is
// passed over eight bytes at a time: a 10 MB clipboard takes milliseconds.
inline bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        uint64_t eight = 0;
        if (text.size() - i >= sizeof eight) {
            std::memcpy(&eight, text.data() + i, sizeof eight);
            if ((eight & 0x8080808080808080u) == 0) {
                i += sizeof eight;
                continue;
            }
        }
        char32_t codePoint = 0;
        const size_t length = utf8SequenceLength(text.substr(i), codePoint);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace fw::text
