#pragma once

// The byte forms a setting's value takes in a property list. The list itself
// carries no type tags: a value's form follows from the setting's name, by
// the property of that name in the receiving class's property table.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

namespace fw {

enum class PropertyForm : uint8_t { Int32, Boolean, Colour, Text, Count };

inline constexpr size_t kPropertyFormCount = static_cast<size_t>(PropertyForm::Count);

struct PropertyFormInfo {
    PropertyForm form;
    std::string_view name;
    size_t fixedBytes;  // the whole value, or for text the byte count ahead of it
};

inline constexpr PropertyFormInfo kPropertyForms[] = {
    // form, name, fixedBytes
    {.form = PropertyForm::Int32, .name = "Int32", .fixedBytes = 4},
    {.form = PropertyForm::Boolean, .name = "Boolean", .fixedBytes = 1},
    {.form = PropertyForm::Colour, .name = "Colour", .fixedBytes = 3},
    {.form = PropertyForm::Text, .name = "Text", .fixedBytes = 4},
};
static_assert(std::size(kPropertyForms) == kPropertyFormCount);
static_assert(
    [] {
        for (size_t i = 0; i < kPropertyFormCount; ++i) {
            if (kPropertyForms[i].form != static_cast<PropertyForm>(i))
                return false;
        }
        return true;
    }(),
    "kPropertyForms rows must follow the order of PropertyForm");

// `form` must be one of the forms before Count.
constexpr const PropertyFormInfo& propertyFormInfo(PropertyForm form)
{
    return kPropertyForms[static_cast<size_t>(form)];
}

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;

    friend constexpr bool operator==(Colour, Colour) = default;
};

// A decoded value. The alternatives follow the order of PropertyForm, so
// index() is the form. Text views point into the list's own bytes.
using PropertyValue = std::variant<int32_t, bool, Colour, std::string_view>;

template <PropertyForm Form>
using PropertyType = std::variant_alternative_t<static_cast<size_t>(Form), PropertyValue>;

static_assert(std::variant_size_v<PropertyValue> == kPropertyFormCount);
static_assert(std::is_same_v<PropertyType<PropertyForm::Int32>, int32_t>);
static_assert(std::is_same_v<PropertyType<PropertyForm::Boolean>, bool>);
static_assert(std::is_same_v<PropertyType<PropertyForm::Colour>, Colour>);
static_assert(std::is_same_v<PropertyType<PropertyForm::Text>, std::string_view>);

constexpr PropertyForm formOf(const PropertyValue& value)
{
    return static_cast<PropertyForm>(value.index());
}

} // namespace fw
