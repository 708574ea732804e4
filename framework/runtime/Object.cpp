#include "framework/runtime/Object.h"

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/FatalError.h"
#include "framework/runtime/WeakHolder.h"

#include <pthread.h>

namespace fw {

namespace {
int64_t liveObjects = 0;
int64_t liveStrings = 0;
} // namespace

Object::Object(const ClassTable* classTable) : classTable_(classTable)
{
    ++liveObjects;
    if (classTable_)
        propertyValues_.resize(classTable_->properties.size());
}

Object::~Object()
{
    if (holder_)
        holder_->target = nullptr;
    --liveObjects;
}

void RuntimeLockObject(Object* object)
{
    if (!object)
        return;
    if (object->references_ <= 0)
        fatalError("retain of a released object");
    ++object->references_;
}

void RuntimeUnlockObject(Object* object)
{
    if (!object)
        return;
    if (object->references_ <= 0)
        fatalError("double release of an object");
    if (--object->references_ == 0)
        delete object;
}

String::String(std::string bytes) : bytes(std::move(bytes)) { ++liveStrings; }
String::~String() { --liveStrings; }

void RuntimeLockString(String* string)
{
    if (!string)
        return;
    if (string->references <= 0)
        fatalError("retain of a released string");
    ++string->references;
}

void RuntimeUnlockString(String* string)
{
    if (!string)
        return;
    if (string->references <= 0)
        fatalError("double release of a string");
    if (--string->references == 0)
        delete string;
}

Ref<String> makeString(std::string_view bytes)
{
    return Ref<String>::adopt(new String(std::string(bytes)));
}

int64_t liveObjectCount() { return liveObjects; }
int64_t liveStringCount() { return liveStrings; }

namespace {

// Stack bounds of the calling thread, read once per thread.
struct StackBounds {
    const char* low = nullptr;
    StackBounds()
    {
        pthread_attr_t attributes;
        if (pthread_getattr_np(pthread_self(), &attributes) != 0)
            return;
        void* address = nullptr;
        size_t size = 0;
        if (pthread_attr_getstack(&attributes, &address, &size) == 0)
            low = static_cast<const char*>(address);
        pthread_attr_destroy(&attributes);
    }
};

constexpr std::ptrdiff_t kStackReserve = 256 * 1024;

} // namespace

void RuntimeStackCheck()
{
    thread_local StackBounds bounds;
    char here;
    if (bounds.low && &here - bounds.low < kStackReserve)
        raiseRuntimeException(StackOverflowException::__Lookup(), "stack overflow");
}

} // namespace fw
