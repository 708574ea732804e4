#include "framework/ui/qt/X11TextEncodings.h"

#include "framework/text/Utf8.h"

#include <QString>

#include <cstdint>

namespace fw::ui {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr char kEscape = 0x1B;
constexpr uint8_t kControlSequenceIntroducer = 0x9B;

void appendLatin1(std::string& text, uint8_t byte)
{
    if (byte < 0x80) {
        text += static_cast<char>(byte);
    } else {
        text += static_cast<char>(0xC0 | (byte >> 6));
        text += static_cast<char>(0x80 | (byte & 0x3F));
    }
}

bool isContinuation(char byte) { return (static_cast<uint8_t>(byte) & 0xC0) == 0x80; }

// What a half of the code table (GL: 0x21-0x7E, GR: 0xA1-0xFE) holds now.
enum class Charset : uint8_t {
    Ascii,       // GL's at the start
    Latin1Right, // GR's at the start
    OneByte,     // another set of one byte a character
    TwoByte,     // a set of two bytes a character (CJK)
};

// Decodes COMPOUND_TEXT: ISO 2022 with designations of the character sets
// into GL and GR, and UTF-8 between ESC % G and ESC % @.
class CompoundTextDecoder {
public:
    explicit CompoundTextDecoder(std::string_view bytes) : bytes_(bytes) {}

    std::string decode()
    {
        while (at_ < bytes_.size()) {
            const auto byte = static_cast<uint8_t>(bytes_[at_]);
            if (byte == kEscape)
                escapeSequence();
            else if (byte == kControlSequenceIntroducer)
                controlSequence();
            else if (utf8_)
                text_ += bytes_[at_++];
            else
                character(byte);
        }
        return utf8FromOwner(std::move(text_));
    }

private:
    void character(uint8_t byte)
    {
        const bool right = byte >= 0x80;
        const uint8_t low = byte & 0x7F;
        const Charset set = right ? gr_ : gl_;
        if (low < 0x20 || low == 0x7F || (!right && set == Charset::Ascii) || (right && set == Charset::Latin1Right)) {
            if (!(right && low < 0x20)) // C1 controls are not text
                appendLatin1(text_, byte);
            ++at_;
            return;
        }
        text_ += kReplacement;
        at_ += set == Charset::TwoByte ? 2 : 1;
    }

    // ESC, intermediate bytes (0x20-0x2F), a final byte (0x30-0x7E).
    void escapeSequence()
    {
        const size_t start = ++at_;
        while (at_ < bytes_.size() && bytes_[at_] >= 0x20 && bytes_[at_] <= 0x2F)
            ++at_;
        if (at_ >= bytes_.size())
            return;
        const std::string_view intermediates = bytes_.substr(start, at_ - start);
        const char final = bytes_[at_++];
        designate(intermediates, final);
    }

    void designate(std::string_view intermediates, char final)
    {
        if (intermediates == "%") {
            utf8_ = final == 'G';
        } else if (intermediates == "%/") {
            skipExtendedSegment();
        } else if (utf8_) {
            return; // inside UTF-8 only ESC % @ counts
        } else if (intermediates == "(") {
            gl_ = final == 'B' || final == 'J' ? Charset::Ascii : Charset::OneByte;
        } else if (intermediates == ")") {
            gr_ = Charset::OneByte;
        } else if (intermediates == "-") {
            gr_ = final == 'A' ? Charset::Latin1Right : Charset::OneByte;
        } else if (intermediates == "$" || intermediates == "$(") {
            gl_ = Charset::TwoByte;
        } else if (intermediates == "$)") {
            gr_ = Charset::TwoByte;
        }
    }

    // ESC % / F M L, then (M - 0x80) * 0x80 + (L - 0x80) bytes in an encoding
    // of the owner's: one unknown character as far as we can tell.
    void skipExtendedSegment()
    {
        if (bytes_.size() - at_ < 2)
            return;
        const size_t length =
            (static_cast<uint8_t>(bytes_[at_]) & 0x7F) * 0x80u + (static_cast<uint8_t>(bytes_[at_ + 1]) & 0x7F);
        at_ += 2 + std::min(length, bytes_.size() - at_ - 2);
        text_ += kReplacement;
    }

    // CSI, parameters, intermediates, a final byte: the writing direction,
    // which plain text does not keep.
    void controlSequence()
    {
        ++at_;
        while (at_ < bytes_.size() && bytes_[at_] >= 0x20 && bytes_[at_] <= 0x3F)
            ++at_;
        if (at_ < bytes_.size())
            ++at_;
    }

    std::string_view bytes_;
    size_t at_ = 0;
    std::string text_;
    Charset gl_ = Charset::Ascii;
    Charset gr_ = Charset::Latin1Right;
    bool utf8_ = false;
};

} // namespace

std::string utf8FromOwner(std::string bytes)
{
    if (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    if (text::isValidUtf8(bytes))
        return bytes;
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

std::string utf8FromLatin1(std::string_view bytes)
{
    if (!bytes.empty() && bytes.back() == '\0')
        bytes.remove_suffix(1);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (char byte : bytes)
        appendLatin1(text, static_cast<uint8_t>(byte));
    return text;
}

std::string utf8FromCompoundText(std::string_view bytes) { return CompoundTextDecoder(bytes).decode(); }

bool cutAtCharacter(std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return false;
    size_t end = limit;
    while (end > 0 && isContinuation(text[end]))
        --end;
    text.resize(end);
    return true;
}

} // namespace fw::ui
