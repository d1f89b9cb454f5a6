#pragma once

#include <string_view>

namespace vintrel {

// True when a and b have the same length and the same bytes once the letters a to z are
// folded to A to Z. Bytes outside a to z, those of 128 and above included, must match
// exactly: 'EQUALS' matches 'equals'; 'a' does not match 'a '.
bool equal_nocase(std::string_view a, std::string_view b) noexcept;

}  // namespace vintrel
