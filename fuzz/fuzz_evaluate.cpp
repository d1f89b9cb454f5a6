// The whole evaluation: argument vector in, one line and one status out.
//
// Input: the first byte is the separator; the rest is split on it into arguments 1 and
// up (argument 0 is the program's name). NUL bytes are dropped, since no argument can
// hold one. "|gt|10|9.5|bigger|yes|no" is the vector gt 10 9.5 bigger yes no.
//
// Every line must be the error line with status 1, or name=value&copyright=Brellwin where
// name, value and status are those that the argument positions allow for the kind of
// line. The line is rendered into a buffer of exactly its announced length.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/evaluate.hpp"
#include "app/invocation.hpp"
#include "app/result_line.hpp"
#include "check.hpp"
#include "convert/equal_nocase.hpp"

namespace {

using vintrel::Evaluation;
using vintrel::fuzz::require;

// Argument i, or fallback when there are not that many.
std::string_view argument_or(const std::vector<std::string>& arguments, std::size_t i, std::string_view fallback)
{
  return i < arguments.size() ? std::string_view{arguments[i]} : fallback;
}

bool same(const Evaluation& a, const Evaluation& b)
{
  return a.kind == b.kind && a.status == b.status && a.name == b.name && a.text == b.text && a.integer == b.integer;
}

void check_line(std::string_view line, std::string_view name, std::string_view value)
{
  require(line.size() == name.size() + 1 + value.size() + vintrel::RESULT_SUFFIX.size(), "result line length");
  require(line.substr(0, name.size()) == name, "result line starts with the name");
  require(line[name.size()] == '=', "'=' follows the name");
  require(line.substr(name.size() + 1, value.size()) == value, "the value follows '='");
  require(line.ends_with(vintrel::RESULT_SUFFIX), "result line ends with the suffix");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0) {
    return 0;
  }
  const auto separator = static_cast<char>(data[0]);
  std::vector<std::string> arguments{"vintrel"};
  if (size > 1) {
    arguments.emplace_back();
  }
  for (std::size_t i = 1; i < size; ++i) {
    const auto c = static_cast<char>(data[i]);
    if (c == separator) {
      arguments.emplace_back();
    }
    else if (c != '\0') {
      arguments.back() += c;
    }
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  argv.push_back(nullptr);
  const auto argc = static_cast<int>(arguments.size());

  const Evaluation evaluation = vintrel::evaluate(argc, argv.data());
  require(same(evaluation, vintrel::evaluate(argc, argv.data())), "the same arguments give the same evaluation");

  const std::size_t length = vintrel::line_length(evaluation);
  const std::unique_ptr<char[]> buffer(new char[length]);
  const std::size_t written = vintrel::render_line(evaluation, buffer.get());
  require(written == length, "render_line writes line_length bytes");
  const std::string_view line{buffer.get(), written};

  // Names and values as the positions give them: two-operand results take the name from
  // argument 4, single-operand results and "assign" from argument 3.
  const std::string_view two_operand_name = argument_or(arguments, 4, vintrel::DEFAULT_RESULT_NAME);
  const std::string_view one_operand_name = argument_or(arguments, 3, vintrel::DEFAULT_RESULT_NAME);
  const bool two_operands = argc > 3;

  switch (evaluation.kind) {
    case Evaluation::Kind::ERROR:
      require(line == vintrel::ERROR_LINE, "the error line is exactly ERROR_LINE");
      require(evaluation.status == vintrel::STATUS_ERROR, "the error line comes with status 1");
      break;
    case Evaluation::Kind::INTEGER: {
      require(argc > 2, "an integer result needs an operand");
      require(evaluation.status == vintrel::STATUS_SUCCESS, "an integer result comes with status 0");
      require(evaluation.name == one_operand_name || (two_operands && evaluation.name == two_operand_name),
              "an integer result is named by argument 3 or 4");
      char digits[16];
      const auto [end, error] = std::to_chars(digits, digits + sizeof digits, evaluation.integer);
      require(error == std::errc{}, "to_chars");
      check_line(line, evaluation.name, std::string_view{digits, static_cast<std::size_t>(end - digits)});
      break;
    }
    case Evaluation::Kind::TEXT: {
      require(argc > 2, "a text result needs an operand");
      const bool holds = two_operands && evaluation.status == vintrel::STATUS_HOLDS && evaluation.name == two_operand_name &&
                         evaluation.text == argument_or(arguments, 5, vintrel::DEFAULT_TRUE_TEXT);
      const bool fails = two_operands && evaluation.status == vintrel::STATUS_SUCCESS &&
                         evaluation.name == two_operand_name &&
                         evaluation.text == argument_or(arguments, 6, vintrel::DEFAULT_FALSE_TEXT);
      const bool assigned = evaluation.status == vintrel::STATUS_SUCCESS &&
                            vintrel::equal_nocase(arguments[1], "assign") && evaluation.name == one_operand_name &&
                            evaluation.text == arguments[2];
      require(holds || fails || assigned,
              "a text result is a comparison's true or false text, or the operand of assign, with its status");
      check_line(line, evaluation.name, evaluation.text);
      break;
    }
  }
  return 0;
}
