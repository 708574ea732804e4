// The framework's UTF-8 check, one sequence at a time and over whole texts.

#include "framework/text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace fw::text;
using namespace std::string_literals;

namespace {

struct SequenceCase {
    const char* what;
    std::string bytes;
    size_t length; // 0: not a valid sequence
    char32_t codePoint;
};

// Each case is one sequence, valid or not, with nothing after it.
const SequenceCase kSequences[] = {
    {"NUL", "\0"s, 1, 0x0},
    {"ASCII", "A", 1, 0x41},
    {"highest 1-byte", "\x7F", 1, 0x7F},
    {"lowest 2-byte", "\xC2\x80", 2, 0x80},
    {"highest 2-byte", "\xDF\xBF", 2, 0x7FF},
    {"lowest 3-byte", "\xE0\xA0\x80", 3, 0x800},
    {"just below the surrogates", "\xED\x9F\xBF", 3, 0xD7FF},
    {"just above the surrogates", "\xEE\x80\x80", 3, 0xE000},
    {"highest 3-byte", "\xEF\xBF\xBF", 3, 0xFFFF},
    {"lowest 4-byte", "\xF0\x90\x80\x80", 4, 0x10000},
    {"highest code point", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},

    {"overlong 2-byte NUL", "\xC0\x80", 0, 0},
    {"overlong 2-byte U+7F", "\xC1\xBF", 0, 0},
    {"overlong 3-byte NUL", "\xE0\x80\x80", 0, 0},
    {"overlong 3-byte U+7FF", "\xE0\x9F\xBF", 0, 0},
    {"overlong 4-byte NUL", "\xF0\x80\x80\x80", 0, 0},
    {"overlong 4-byte U+FFFF", "\xF0\x8F\xBF\xBF", 0, 0},
    {"first surrogate", "\xED\xA0\x80", 0, 0},
    {"last surrogate", "\xED\xBF\xBF", 0, 0},
    {"just past U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
    {"highest 4-byte form", "\xF7\xBF\xBF\xBF", 0, 0},
    {"5-byte form", "\xF8\x88\x80\x80\x80", 0, 0},
    {"6-byte form", "\xFC\x84\x80\x80\x80\x80", 0, 0},
    {"byte FE", "\xFE", 0, 0},
    {"byte FF", "\xFF", 0, 0},
    {"lowest stray continuation", "\x80", 0, 0},
    {"highest stray continuation", "\xBF", 0, 0},
    {"truncated 2-byte", "\xC3", 0, 0},
    {"truncated 3-byte", "\xE2\x82", 0, 0},
    {"truncated 4-byte", "\xF0\x9F\x98", 0, 0},
    {"2-byte, ASCII for continuation", "\xC3!", 0, 0},
    {"3-byte, ASCII for last continuation", "\xE2\x82!", 0, 0},
    {"4-byte, ASCII for last continuation", "\xF0\x9F\x98!", 0, 0},
    {"3-byte, a lead for continuation", "\xE2\xC3\xA9", 0, 0},
};

TEST(Utf8Test, SequencesAreShortestFormScalarValues)
{
    for (const SequenceCase& c : kSequences) {
        char32_t codePoint = 0xFFFFFFFF;
        EXPECT_EQ(utf8SequenceLength(c.bytes, codePoint), c.length) << c.what;
        if (c.length != 0) {
            EXPECT_EQ(codePoint, c.codePoint) << c.what;
        }
    }
    char32_t codePoint = 0;
    EXPECT_EQ(utf8SequenceLength("", codePoint), 0u);
    EXPECT_EQ(utf8SequenceLength("\xC3\xA9!", codePoint), 2u) << "only the first sequence";
}

// Whole texts are valid when each sequence is, wherever it falls against the
// eight-byte steps over ASCII.
TEST(Utf8Test, TextsAreValidWhenEverySequenceIs)
{
    EXPECT_TRUE(isValidUtf8(""));
    for (const SequenceCase& c : kSequences) {
        const bool valid = c.length == c.bytes.size();
        EXPECT_EQ(isValidUtf8(c.bytes), valid) << c.what;
        for (size_t before = 0; before < 16; ++before) {
            const std::string text = std::string(before, 'a') + c.bytes + std::string(16, 'z');
            EXPECT_EQ(isValidUtf8(text), valid) << c.what << " after " << before << " ASCII bytes";
        }
    }
}

TEST(Utf8Test, NoNonAsciiByteIsPassedOverInAnAsciiRun)
{
    const std::string run = "0123456789abcdef";
    for (size_t at = 0; at < run.size(); ++at) {
        for (char byte : {'\x80', '\xC3', '\xFF'}) {
            std::string text = run;
            text[at] = byte;
            EXPECT_FALSE(isValidUtf8(text)) << "byte " << int(static_cast<unsigned char>(byte)) << " at " << at;
            EXPECT_FALSE(isValidUtf8(text + run))
                << "byte " << int(static_cast<unsigned char>(byte)) << " at " << at << ", more ASCII after";
        }
        std::string accented = run;
        accented.replace(at, 1, "\xC3\xA9");
        EXPECT_TRUE(isValidUtf8(accented)) << "a 2-byte character at " << at;
    }
}

} // namespace
