#pragma once

// Checks a programming error in the data layers. Unlike <cassert> it stays active in
// Release builds and prints the project's own fixed report before ending the process:
// "Assertion failed: <expression>, file <file>, line <line>".
#define KELO_ASSERT(expression)                                                                    \
    ((expression) ? static_cast<void>(0) : ::KeloAssertFailed(#expression, __FILE__, __LINE__))

[[noreturn]] void KeloAssertFailed(const char* expression, const char* file, int line);
