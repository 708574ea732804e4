#include "framework/runtime/FatalError.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fw {

void fatalError(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list measuring;
    va_copy(measuring, arguments);
    int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::vsnprintf(message.data(), message.size() + 1, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, "framework: internal error: %s\n", message.c_str());
    std::abort();
}

} // namespace fw
