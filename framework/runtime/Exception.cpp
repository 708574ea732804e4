#include "framework/runtime/Exception.h"

#include "framework/runtime/ClassDescription.h"

#include <string>

namespace fw {

namespace {
constexpr PropertyRow kRuntimeExceptionProperties[] = {
    // name        kind
    {"Message", ValueKind::Text},
    {"ErrorNumber", ValueKind::Int32},
};
constexpr uint32_t kMessageSlot = 0;
} // namespace

namespace RuntimeException {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(
        table,
        {.name = "RuntimeException", .parent = ObjectClass::__Lookup, .properties = kRuntimeExceptionProperties});
}
} // namespace RuntimeException

namespace {
// A kind of RuntimeException with nothing of its own.
const ClassTable* subclass(const ClassTable*& table, std::string_view name)
{
    return registerClass(table, {.name = name, .parent = RuntimeException::__Lookup});
}
const ClassTable *nilObject = nullptr, *illegalCast = nullptr, *stackOverflow = nullptr;
} // namespace

namespace NilObjectException {
const ClassTable* __Lookup() { return subclass(nilObject, "NilObjectException"); }
} // namespace NilObjectException
namespace IllegalCastException {
const ClassTable* __Lookup() { return subclass(illegalCast, "IllegalCastException"); }
} // namespace IllegalCastException
namespace StackOverflowException {
const ClassTable* __Lookup() { return subclass(stackOverflow, "StackOverflowException"); }
} // namespace StackOverflowException

Ref<Object> newRuntimeException(const ClassTable* exceptionClass, std::string_view message)
{
    Ref<Object> exception = RuntimeNewObject(exceptionClass);
    exception->propertyValues()[kMessageSlot] = makeString(message);
    return exception;
}

Ref<Object> runtimeExceptionFor(std::exception_ptr foreign) noexcept
{
    try {
        try {
            std::rethrow_exception(foreign);
        } catch (const std::exception& exception) {
            return newRuntimeException(RuntimeException::__Lookup(), std::string("C++ exception ") + exception.what());
        } catch (...) {
            return newRuntimeException(RuntimeException::__Lookup(), "C++ exception of unknown type");
        }
    } catch (...) {
        return nullptr;
    }
}

void RaiseNilObjectException() { throw Raised{newRuntimeException(NilObjectException::__Lookup(), "nil object")}; }

void raiseRuntimeException(const ClassTable* exceptionClass, std::string_view message)
{
    throw Raised{newRuntimeException(exceptionClass, message)};
}

void RuntimeReraiseException(Object* exception) { throw Raised{Ref<Object>::retain(exception)}; }

String* exceptionMessage(Object* exception)
{
    if (!RuntimeObjectIsa(exception, RuntimeException::__Lookup()))
        return nullptr;
    auto* message = std::get_if<Ref<String>>(&exception->propertyValues()[kMessageSlot]);
    return message ? message->get() : nullptr;
}

} // namespace fw
