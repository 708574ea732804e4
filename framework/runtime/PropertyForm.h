#pragma once

// The settings a window or control can receive in its property list, and the
// byte form each one's value takes there. The list itself carries no type
// tags: a value's form follows from its setting's name alone.

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

struct SettingFormInfo {
    std::string_view name;
    PropertyForm form;
};

inline constexpr SettingFormInfo kSettingForms[] = {
    // name, form
    {.name = "Placement", .form = PropertyForm::Int32},
    {.name = "Width", .form = PropertyForm::Int32},
    {.name = "Height", .form = PropertyForm::Int32},
    {.name = "MinWidth", .form = PropertyForm::Int32},
    {.name = "MinHeight", .form = PropertyForm::Int32},
    {.name = "MaxWidth", .form = PropertyForm::Int32},
    {.name = "MaxHeight", .form = PropertyForm::Int32},
    {.name = "Frame", .form = PropertyForm::Int32},
    {.name = "MacProcID", .form = PropertyForm::Int32},
    {.name = "Index", .form = PropertyForm::Int32},
    {.name = "Left", .form = PropertyForm::Int32},
    {.name = "Top", .form = PropertyForm::Int32},
    {.name = "TabPanelIndex", .form = PropertyForm::Int32},
    {.name = "TabIndex", .form = PropertyForm::Int32},
    {.name = "ButtonStyle", .form = PropertyForm::Int32},
    {.name = "LimitText", .form = PropertyForm::Int32},
    {.name = "Alignment", .form = PropertyForm::Int32},
    {.name = "TextAlign", .form = PropertyForm::Int32},
    {.name = "Composite", .form = PropertyForm::Boolean},
    {.name = "HasBackColor", .form = PropertyForm::Boolean},
    {.name = "Visible", .form = PropertyForm::Boolean},
    {.name = "FullScreen", .form = PropertyForm::Boolean},
    {.name = "MenuBarVisible", .form = PropertyForm::Boolean},
    {.name = "CloseButton", .form = PropertyForm::Boolean},
    {.name = "Resizeable", .form = PropertyForm::Boolean},
    {.name = "LiveResize", .form = PropertyForm::Boolean},
    {.name = "MaximizeButton", .form = PropertyForm::Boolean},
    {.name = "MinimizeButton", .form = PropertyForm::Boolean},
    {.name = "LockLeft", .form = PropertyForm::Boolean},
    {.name = "LockTop", .form = PropertyForm::Boolean},
    {.name = "LockRight", .form = PropertyForm::Boolean},
    {.name = "LockBottom", .form = PropertyForm::Boolean},
    {.name = "TabStop", .form = PropertyForm::Boolean},
    {.name = "Default", .form = PropertyForm::Boolean},
    {.name = "Cancel", .form = PropertyForm::Boolean},
    {.name = "Enabled", .form = PropertyForm::Boolean},
    {.name = "AutoDeactivate", .form = PropertyForm::Boolean},
    {.name = "Bold", .form = PropertyForm::Boolean},
    {.name = "Italic", .form = PropertyForm::Boolean},
    {.name = "Underline", .form = PropertyForm::Boolean},
    {.name = "Border", .form = PropertyForm::Boolean},
    {.name = "Multiline", .form = PropertyForm::Boolean},
    {.name = "ScrollbarHorizontal", .form = PropertyForm::Boolean},
    {.name = "ScrollbarVertical", .form = PropertyForm::Boolean},
    {.name = "Styled", .form = PropertyForm::Boolean},
    {.name = "UseFocusRing", .form = PropertyForm::Boolean},
    {.name = "HideSelection", .form = PropertyForm::Boolean},
    {.name = "ReadOnly", .form = PropertyForm::Boolean},
    {.name = "AcceptTabs", .form = PropertyForm::Boolean},
    {.name = "AutomaticallyCheckSpelling", .form = PropertyForm::Boolean},
    {.name = "AcceptFocus", .form = PropertyForm::Boolean},
    {.name = "DoubleBuffer", .form = PropertyForm::Boolean},
    {.name = "EraseBackground", .form = PropertyForm::Boolean},
    {.name = "Selectable", .form = PropertyForm::Boolean},
    {.name = "Transparent", .form = PropertyForm::Boolean},
    {.name = "BackColor", .form = PropertyForm::Colour},
    {.name = "TextColor", .form = PropertyForm::Colour},
    {.name = "Title", .form = PropertyForm::Text},
    {.name = "Name", .form = PropertyForm::Text},
    {.name = "Caption", .form = PropertyForm::Text},
    {.name = "Text", .form = PropertyForm::Text},
    {.name = "TextFont", .form = PropertyForm::Text},
    {.name = "HelpTag", .form = PropertyForm::Text},
    {.name = "InitialParent", .form = PropertyForm::Text},
    {.name = "Format", .form = PropertyForm::Text},
    {.name = "Mask", .form = PropertyForm::Text},
    {.name = "DataSource", .form = PropertyForm::Text},
    {.name = "DataField", .form = PropertyForm::Text},
};

// A name must be readable back out of a list (ASCII letters, so no blank) and
// must fix a single form.
static_assert(
    [] {
        const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
        for (size_t i = 0; i < std::size(kSettingForms); ++i) {
            const SettingFormInfo& row = kSettingForms[i];
            if (row.name.empty() || row.form >= PropertyForm::Count)
                return false;
            for (char c : row.name) {
                if (!isLetter(c))
                    return false;
            }
            for (size_t j = i + 1; j < std::size(kSettingForms); ++j) {
                if (kSettingForms[j].name == row.name)
                    return false;
            }
        }
        return true;
    }(),
    "kSettingForms names must be distinct, non-empty ASCII letters");

constexpr std::optional<PropertyForm> settingForm(std::string_view name)
{
    for (const SettingFormInfo& row : kSettingForms) {
        if (row.name == name)
            return row.form;
    }
    return std::nullopt;
}

} // namespace fw
