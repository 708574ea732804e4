#pragma once
// The encodings an X11 clipboard owner may answer in, turned into UTF-8:
// UTF8_STRING as given (what is not UTF-8 replaced), STRING as Latin-1, and
// COMPOUND_TEXT in the forms that owners send (ASCII, Latin-1 and embedded
// UTF-8 segments; characters of other character sets come out as U+FFFD).

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::ui {

// The owner's UTF-8 bytes as the clipboard's text: without one trailing NUL,
// and with what is not UTF-8 replaced by U+FFFD.
std::string utf8FromOwner(std::string bytes);

std::string utf8FromLatin1(std::string_view bytes);

std::string utf8FromCompoundText(std::string_view bytes);

// Cuts valid UTF-8 text to at most limit bytes, at a character boundary.
// True when something was cut off.
bool cutAtCharacter(std::string& text, size_t limit);

} // namespace fw::ui
