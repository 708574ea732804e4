#pragma once
// Runtime exceptions are runtime objects of the framework's exception
// classes. They travel through C++ code inside a Raised, which carries a
// reference to the very object that was raised.

#include "framework/runtime/ClassTable.h"

#include <exception>
#include <string_view>

namespace fw {

struct Raised {
    Ref<Object> exception;
};

namespace RuntimeException {
const ClassTable* __Lookup();
}
namespace NilObjectException {
const ClassTable* __Lookup();
}
namespace IllegalCastException {
const ClassTable* __Lookup();
}
namespace StackOverflowException {
const ClassTable* __Lookup();
}

// A new exception object of the class with its Message set.
Ref<Object> newRuntimeException(const ClassTable* exceptionClass, std::string_view message);

[[noreturn]] void RaiseNilObjectException();
[[noreturn]] void raiseRuntimeException(const ClassTable* exceptionClass, std::string_view message);
// A RuntimeException standing for a C++ exception that is no runtime object
// (std::bad_alloc, std::out_of_range from a lookup), so that it can end the
// program the way an unhandled runtime exception does. Its Message names the
// C++ exception. A new reference; nil only when even that cannot be made.
Ref<Object> runtimeExceptionFor(std::exception_ptr foreign) noexcept;

// Raises that very object again.
[[noreturn]] void RuntimeReraiseException(Object* exception);

// The exception's Message (borrowed; nil when none was set).
String* exceptionMessage(Object* exception);

} // namespace fw
