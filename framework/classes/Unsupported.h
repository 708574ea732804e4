#pragma once
// Operations that this desktop does not offer raise
// UnsupportedOperationException, naming the operation.

#include "framework/runtime/ClassTable.h"

#include <string_view>

namespace fw {

namespace UnsupportedOperationException {
const ClassTable* __Lookup();
}

[[noreturn]] void raiseUnsupported(std::string_view operation);

// An operation of the given shape that raises for its name.
template <const char* Name, class Result = void, class... Arguments>
Result unsupportedOperation(Object*, Arguments...)
{
    raiseUnsupported(Name);
}

} // namespace fw
