#pragma once

#include <cstdint>
#include <string_view>

namespace vintrel {

inline constexpr std::string_view DEFAULT_RESULT_NAME = "result";
inline constexpr std::string_view DEFAULT_TRUE_TEXT = "true";
inline constexpr std::string_view DEFAULT_FALSE_TEXT = "false";

// The caller's choices for one run, and the integer that an integer family writes. The
// texts are views of the arguments themselves or of the defaults; nothing is copied.
struct Invocation {
  std::string_view result_name = DEFAULT_RESULT_NAME;
  std::string_view true_text = DEFAULT_TRUE_TEXT;
  std::string_view false_text = DEFAULT_FALSE_TEXT;
  std::int32_t integer_result = 0;
};

}  // namespace vintrel
