#pragma once

// Property lists declared in the program as tables of settings and turned
// into their byte form, for the class that receives them, while compiling:
//
//   inline constexpr fw::Setting kSettings[] = {
//       fw::setting("Width", 161),
//       fw::setting("Title", "Untitled"),
//   };
//   inline constexpr auto kList = fw::encodePropertyList<fw::Window::kProperties, kSettings>();
//   static_assert(kList.size() == 28);
//
// fw::setting() only runs at compile time. A name that the receiving class
// takes in no list, or a value of another form than its property takes,
// stops compilation at a function in fw::diagnostic, which the compiler names.

#include "framework/runtime/ClassTable.h"

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <ranges>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace fw {

struct Setting {
    std::string_view name;
    PropertyValue value;

    friend constexpr bool operator==(const Setting&, const Setting&) = default;
};

namespace diagnostic {
// Never called while the program runs: reaching one during constant
// evaluation is what makes a bad row fail to compile.
inline void settingNameIsUnknown() {}
inline void valueDoesNotMatchSettingForm() {}
inline void integerDoesNotFitInt32() {}
inline void textIsTooLong() {}
} // namespace diagnostic

namespace detail {

consteval void requireForm(const PropertyTable& receiver, const Setting& entry)
{
    const std::optional<PropertyForm> expected = settingForm(receiver, entry.name);
    if (!expected) {
        diagnostic::settingNameIsUnknown();
    } else if (*expected != formOf(entry.value)) {
        diagnostic::valueDoesNotMatchSettingForm();
    }
}

constexpr size_t encodedValueSize(const PropertyValue& value)
{
    const auto* text = std::get_if<std::string_view>(&value);
    return valueKindInfo(formOf(value)).fixedBytes + (text ? text->size() : 0);
}

constexpr char* writeValue(int32_t value, char* out)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        *out++ = static_cast<char>(static_cast<uint32_t>(value) >> shift & 0xFF);
    return out;
}

constexpr char* writeValue(bool value, char* out)
{
    *out = value ? 1 : 0;
    return out + 1;
}

constexpr char* writeValue(Colour value, char* out)
{
    for (uint8_t part : {value.red, value.green, value.blue})
        *out++ = static_cast<char>(part);
    return out;
}

constexpr char* writeValue(std::string_view text, char* out)
{
    return std::ranges::copy(text, writeValue(static_cast<int32_t>(text.size()), out)).out;
}

} // namespace detail

// A boolean or a colour setting.
template <class Value>
requires(std::same_as<Value, bool> || std::same_as<Value, Colour>) consteval Setting
    setting(std::string_view name, Value value)
{
    return {.name = name, .value = PropertyValue(std::in_place_type<Value>, value)};
}

template <std::integral Integer>
requires(!std::same_as<Integer, bool>) consteval Setting setting(std::string_view name, Integer value)
{
    if (!std::in_range<int32_t>(value))
        diagnostic::integerDoesNotFitInt32();
    return {.name = name, .value = PropertyValue(std::in_place_type<int32_t>, static_cast<int32_t>(value))};
}

consteval Setting setting(std::string_view name, std::string_view text)
{
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        diagnostic::textIsTooLong();
    return {.name = name, .value = PropertyValue(std::in_place_type<std::string_view>, text)};
}

constexpr size_t encodedSize(std::span<const Setting> settings)
{
    size_t size = 0;
    for (const Setting& entry : settings)
        size += entry.name.size() + 1 + detail::encodedValueSize(entry.value);
    return size;
}

template <const PropertyTable& Receiver, const auto& Settings>
requires std::same_as<std::ranges::range_value_t<std::remove_cvref_t<decltype(Settings)>>, Setting>
consteval auto encodePropertyList()
{
    for (const Setting& entry : Settings)
        detail::requireForm(Receiver, entry);
    std::array<char, encodedSize(Settings)> bytes{};
    char* out = bytes.data();
    for (const Setting& entry : Settings) {
        out = std::ranges::copy(entry.name, out).out;
        *out++ = ' ';
        out = std::visit([out](const auto& value) { return detail::writeValue(value, out); }, entry.value);
    }
    return bytes;
}

template <size_t N>
constexpr std::string_view asStringView(const std::array<char, N>& list)
{
    return {list.data(), N};
}

} // namespace fw
