#pragma once
// Everything that Qt's event loop calls into the framework goes through
// guardedCall: an exception must never unwind through Qt's frames. The
// framework settles its exceptions itself, so one that escapes is a broken
// invariant: one clear line on stderr, then abort.

#include <exception>
#include <utility>

namespace fw::ui {

[[noreturn]] void exceptionEscaped(const char* what);

template <typename Function>
void guardedCall(Function&& function) noexcept
{
    try {
        std::forward<Function>(function)();
    } catch (const std::exception& exception) {
        exceptionEscaped(exception.what());
    } catch (...) {
        exceptionEscaped("not a std::exception");
    }
}

} // namespace fw::ui
