#pragma once
// Compile-time checks for a table that describes an enum: one row for each
// enumerator before Count, in the enum's order, so that each enumerator is
// tied to its own row and a row is found by its enumerator's number.

#include <cstddef>
#include <type_traits>

namespace fw {

// Whether table has a row for each enumerator of the enum that the rows name
// in their member key, and row i names the i-th.
template <auto key, class Row, size_t count>
constexpr bool rowsFollowTheirEnum(const Row (&table)[count])
{
    using Enum = std::remove_cvref_t<decltype(table[0].*key)>;
    if (count != static_cast<size_t>(Enum::Count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (table[i].*key != static_cast<Enum>(i))
            return false;
    }
    return true;
}

// Whether no two rows of table hold the same value in their member field.
template <auto field, class Row, size_t count>
constexpr bool rowsDiffer(const Row (&table)[count])
{
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (table[j].*field == table[i].*field)
                return false;
        }
    }
    return true;
}

} // namespace fw
