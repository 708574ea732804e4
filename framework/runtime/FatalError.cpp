#include "framework/runtime/FatalError.h"

#include <cstdio>
#include <cstdlib>

namespace fw {

void fatalError(const char* what)
{
    std::fprintf(stderr, "framework: internal error: %s\n", what);
    std::abort();
}

} // namespace fw
