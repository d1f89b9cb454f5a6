#pragma once

// What every fuzz target does when a property fails: say which, then abort, so that
// libFuzzer keeps the input and the replay program dies on it too.

#include <cstdio>
#include <cstdlib>

namespace vintrel::fuzz {

inline void require(bool holds, const char* property) noexcept
{
  if (!holds) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
  }
}

}  // namespace vintrel::fuzz
