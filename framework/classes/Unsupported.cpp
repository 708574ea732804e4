#include "framework/classes/Unsupported.h"

#include "framework/runtime/ClassDescription.h"
#include "framework/runtime/Exception.h"

#include <string>

namespace fw {

namespace UnsupportedOperationException {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "UnsupportedOperationException", .parent = RuntimeException::__Lookup});
}
} // namespace UnsupportedOperationException

void raiseUnsupported(std::string_view operation)
{
    raiseRuntimeException(UnsupportedOperationException::__Lookup(),
                          std::string(operation) + " is not available on this desktop");
}

} // namespace fw
