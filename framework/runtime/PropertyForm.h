#pragma once

// The kinds of value a property holds, the value in a property's slot, and
// the byte forms of the kinds that a property list carries. The list itself
// carries no type tags: a value's form follows from the setting's name, by
// the property of that name in the receiving class's property table.

#include "framework/runtime/EnumTable.h"
#include "framework/runtime/Ref.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

namespace fw {

// What a property holds. The first four kinds are also the forms that a
// value takes in a property list.
enum class ValueKind : uint8_t { Int32, Boolean, Colour, Text, Single, Enum8, Object, Count };
using PropertyForm = ValueKind; // Int32, Boolean, Colour or Text

inline constexpr size_t kValueKindCount = static_cast<size_t>(ValueKind::Count);
inline constexpr size_t kPropertyFormCount = 4;

struct ValueKindInfo {
    ValueKind kind;
    std::string_view name;
    std::string_view signature; // a property member's introspection signature
    size_t fixedBytes;          // in a list the whole value, or for text its count; 0: not in lists
};

inline constexpr ValueKindInfo kValueKinds[] = {
    // kind, name, signature, fixedBytes
    {.kind = ValueKind::Int32, .name = "Int32", .signature = "%i4%", .fixedBytes = 4},
    {.kind = ValueKind::Boolean, .name = "Boolean", .signature = "%b%", .fixedBytes = 1},
    {.kind = ValueKind::Colour, .name = "Colour", .signature = "%c%", .fixedBytes = 3},
    {.kind = ValueKind::Text, .name = "Text", .signature = "%s%", .fixedBytes = 4},
    {.kind = ValueKind::Single, .name = "Single", .signature = "%f4%", .fixedBytes = 0},
    {.kind = ValueKind::Enum8, .name = "Enum8", .signature = "%u1%", .fixedBytes = 0},
    {.kind = ValueKind::Object, .name = "Object", .signature = "%o<Object>%", .fixedBytes = 0},
};
static_assert(rowsFollowTheirEnum<&ValueKindInfo::kind>(kValueKinds) &&
                  std::ranges::all_of(kValueKinds,
                                      [](const ValueKindInfo& row) {
                                          return (row.fixedBytes > 0) ==
                                                 (static_cast<size_t>(row.kind) < kPropertyFormCount);
                                      }),
              "kValueKinds rows must follow the order of ValueKind, the forms of a property list first");

// `kind` must be one of the kinds before Count.
constexpr const ValueKindInfo& valueKindInfo(ValueKind kind) { return kValueKinds[static_cast<size_t>(kind)]; }

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

constexpr PropertyForm formOf(const PropertyValue& value) { return static_cast<PropertyForm>(value.index()); }

// Empty, or a value of one of the kinds, in the order of ValueKind: a
// property's slot holds nothing yet or a value of its declared kind.
using StoredValue = std::variant<std::monostate, int32_t, bool, Colour, Ref<String>, float, uint8_t, Ref<Object>>;
static_assert(std::variant_size_v<StoredValue> == 1 + kValueKindCount);
static_assert(std::is_same_v<std::variant_alternative_t<1 + size_t(ValueKind::Text), StoredValue>, Ref<String>>);
static_assert(std::is_same_v<std::variant_alternative_t<1 + size_t(ValueKind::Enum8), StoredValue>, uint8_t>);

constexpr bool holdsKind(const StoredValue& value, ValueKind kind)
{
    return value.index() == 0 || value.index() == 1 + static_cast<size_t>(kind);
}

} // namespace fw
