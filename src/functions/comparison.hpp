#pragma once

#include <string_view>

#include "functions/answer.hpp"

namespace vintrel {

// The comparison family. Relations read "first <relation> second":
//   = == equals is   texts equal apart from the case of a to z
//   gt ge lt le      numeric order of the two texts read with parse_real; false when
//                    either reads as a not-a-number
//   contains         second occurs in first, byte for byte
//   startswith       first begins with second, byte for byte
// Names are matched without regard to the case of a to z. Answers ANSWER_HOLDS,
// ANSWER_FAILS, or ANSWER_NOT_HANDLED for any other name.
Answer evaluate_comparison(std::string_view name, std::string_view first, std::string_view second) noexcept;

}  // namespace vintrel
