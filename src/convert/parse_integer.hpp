#pragma once

#include <cstdint>
#include <string_view>

namespace vintrel {

// Reads a 32-bit integer from the start of text: leading white space, at most one sign,
// then decimal digits up to the first other byte. Everything wraps modulo 2^32, so
// '2147483648' gives -2147483648 and '4294967301' gives 5. A text without digits there
// gives 0 ('- 5', '--5', 'abc'). Never fails.
std::int32_t parse_integer(std::string_view text) noexcept;

}  // namespace vintrel
