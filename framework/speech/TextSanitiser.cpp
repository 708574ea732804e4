#include "framework/speech/TextSanitiser.h"

#include "framework/text/Utf8.h"

#include <cstdint>

namespace fw::speech {

namespace {

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
        size_t length = text::utf8SequenceLength(text.substr(i), codePoint);
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

bool hasWords(std::string_view text) { return text.find_first_not_of(" \t\n") != std::string_view::npos; }

} // namespace fw::speech
