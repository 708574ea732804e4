// What older clipboard encodings become, and where a long text is cut.

#include "framework/ui/qt/X11TextEncodings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fw::ui::cutAtCharacter;
using fw::ui::utf8FromCompoundText;
using fw::ui::utf8FromLatin1;

TEST(X11TextEncodingsTest, Latin1BecomesUtf8)
{
    EXPECT_EQ(utf8FromLatin1("plain ASCII"), "plain ASCII");
    EXPECT_EQ(utf8FromLatin1("Gr\xfc\xdf"
                             "e \xa0\xff"),
              "Grüße \u00a0ÿ");
    EXPECT_EQ(utf8FromLatin1(std::string("end\0", 4)), "end") << "one trailing NUL is not text";
}

TEST(X11TextEncodingsTest, CompoundTextBecomesUtf8)
{
    const struct {
        const char* what;
        std::string compound;
        std::string expected;
    } cases[] = {
        {"ASCII", "Hello, world.\n", "Hello, world.\n"},
        {"Latin-1 in GR from the start", "caf\xe9", "café"},
        {"Latin-1 designated explicitly", "\x1b(B\x1b-Acaf\xe9", "café"},
        {"a UTF-8 segment", "a \x1b%G世界\x1b%@ b\xe9", "a 世界 bé"},
        {"another one-byte set in GR: each character unknown", "\x1b-L\xc0\xc1 ok", "\uFFFD\uFFFD ok"},
        {"a two-byte set in GL: one unknown character for two bytes", "\x1b$(B\x30\x21\x1b(B!", "\uFFFD!"},
        {"the writing direction is not text",
         "\x9b"
         "1]abc\x9b]",
         "abc"},
        {"an extended segment of the owner's own",
         "x\x1b%/1\x80\x83"
         "abcy",
         "x\uFFFDy"},
        {"C1 controls are not text",
         "a\x85"
         "b",
         "ab"},
        {"an escape cut short", "abc\x1b(", "abc"},
        {"a UTF-8 segment that is not UTF-8", "\x1b%G\xff\x1b%@", "\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8FromCompoundText(c.compound), c.expected);
    }
}

TEST(X11TextEncodingsTest, TextIsCutAtACharacterBoundary)
{
    const struct {
        const char* what;
        std::string text;
        size_t limit;
        std::string expected;
        bool cut;
    } cases[] = {
        {"shorter than the limit", "abc", 4, "abc", false},
        {"exactly the limit", "abcd", 4, "abcd", false},
        {"ASCII over the limit", "abcdef", 4, "abcd", true},
        {"the limit inside a three-byte character", "ab世界", 4, "ab", true},
        {"the limit after a whole character", "ab世界", 5, "ab世", true},
        {"the limit inside a four-byte character", "😀😀", 7, "😀", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = c.text;
        EXPECT_EQ(cutAtCharacter(text, c.limit), c.cut);
        EXPECT_EQ(text, c.expected);
    }
}

} // namespace
