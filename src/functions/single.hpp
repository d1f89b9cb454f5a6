#pragma once

#include <cstdint>
#include <string_view>

#include "functions/answer.hpp"

namespace vintrel {

// Added before truncation by "roundup": a positive value moves up only when its fraction
// is at least 0.0001 (the nearest double to 0.9999).
inline constexpr double ROUNDUP_BIAS = 0.9999;
// Added before truncation by "round".
inline constexpr double ROUND_BIAS = 0.5;

// The single-operand family, all built on truncation toward zero:
//   roundup    truncate_to_int(parse_real(operand) + ROUNDUP_BIAS)   7.5 -> 8, -2.5 -> -1
//   rounddown  truncate_to_int(parse_real(operand))                  -2.7 -> -2
//   round      truncate_to_int(parse_real(operand) + ROUND_BIAS)     2.5 -> 3, -2.5 -> -2
//   ++ / --    parse_integer(operand) + 1 / - 1, wrapping            '4.9' -> 5 / 3
// Writes result and answers ANSWER_WRITTEN; answers ANSWER_NOT_HANDLED, leaving result as
// it was, for any other name.
Answer evaluate_single(std::string_view name, std::string_view operand, std::int32_t& result) noexcept;

}  // namespace vintrel
