#pragma once
// Signature strings: "%", the type code of the result, "%", the type codes of
// the parameters back to back. The receiving object is not written; an empty
// code means no result or no parameters; an object of a class is written
// "o<Class>", a Variant "v". A signature fits a function when its codes name
// the function's result and parameters after the object, one for one.

#include "framework/runtime/Ref.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <type_traits>

namespace fw {

struct Object;
struct String;
struct ClassTable;

struct SignatureParts {
    std::string_view result;      // between the first and the second "%"
    std::string_view parameters;  // after the second "%"
};

constexpr SignatureParts splitSignature(std::string_view signature)
{
    const size_t first = signature.find('%');
    if (first == std::string_view::npos)
        return {};
    const size_t second = signature.find('%', first + 1);
    if (second == std::string_view::npos)
        return {.result = signature.substr(first + 1), .parameters = {}};
    return {.result = signature.substr(first + 1, second - first - 1), .parameters = signature.substr(second + 1)};
}

namespace diagnostic {
// Never called while the program runs: reaching it while an operation row is
// made is what makes a row whose signature does not fit its function fail to
// compile.
inline void signatureDoesNotFitFunction() {}
} // namespace diagnostic

namespace detail {

// The letter of the code that a C++ type takes in a signature: 'o' an object
// (a Variant too), 's' a string, 'i' an int32, 'b' a boolean, 'p' a class
// pointer; '?' for a type that no code names.
template <class T>
consteval char codeLetter()
{
    if constexpr (std::is_same_v<T, Object*> || std::is_same_v<T, Ref<Object>>)
        return 'o';
    else if constexpr (std::is_same_v<T, String*> || std::is_same_v<T, Ref<String>>)
        return 's';
    else if constexpr (std::is_same_v<T, int32_t>)
        return 'i';
    else if constexpr (std::is_same_v<T, bool>)
        return 'b';
    else if constexpr (std::is_same_v<T, const ClassTable*>)
        return 'p';
    else
        return '?';
}

// Takes the first code off codes and returns its letter; '?' for a code that
// is none of these.
consteval char takeCode(std::string_view& codes)
{
    const char letter = codes.front();
    size_t length = 1;
    if (letter == 'o')
        length = codes.starts_with("o<") && codes.find('>') != std::string_view::npos ? codes.find('>') + 1 : 0;
    else if (letter == 'i')
        length = codes.starts_with("i4") ? 2 : 0;
    else if (letter != 's' && letter != 'b' && letter != 'p' && letter != 'v')
        length = 0;
    if (length == 0)
        return '?';
    codes.remove_prefix(length);
    return letter == 'v' ? 'o' : letter;
}

template <class... Types>
consteval bool codesName(std::string_view codes)
{
    const char letters[] = {codeLetter<Types>()..., '\0'};
    for (size_t i = 0; i + 1 < std::size(letters); ++i) {
        if (codes.empty() || takeCode(codes) != letters[i])
            return false;
    }
    return codes.empty();
}

template <class Result, class... Parameters>
consteval bool fits(Result (*)(Object*, Parameters...), std::string_view signature)
{
    if (!signature.starts_with('%') || signature.find('%', 1) == std::string_view::npos)
        return false;
    const SignatureParts parts = splitSignature(signature);
    const bool resultFits = std::is_void_v<Result> ? parts.result.empty() : codesName<Result>(parts.result);
    return resultFits && codesName<Parameters...>(parts.parameters);
}

} // namespace detail

// Stops compilation at diagnostic::signatureDoesNotFitFunction when the
// signature does not fit a function of type Function.
template <class Function>
consteval void requireSignatureFits(std::string_view signature)
{
    if (!detail::fits(static_cast<Function>(nullptr), signature))
        diagnostic::signatureDoesNotFitFunction();
}

} // namespace fw
