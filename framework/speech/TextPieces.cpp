#include "framework/speech/TextPieces.h"

namespace fw::speech {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool endsSentence(char c) { return c == '.' || c == '!' || c == '?' || c == ';' || c == ':'; }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

size_t firstPieceLength(std::string_view text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    // A cut at i keeps text[0, i) and falls just after a blank, so no word is
    // split. A sentence end is preferred while it keeps the piece at least
    // half full; past that, the last blank will do.
    size_t lastBlank = 0;
    for (size_t i = limit; i > 1; --i) {
        if (!isBlank(text[i - 1]))
            continue;
        if (lastBlank == 0)
            lastBlank = i;
        if (i < limit / 2)
            break;
        if (endsSentence(text[i - 2]) || text[i - 1] == '\n')
            return i;
    }
    if (lastBlank != 0)
        return lastBlank;
    size_t cut = limit;
    while (cut > 1 && isContinuationByte(text[cut]))
        --cut;
    return cut;
}

HandOver splitForHandOver(std::string_view text)
{
    const size_t head = text.size() > kHandedOverWhole ? firstPieceLength(text) : text.size();
    return {text.substr(0, head), text.substr(head)};
}

} // namespace fw::speech
