#include "framework/runtime/PropertyListDecoder.h"

#include <cstdint>
#include <string>
#include <utility>

namespace fw {
namespace {

[[noreturn]] void fail(std::string_view setting, size_t offset, std::string reason)
{
    throw PropertyListError{.setting = std::string(setting), .offset = offset, .reason = std::move(reason)};
}

std::string hexDigits(unsigned char byte)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

int32_t bigEndianInt32(std::string_view four)
{
    uint32_t bits = 0;
    for (char c : four)
        bits = bits << 8 | static_cast<unsigned char>(c);
    return static_cast<int32_t>(bits);
}

// Reads the value of setting `name` that starts at `at`, and leaves `at` just
// past it. `nameAt` is where the name starts.
PropertyValue readValue(std::string_view bytes, size_t& at, std::string_view name, size_t nameAt, PropertyForm form)
{
    const size_t valueAt = at;
    const auto take = [&](size_t count) {
        const std::string_view taken = bytes.substr(at, count);
        at += count;
        return taken;
    };
    const auto takeFixed = [&](PropertyForm known) {
        const ValueKindInfo& info = valueKindInfo(known);
        const size_t left = bytes.size() - at;
        if (left < info.fixedBytes) {
            fail(name, valueAt,
                 std::string(info.name) + " value runs past the end (" + std::to_string(info.fixedBytes) + " needed, " +
                     std::to_string(left) + " left)");
        }
        return take(info.fixedBytes);
    };

    switch (form) {
    case PropertyForm::Int32:
        return bigEndianInt32(takeFixed(form));
    case PropertyForm::Boolean: {
        const auto byte = static_cast<unsigned char>(takeFixed(form)[0]);
        if (byte > 1)
            fail(name, valueAt, "boolean byte 0x" + hexDigits(byte) + " is neither 0 nor 1");
        return byte == 1;
    }
    case PropertyForm::Colour: {
        const std::string_view rgb = takeFixed(form);
        return Colour{.red = static_cast<uint8_t>(rgb[0]),
                      .green = static_cast<uint8_t>(rgb[1]),
                      .blue = static_cast<uint8_t>(rgb[2])};
    }
    case PropertyForm::Text: {
        const int32_t count = bigEndianInt32(takeFixed(form));
        if (count < 0)
            fail(name, valueAt, "negative text length " + std::to_string(count));
        const size_t left = bytes.size() - at;
        if (static_cast<size_t>(count) > left) {
            fail(name, valueAt,
                 "text length " + std::to_string(count) + " runs past the end (" + std::to_string(left) + " left)");
        }
        return take(static_cast<size_t>(count));
    }
    default:
        break;
    }
    // Only a lookup that answers with something other than a form gets here.
    fail(name, nameAt, "unknown setting");
}

} // namespace

std::string PropertyListError::message() const
{
    // The name comes straight from the list, so it may hold any bytes.
    std::string printable;
    for (char c : setting) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == '"' || c == '\\')
            printable += "\\x" + hexDigits(byte);
        else
            printable += c;
    }
    return "property list: setting \"" + printable + "\" at byte " + std::to_string(offset) + ": " + reason;
}

void decodePropertyList(std::string_view bytes, const SettingFormLookup& lookup, const SettingApply& apply)
{
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t nameAt = at;
        const size_t blank = bytes.find(' ', at);
        if (blank == std::string_view::npos)
            fail(bytes.substr(at), at, "no blank after the setting name");
        const std::string_view name = bytes.substr(at, blank - at);
        if (name.empty())
            fail(name, at, "empty setting name");
        const std::optional<PropertyForm> form = lookup(name);
        if (!form)
            fail(name, at, "unknown setting");
        at = blank + 1;
        apply(name, readValue(bytes, at, name, nameAt, *form));
    }
}

} // namespace fw
