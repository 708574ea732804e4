#pragma once
// Broken invariants inside the framework: one clear line on stderr, then abort.

namespace fw {

[[noreturn]] void fatalError(const char* what);

} // namespace fw
