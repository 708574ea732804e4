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

// A count at zero or below belongs to something already released: taking or
// dropping a reference to it is a fault of the caller's.
void retain(int32_t& references, const char* fault)
{
    if (references <= 0)
        fatalError("%s", fault);
    ++references;
}

// Returns whether that was the last reference.
bool release(int32_t& references, const char* fault)
{
    if (references <= 0)
        fatalError("%s", fault);
    return --references == 0;
}
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
    if (object)
        retain(object->references_, "retain of a released object");
}

void RuntimeUnlockObject(Object* object)
{
    if (object && release(object->references_, "double release of an object"))
        delete object;
}

String::String(std::string bytes) : bytes(std::move(bytes)) { ++liveStrings; }
String::~String() { --liveStrings; }

void RuntimeLockString(String* string)
{
    if (string)
        retain(string->references, "retain of a released string");
}

void RuntimeUnlockString(String* string)
{
    if (string && release(string->references, "double release of a string"))
        delete string;
}

Ref<String> makeString(std::string_view bytes) { return Ref<String>::adopt(new String(std::string(bytes))); }

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
