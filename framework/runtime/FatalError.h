#pragma once
// Broken invariants inside the framework: one clear line on stderr, then abort.

namespace fw {

// Writes "framework: internal error: " and the message that format and the
// arguments after it make, as printf does, in one line, then aborts. The
// message names what broke.
[[noreturn]] void fatalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace fw
