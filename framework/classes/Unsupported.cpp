#include "framework/classes/Unsupported.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/FrameworkClass.h"

#include <string>

namespace fw {

namespace UnsupportedOperationException {
const ClassTable* __Lookup()
{
    static const ClassTable* table =
        buildFrameworkClass({.name = "UnsupportedOperationException", .parent = RuntimeException::__Lookup});
    return table;
}
} // namespace UnsupportedOperationException

void raiseUnsupported(std::string_view operation)
{
    raiseRuntimeException(UnsupportedOperationException::__Lookup(),
                          std::string(operation) + " is not available on this desktop");
}

} // namespace fw
