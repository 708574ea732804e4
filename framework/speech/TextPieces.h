#pragma once
// Cuts a long text into pieces that the synthesiser takes one at a time, so
// that the first words sound at once whatever the text's length and an
// interruption never waits behind the rest of a huge text.

#include <cstddef>
#include <string_view>

namespace fw::speech {

// Pieces hold at most this many bytes.
inline constexpr size_t kPieceBytes = 4096;

// The length of the first piece of text: all of it when it fits, otherwise up
// to the last sentence end, else the last blank, else the last whole UTF-8
// character within the limit. Never zero for a non-empty text.
size_t firstPieceLength(std::string_view text, size_t limit = kPieceBytes);

// Texts up to this size are copied whole before they are handed to the
// synthesis thread (a fraction of a millisecond); longer ones go in two parts.
inline constexpr size_t kHandedOverWhole = 64 * 1024;

// A text as it is handed over: all of it in first, or, for a text longer than
// kHandedOverWhole, its first piece in first (synthesised while the rest is
// copied) and the remainder in rest. Both view the text.
struct HandOver {
    std::string_view first, rest;
};

HandOver splitForHandOver(std::string_view text);

} // namespace fw::speech
