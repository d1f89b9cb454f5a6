#include "app/evaluate.hpp"

#include "app/invocation.hpp"
#include "convert/equal_nocase.hpp"
#include "functions/arithmetic.hpp"
#include "functions/comparison.hpp"
#include "functions/single.hpp"

namespace vintrel {
namespace {

// Argument positions, counted after the program's own name.
constexpr int ARG_FUNCTION = 1;
constexpr int ARG_OPERAND = 2;
constexpr int ARG_SECOND = 3;  // the second operand, or a single-operand result name
constexpr int ARG_RESULT_NAME = 4;
constexpr int ARG_TRUE_TEXT = 5;
constexpr int ARG_FALSE_TEXT = 6;

constexpr std::string_view ASSIGN = "assign";

Evaluation text_result(std::string_view name, std::string_view text, int status) noexcept
{
  return {Evaluation::Kind::TEXT, name, text, 0, status};
}

Evaluation integer_result(std::string_view name, std::int32_t value) noexcept
{
  return {Evaluation::Kind::INTEGER, name, {}, value, STATUS_SUCCESS};
}

Evaluation error() noexcept { return {Evaluation::Kind::ERROR, {}, {}, 0, STATUS_ERROR}; }

}  // namespace

Evaluation evaluate(int argc, const char* const* argv) noexcept
{
  Invocation invocation;
  if (argc > ARG_RESULT_NAME) {
    invocation.result_name = argv[ARG_RESULT_NAME];
  }
  if (argc > ARG_TRUE_TEXT) {
    invocation.true_text = argv[ARG_TRUE_TEXT];
  }
  if (argc > ARG_FALSE_TEXT) {
    invocation.false_text = argv[ARG_FALSE_TEXT];
  }
  if (argc <= ARG_OPERAND) {
    return error();
  }

  const std::string_view function = argv[ARG_FUNCTION];
  const std::string_view operand = argv[ARG_OPERAND];
  invocation.integer_result = 0;

  if (argc > ARG_SECOND) {
    const std::string_view second = argv[ARG_SECOND];
    const Answer compared = evaluate_comparison(function, operand, second);
    if (compared == ANSWER_HOLDS) {
      return text_result(invocation.result_name, invocation.true_text, STATUS_HOLDS);
    }
    if (compared == ANSWER_FAILS) {
      return text_result(invocation.result_name, invocation.false_text, STATUS_SUCCESS);
    }
    if (evaluate_arithmetic(function, operand, second, invocation.integer_result) == ANSWER_WRITTEN) {
      return integer_result(invocation.result_name, invocation.integer_result);
    }
  }

  // Single-operand path: argument 3, when present, is the result name; argument 4 is not
  // used here even when it was given.
  invocation.result_name = argc > ARG_SECOND ? std::string_view{argv[ARG_SECOND]} : DEFAULT_RESULT_NAME;

  if (equal_nocase(function, ASSIGN)) {
    return text_result(invocation.result_name, operand, STATUS_SUCCESS);
  }
  if (evaluate_single(function, operand, invocation.integer_result) == ANSWER_WRITTEN) {
    return integer_result(invocation.result_name, invocation.integer_result);
  }
  return error();
}

}  // namespace vintrel
