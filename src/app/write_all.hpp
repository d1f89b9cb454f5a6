#pragma once

#include <cstddef>

namespace vintrel {

// The platform's side of the output, one implementation per platform
// (output_posix.cpp, output_windows.cpp).

// Hands size bytes to standard output, continuing after partial writes, interrupted
// calls and a full non-blocking pipe, until all are written or the output fails for good
// (closed, or its reader gone). Nothing is buffered on the way.
void write_all(const char* data, std::size_t size) noexcept;

}  // namespace vintrel
