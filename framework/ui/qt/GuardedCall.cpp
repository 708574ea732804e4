#include "framework/ui/qt/GuardedCall.h"

#include <cstdio>
#include <cstdlib>

namespace fw::ui {

void exceptionEscaped(const char* what)
{
    std::fprintf(stderr, "framework: internal error: exception reached the event loop: %s\n", what);
    std::abort();
}

} // namespace fw::ui
