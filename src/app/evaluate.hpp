#pragma once

#include <cstdint>
#include <string_view>

namespace vintrel {

// The outcome of one run: which line to print and the exit status.
struct Evaluation {
  enum class Kind { TEXT, INTEGER, ERROR };
  Kind kind = Kind::ERROR;
  std::string_view name;     // the result name (TEXT and INTEGER)
  std::string_view text;     // the value (TEXT)
  std::int32_t integer = 0;  // the value (INTEGER)
  int status = 1;
};

inline constexpr int STATUS_SUCCESS = 0;  // a comparison failed, or any other result
inline constexpr int STATUS_HOLDS = 1;    // a comparison held
inline constexpr int STATUS_ERROR = 1;    // the error line was printed

// Evaluates one argument vector (argv[0] is the program, argv[1] the function name):
//
//   two operands:  name first second [result-name [true-text [false-text]]]
//   one operand:   name operand [result-name]
//
// With a second operand the comparisons are asked first, then the arithmetic; when
// neither answers, argument 3 becomes the result name and "assign" and the
// single-operand functions are asked. Pure: reads nothing but its arguments.
Evaluation evaluate(int argc, const char* const* argv) noexcept;

}  // namespace vintrel
