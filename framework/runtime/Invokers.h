#pragma once
// Signatures and the invokers through which introspection calls members. A
// signature is "%", the result's type code, "%", the parameters' codes back
// to back ("o<Class>" an object, "v" a Variant; the receiver is not written):
// it fits a function whose result and parameters after the object it names.
// kInvokerFor picks a function's invoker; argument lists stay inside it.

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace fw {

struct SignatureParts {
    std::string_view result;     // between the first and the second "%"
    std::string_view parameters; // after the second "%"
};

constexpr SignatureParts splitSignature(std::string_view signature)
{
    const size_t first = signature.find('%');
    const size_t second = first == std::string_view::npos ? first : signature.find('%', first + 1);
    if (second == std::string_view::npos)
        return {.result = first == std::string_view::npos ? "" : signature.substr(first + 1), .parameters = ""};
    return {.result = signature.substr(first + 1, second - first - 1), .parameters = signature.substr(second + 1)};
}

namespace diagnostic {
// Never called: reached while a row is made, it stops the compilation.
inline void signatureDoesNotFitFunction() {}
} // namespace diagnostic

// The code of a C++ type in a signature; "?" for a type that no code names.
template <class T>
inline constexpr std::string_view kTypeCode = "?";
// clang-format off
template <> inline constexpr std::string_view kTypeCode<void> = "";
template <> inline constexpr std::string_view kTypeCode<Object*> = "o";
template <> inline constexpr std::string_view kTypeCode<Ref<Object>> = "o";
template <> inline constexpr std::string_view kTypeCode<String*> = "s";
template <> inline constexpr std::string_view kTypeCode<Ref<String>> = "s";
template <> inline constexpr std::string_view kTypeCode<int32_t> = "i4";
template <> inline constexpr std::string_view kTypeCode<bool> = "b";
template <> inline constexpr std::string_view kTypeCode<const ClassTable*> = "p";
// clang-format on

// Takes code off the front of codes; "o" takes "o<Class>" or "v".
consteval bool takeTypeCode(std::string_view& codes, std::string_view code)
{
    size_t length = code != "?" && codes.starts_with(code) ? code.size() : 0;
    if (code == "o")
        length = codes.starts_with("o<") ? codes.find('>') + 1 : codes.starts_with('v') ? 1 : 0; // "o<" unclosed: 0
    codes.remove_prefix(length);
    return length > 0 || code.empty();
}

// Stops compilation at diagnostic::signatureDoesNotFitFunction when the
// signature does not fit a function of this type.
template <class Result, class... Parameters>
consteval void requireSignatureFits(Result (*)(Object*, Parameters...), std::string_view signature)
{
    if (!takeTypeCode(signature, "%") || !takeTypeCode(signature, kTypeCode<Result>) || !takeTypeCode(signature, "%") ||
        !(takeTypeCode(signature, kTypeCode<Parameters>) && ...) || !signature.empty())
        diagnostic::signatureDoesNotFitFunction();
}

// The argument list's first element, checked against the signature's class.
Ref<Object> objectArgument(const MemberEntry& member, Object* arguments);

// Calls the member with the target (and the first element of the argument
// list for a parameter) while it holds both; returns the result (a new
// reference) or nil. A nil target, then a nil list, raises NilObjectException.
template <class Result, class... Parameters>
Ref<Object> invoke(const MemberEntry& member, Object* target, Object* arguments)
{
    const Ref<Object> heldTarget = Ref<Object>::retain(target), heldArguments = Ref<Object>::retain(arguments);
    RuntimeStackCheck();
    if (!target || (sizeof...(Parameters) > 0 && !arguments))
        RaiseNilObjectException();
    auto* function = functionOf<Result(Object*, Parameters...)>(
        member.code, [&member] { return "member " + std::string(member.name->view()); });
    if constexpr (sizeof...(Parameters) > 0) {
        function(target, objectArgument(member, arguments).get());
        return nullptr;
    } else if constexpr (std::is_void_v<Result>) {
        function(target);
        return nullptr;
    } else {
        return function(target);
    }
}

// The invoker of a function of type Function: "%%", "%o<Class>%" or
// "%%o<Class>"; nil for another shape, which introspection does not call.
template <class Function>
inline constexpr Invoker kInvokerFor = nullptr;
// clang-format off
template <> inline constexpr Invoker kInvokerFor<void (*)(Object*)> = invoke<void>;
template <> inline constexpr Invoker kInvokerFor<Ref<Object> (*)(Object*)> = invoke<Ref<Object>>;
template <> inline constexpr Invoker kInvokerFor<void (*)(Object*, Object*)> = invoke<void, Object*>;
// clang-format on

} // namespace fw
