#pragma once
// Everything that Qt's event loop calls into the framework goes through
// guardedCall: an exception must never unwind through Qt's frames. The
// framework settles its exceptions itself, so one that escapes is a broken
// invariant: one clear line on stderr, then abort.

#include "framework/runtime/FatalError.h"

#include <exception>
#include <utility>

namespace fw::ui {

template <typename Function>
void guardedCall(Function&& function) noexcept
{
    try {
        std::forward<Function>(function)();
    } catch (const std::exception& exception) {
        fatalError("exception reached the event loop: %s", exception.what());
    } catch (...) {
        fatalError("exception reached the event loop: not a std::exception");
    }
}

} // namespace fw::ui
