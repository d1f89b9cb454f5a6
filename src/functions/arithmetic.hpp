#pragma once

#include <cstdint>
#include <string_view>

#include "functions/answer.hpp"

namespace vintrel {

// The integer arithmetic family: + - / * % on the two texts read with parse_integer, in
// 32-bit arithmetic that wraps modulo 2^32. '/' truncates toward zero and '%' takes the
// sign of the dividend; -2147483648 / -1 wraps to -2147483648 with remainder 0.
// Writes result and answers ANSWER_WRITTEN; answers ANSWER_NOT_HANDLED, leaving result as
// it was, for any other name and for '/' or '%' with a divisor that reads as 0.
Answer evaluate_arithmetic(std::string_view name, std::string_view first, std::string_view second,
                           std::int32_t& result) noexcept;

}  // namespace vintrel
