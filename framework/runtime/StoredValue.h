#pragma once
// A value held in an object's property slot, and the kinds of value a
// property declares.

#include "framework/runtime/PropertyForm.h"
#include "framework/runtime/Ref.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

namespace fw {

// What a property slot holds.
enum class ValueKind : uint8_t { Int32, Boolean, Colour, Text, Single, Enum8, Object, Count };

inline constexpr size_t kValueKindCount = static_cast<size_t>(ValueKind::Count);

struct ValueKindInfo {
    ValueKind kind;
    std::string_view name;
    std::string_view signature;            // a property member's introspection signature
    std::optional<PropertyForm> listForm;  // its form in a property list; none: not settable from one
};

inline constexpr ValueKindInfo kValueKinds[] = {
    // kind, name, signature, listForm
    {.kind = ValueKind::Int32, .name = "Int32", .signature = "%i4%", .listForm = PropertyForm::Int32},
    {.kind = ValueKind::Boolean, .name = "Boolean", .signature = "%b%", .listForm = PropertyForm::Boolean},
    {.kind = ValueKind::Colour, .name = "Colour", .signature = "%c%", .listForm = PropertyForm::Colour},
    {.kind = ValueKind::Text, .name = "Text", .signature = "%s%", .listForm = PropertyForm::Text},
    {.kind = ValueKind::Single, .name = "Single", .signature = "%f4%", .listForm = std::nullopt},
    {.kind = ValueKind::Enum8, .name = "Enum8", .signature = "%u1%", .listForm = std::nullopt},
    {.kind = ValueKind::Object, .name = "Object", .signature = "%o<Object>%", .listForm = std::nullopt},
};
static_assert(std::size(kValueKinds) == kValueKindCount);
static_assert(
    [] {
        for (size_t i = 0; i < kValueKindCount; ++i) {
            if (kValueKinds[i].kind != static_cast<ValueKind>(i))
                return false;
        }
        return true;
    }(),
    "kValueKinds rows must follow the order of ValueKind");

// `kind` must be one of the kinds before Count.
constexpr const ValueKindInfo& valueKindInfo(ValueKind kind) { return kValueKinds[static_cast<size_t>(kind)]; }

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
