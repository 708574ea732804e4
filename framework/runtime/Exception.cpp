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
    return registerClass(table, {
        .name = "RuntimeException",
        .parent = ObjectClass::__Lookup,
        .properties = kRuntimeExceptionProperties,
    });
}
} // namespace RuntimeException

namespace NilObjectException {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "NilObjectException", .parent = RuntimeException::__Lookup});
}
} // namespace NilObjectException

namespace IllegalCastException {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "IllegalCastException", .parent = RuntimeException::__Lookup});
}
} // namespace IllegalCastException

namespace StackOverflowException {
const ClassTable* __Lookup()
{
    static const ClassTable* table = nullptr;
    return registerClass(table, {.name = "StackOverflowException", .parent = RuntimeException::__Lookup});
}
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

void RaiseNilObjectException()
{
    throw Raised{newRuntimeException(NilObjectException::__Lookup(), "nil object")};
}

void raiseRuntimeException(const ClassTable* exceptionClass, std::string_view message)
{
    throw Raised{newRuntimeException(exceptionClass, message)};
}

void RuntimeReraiseException(Object* exception)
{
    throw Raised{Ref<Object>::retain(exception)};
}

String* exceptionMessage(Object* exception)
{
    if (!RuntimeObjectIsa(exception, RuntimeException::__Lookup()))
        return nullptr;
    auto* message = std::get_if<Ref<String>>(&exception->propertyValues()[kMessageSlot]);
    return message ? message->get() : nullptr;
}

} // namespace fw
