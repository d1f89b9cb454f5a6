#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/config.hpp"
#include "app/evaluate.hpp"

namespace vintrel {

// Follows the value on every result line.
inline constexpr std::string_view RESULT_SUFFIX = "&copyright=Brellwin";

// The whole line printed when no function applies.
inline constexpr std::string_view ERROR_LINE =
    "error=Invalid Data. Please refer to documentation provided with the plugin vintrel "
    "(which can be downloaded from " VINTREL_DOCS_URL ").";

// Longest decimal text of a 32-bit integer: "-2147483648".
inline constexpr std::size_t INT32_TEXT_MAX = 11;

// Writes value in signed decimal ('-' for negatives, no '+', no leading zeros) into out,
// which holds at least INT32_TEXT_MAX bytes; returns the number of bytes written.
std::size_t format_int32(std::int32_t value, char* out) noexcept;

// Hands the line of evaluation to sink as the pieces it is made of, in order: the result
// name, '=', the value and RESULT_SUFFIX, or ERROR_LINE alone. This is the one place that
// knows the shape of the line; the views stay valid only during each call of sink.
template <typename Sink>
void for_each_piece(const Evaluation& evaluation, Sink&& sink) noexcept
{
  if (evaluation.kind == Evaluation::Kind::ERROR) {
    sink(ERROR_LINE);
    return;
  }
  char digits[INT32_TEXT_MAX];
  const std::string_view value = evaluation.kind == Evaluation::Kind::TEXT
                                     ? evaluation.text
                                     : std::string_view{digits, format_int32(evaluation.integer, digits)};
  sink(evaluation.name);
  sink(std::string_view{"="});
  sink(value);
  sink(RESULT_SUFFIX);
}

// Length in bytes of the line for evaluation: name=value&copyright=Brellwin, or the error
// line. There is no line break and nothing is escaped.
std::size_t line_length(const Evaluation& evaluation) noexcept;

// Writes the line into out, which holds at least line_length(evaluation) bytes; returns
// the number of bytes written.
std::size_t render_line(const Evaluation& evaluation, char* out) noexcept;

}  // namespace vintrel
