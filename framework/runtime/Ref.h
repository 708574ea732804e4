#pragma once
// Ref<T>: an intrusive, counted reference to a runtime object or string.
//
// Ownership rule of the whole runtime: a function that returns Ref<T> hands
// the caller a reference of its own (a "new reference"); a raw T* parameter
// or result is borrowed and must not be released. Ref::adopt() takes over the
// +1 that a fresh object arrives with; Ref::retain() takes another one.

#include <cstddef>
#include <type_traits>
#include <utility>

namespace fw {

struct Object;
struct String;

void RuntimeLockObject(Object* object);
void RuntimeUnlockObject(Object* object);
void RuntimeLockString(String* string);
void RuntimeUnlockString(String* string);

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(const Ref& other) : pointer_(other.pointer_) { lock(pointer_); }
    Ref(Ref&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(Ref<U>&& other) noexcept : pointer_(other.leak())
    {
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other) : pointer_(other.get())
    {
        lock(pointer_);
    }
    ~Ref() { unlock(pointer_); }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }

    // Takes over a reference that the caller already owns.
    static Ref adopt(T* pointer) { return Ref(pointer); }
    // Takes a further reference to a borrowed pointer.
    static Ref retain(T* pointer)
    {
        lock(pointer);
        return Ref(pointer);
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    T& operator*() const { return *pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Hands this reference to the caller, who now owns it.
    T* leak() { return std::exchange(pointer_, nullptr); }

private:
    explicit Ref(T* pointer) : pointer_(pointer) {}

    static void lock(T* pointer)
    {
        if constexpr (std::is_base_of_v<String, T>)
            RuntimeLockString(pointer);
        else
            RuntimeLockObject(pointer);
    }
    static void unlock(T* pointer)
    {
        if constexpr (std::is_base_of_v<String, T>)
            RuntimeUnlockString(pointer);
        else
            RuntimeUnlockObject(pointer);
    }

    T* pointer_ = nullptr;
};

template <class T, class U>
bool operator==(const Ref<T>& a, const Ref<U>& b)
{
    return a.get() == b.get();
}
template <class T>
bool operator==(const Ref<T>& a, std::nullptr_t)
{
    return a.get() == nullptr;
}

// Assign first, release the old value after: a store never drops the last
// reference to something the new value still needs.
template <class T>
void RuntimeLockUnlockObjects(Ref<T>& slot, T* value)
{
    Ref<T> old = std::exchange(slot, Ref<T>::retain(value));
}

// Down-cast of a counted reference whose class the caller has checked.
template <class T, class U>
Ref<T> static_ref_cast(Ref<U> from)
{
    return Ref<T>::adopt(static_cast<T*>(from.leak()));
}

} // namespace fw
