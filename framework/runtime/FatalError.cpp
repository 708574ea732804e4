#include "framework/runtime/FatalError.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace fw {

void fatalError(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    // One line, whatever another thread writes meanwhile.
    flockfile(stderr);
    std::fputs("framework: internal error: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    funlockfile(stderr);
    va_end(arguments);
    std::abort();
}

} // namespace fw
