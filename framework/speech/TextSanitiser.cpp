#include "framework/speech/TextSanitiser.h"

#include <cstdint>

namespace fw::speech {

namespace {

// Length of the valid UTF-8 sequence at the start of text, 0 when invalid.
size_t validSequenceLength(std::string_view text, char32_t& codePoint)
{
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    uint8_t lead = byte(0);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || length > text.size())
        return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    bool overlong = codePoint < kSmallest[length];
    bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return overlong || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

bool unspeakable(char32_t c)
{
    bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F || (c >= 0x80 && c < 0xA0);
    return control || c == 0xFFFD;
}

} // namespace

std::string sanitiseForSpeech(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t codePoint = 0;
        size_t length = validSequenceLength(text.substr(i), codePoint);
        if (length == 0) {
            safe.push_back(' ');
            ++i;
        } else if (codePoint == '\r' || unspeakable(codePoint)) {
            safe.push_back(codePoint == '\r' ? '\n' : ' ');
            i += length;
        } else {
            safe.append(text.substr(i, length));
            i += length;
        }
    }
    return safe;
}

bool hasWords(std::string_view text)
{
    return text.find_first_not_of(" \t\n") != std::string_view::npos;
}

} // namespace fw::speech
