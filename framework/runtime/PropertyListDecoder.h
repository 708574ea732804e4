#pragma once

// Reads a property list entry by entry and hands each setting to its
// receiver as soon as it is read.

#include "framework/runtime/PropertyForm.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// Thrown for a malformed list. `setting` is the entry's name, or as much of it
// as the list holds. `offset` is the byte where the fault starts: the name's
// first byte when the name is at fault, the value's first byte otherwise.
struct PropertyListError {
    std::string setting;
    size_t offset;
    std::string reason;

    std::string message() const;
};

// Returns the form of a setting the receiver knows, nothing for one it does not.
using SettingFormLookup = std::function<std::optional<PropertyForm>(std::string_view name)>;
using SettingApply = std::function<void(std::string_view name, const PropertyValue& value)>;

// Calls lookup for each entry's name, then apply, in stored order. Text values
// point into `bytes`. On a fault, throws PropertyListError; every setting read
// before it has been applied already.
void decodePropertyList(std::string_view bytes, const SettingFormLookup& lookup, const SettingApply& apply);

} // namespace fw
