#pragma once
// Makes a text safe to hand to the synthesiser: it must see valid UTF-8 with
// no NUL (which would cut the text short) and no control characters or
// replacement characters (which upset its later speech).

#include <string>
#include <string_view>

namespace fw::speech {

// Replaces NUL, control characters other than tab and newline, U+FFFD and
// every invalid UTF-8 sequence with a blank. Linear in the text's length.
std::string sanitiseForSpeech(std::string_view text);

// Whether the text holds anything but blanks, tabs and line breaks.
bool hasWords(std::string_view text);

} // namespace fw::speech
