#include "app/result_line.hpp"

#include <cstring>

namespace vintrel {
namespace {

char* append(char* out, std::string_view text) noexcept
{
  // memcpy with a null source is undefined even for zero bytes, and an empty view may
  // hold one.
  if (!text.empty()) {
    std::memcpy(out, text.data(), text.size());
  }
  return out + text.size();
}

}  // namespace

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
  char digits[INT32_TEXT_MAX];
  switch (evaluation.kind) {
    case Evaluation::Kind::TEXT:
      return evaluation.name.size() + 1 + evaluation.text.size() + RESULT_SUFFIX.size();
    case Evaluation::Kind::INTEGER:
      return evaluation.name.size() + 1 + format_int32(evaluation.integer, digits) + RESULT_SUFFIX.size();
    case Evaluation::Kind::ERROR:
      break;
  }
  return ERROR_LINE.size();
}

std::size_t render_line(const Evaluation& evaluation, char* out) noexcept
{
  char* end = out;
  switch (evaluation.kind) {
    case Evaluation::Kind::TEXT:
      end = append(end, evaluation.name);
      *end++ = '=';
      end = append(end, evaluation.text);
      end = append(end, RESULT_SUFFIX);
      break;
    case Evaluation::Kind::INTEGER:
      end = append(end, evaluation.name);
      *end++ = '=';
      end += format_int32(evaluation.integer, end);
      end = append(end, RESULT_SUFFIX);
      break;
    case Evaluation::Kind::ERROR:
      end = append(end, ERROR_LINE);
      break;
  }
  return static_cast<std::size_t>(end - out);
}

}  // namespace vintrel
