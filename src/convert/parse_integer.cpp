#include "convert/parse_integer.hpp"

#include <cstddef>

#include "convert/text.hpp"

namespace vintrel {

std::int32_t parse_integer(std::string_view text) noexcept
{
  std::size_t i = 0;
  while (i < text.size() && text::is_space(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps modulo 2^32 by definition; the one conversion to a signed
  // value at the end is modular too (C++20).
  std::uint32_t value = 0;
  for (; i < text.size() && text::is_digit(text[i]); ++i) {
    value = value * 10U + text::digit_value(text[i]);
  }
  if (negative) {
    value = 0U - value;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace vintrel
