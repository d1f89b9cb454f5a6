#include "app/result_line.hpp"

#include <cstring>

namespace vintrel {

std::size_t format_int32(std::int32_t value, char* out) noexcept
{
  // Digits come out lowest first; the magnitude is taken in unsigned arithmetic so that
  // -2147483648 needs no special case.
  char digits[INT32_TEXT_MAX];
  std::size_t count = 0;
  std::uint32_t magnitude = value < 0 ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10U);
    magnitude /= 10U;
  } while (magnitude != 0);
  std::size_t length = 0;
  if (value < 0) {
    out[length++] = '-';
  }
  while (count > 0) {
    out[length++] = digits[--count];
  }
  return length;
}

std::size_t line_length(const Evaluation& evaluation) noexcept
{
  std::size_t length = 0;
  for_each_piece(evaluation, [&](std::string_view piece) { length += piece.size(); });
  return length;
}

std::size_t render_line(const Evaluation& evaluation, char* out) noexcept
{
  std::size_t length = 0;
  for_each_piece(evaluation, [&](std::string_view piece) {
    // memcpy with a null source is undefined even for zero bytes, and an empty view may
    // hold one.
    if (!piece.empty()) {
      std::memcpy(out + length, piece.data(), piece.size());
    }
    length += piece.size();
  });
  return length;
}

}  // namespace vintrel
