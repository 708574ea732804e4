#pragma once
// The root of every runtime object: its class table, its reference count,
// the event bindings attached to it, its property values and the weak
// holder that delegates reach it through.

#include "framework/runtime/PropertyForm.h"
#include "framework/runtime/Ref.h"

#include <cstdint>
#include <typeinfo>
#include <vector>

namespace fw {

struct ClassTable;
struct WeakHolder;

using Code = void (*)();

// A code pointer that remembers the function type it was made from. Tables
// of operations, member entries, event tables and delegates hold these, so
// that a call through them is checked against what the entry really holds.
struct TypedCode {
    Code code = nullptr;
    const std::type_info* type = nullptr; // of the function pointer; nil while code is nil

    explicit operator bool() const { return code != nullptr; }
    // Whether it holds a function of type F.
    template <class F>
    bool holds() const
    {
        return type && *type == typeid(F*);
    }
    // The same function, made the same way (type_info objects are one per type).
    friend bool operator==(const TypedCode&, const TypedCode&) = default;
};

template <class F>
TypedCode toCode(F* function)
{
    return {reinterpret_cast<Code>(function), function ? &typeid(F*) : nullptr};
}

// The code of a function known while compiling, for rows that are data.
template <auto Function>
TypedCode codeOf()
{
    return toCode(Function);
}

// The code an event binding runs: the object whose event fired.
using EventStub = void (*)(Object* sender);

// One binding made by RuntimeAddEventHandler: an event number, the stub the
// framework calls when the event fires, and the delegate the stub fetches.
struct EventBinding {
    int32_t event;
    EventStub stub;
    Ref<Object> delegate;
};

struct Object {
    explicit Object(const ClassTable* classTable);
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    const ClassTable* classTable() const { return classTable_; }
    int32_t referenceCount() const { return references_; }

    // Values of the class's properties, one slot per property-table entry.
    std::vector<StoredValue>& propertyValues() { return propertyValues_; }
    const std::vector<StoredValue>& propertyValues() const { return propertyValues_; }
    std::vector<EventBinding>& eventBindings() { return eventBindings_; }

    // Called after a property slot has changed; framework classes that show
    // something on screen pass the change on to their view.
    virtual void propertyChanged(uint32_t /*index*/) {}

private:
    friend void RuntimeLockObject(Object*);
    friend void RuntimeUnlockObject(Object*);
    friend struct WeakHolder;
    friend Ref<WeakHolder> holderOf(Object*);

    const ClassTable* classTable_;
    int32_t references_ = 1;
    WeakHolder* holder_ = nullptr; // not owned; cleared by either side's destructor
    std::vector<StoredValue> propertyValues_;
    std::vector<EventBinding> eventBindings_;
};

// Counted byte string, UTF-8 by convention; may hold any bytes, NUL included.
struct String {
    explicit String(std::string bytes);
    String(const String&) = delete;
    String& operator=(const String&) = delete;
    ~String();

    std::string_view view() const { return bytes; }
    int32_t referenceCount() const { return references; }

    std::string bytes;
    int32_t references = 1;
};

// Returns a new string holding a copy of bytes.
Ref<String> makeString(std::string_view bytes);

// Number of runtime objects and strings alive now; tests compare them with
// a baseline to catch a leaked or an extra reference.
int64_t liveObjectCount();
int64_t liveStringCount();

// Raises StackOverflowException when the calling thread's stack is nearly
// used up, so that runaway recursion ends as a runtime exception.
void RuntimeStackCheck();

} // namespace fw
