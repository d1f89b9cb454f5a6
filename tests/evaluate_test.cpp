// Dispatch and the result line: argument vectors through evaluate() and render_line(),
// without starting a process.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/config.hpp"
#include "app/evaluate.hpp"
#include "app/result_line.hpp"

namespace {

using vintrel::ERROR_LINE;

struct Outcome {
  std::string line;
  int status;
};

// Evaluates "vintrel <arguments...>" and renders its line. Checks on the way that the
// rendered line is exactly as long as line_length() says.
Outcome run(const std::vector<std::string>& arguments)
{
  std::vector<const char*> argv{"vintrel"};
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
  }
  argv.push_back(nullptr);
  const vintrel::Evaluation evaluation = vintrel::evaluate(static_cast<int>(argv.size() - 1), argv.data());
  std::string line(vintrel::line_length(evaluation), '\0');
  const std::size_t written = vintrel::render_line(evaluation, line.data());
  EXPECT_EQ(written, line.size());
  line.resize(written);
  return {line, evaluation.status};
}

std::string result_line(std::string_view name, std::string_view value)
{
  return std::string(name) + "=" + std::string(value) + "&copyright=Brellwin";
}

struct Case {
  std::vector<std::string> arguments;
  std::string line;
  int status;
};

std::string describe(const std::vector<std::string>& arguments)
{
  std::string text = "vintrel";
  for (const std::string& argument : arguments) {
    text += " '" + argument + "'";
  }
  return text;
}

TEST(Evaluate, ArgumentPositionsDefaultsAndDispatch)
{
  const std::string error(ERROR_LINE);
  const std::vector<Case> cases = {
      // Too few arguments.
      {{}, error, 1},
      {{"assign"}, error, 1},
      {{"round"}, error, 1},
      // Comparisons: result name, true text and false text from arguments 4 to 6.
      {{"equals", "Yes", "yes"}, result_line("result", "true"), 1},
      {{"gt", "10", "9.5", "bigger", "yes", "no"}, result_line("bigger", "yes"), 1},
      {{"lt", "10", "9.5", "smaller"}, result_line("smaller", "false"), 0},
      {{"lt", "10", "9.5", "smaller", "yes"}, result_line("smaller", "false"), 0},
      {{"gt", "10", "9.5", "r", "yes"}, result_line("r", "yes"), 1},
      {{"gt", "1", "2"}, result_line("result", "false"), 0},
      {{"gt", "1", "2", "r", "t", "f", "extra", "more"}, result_line("r", "f"), 0},  // beyond the 6th: ignored
      {{"equals", "x"}, error, 1},  // a comparison needs two operands
      // Arithmetic: result name from argument 4; true and false texts play no part.
      {{"+", "7", "5", "total"}, result_line("total", "12"), 0},
      {{"+", "7", "5"}, result_line("result", "12"), 0},
      {{"+", "1", "2", "sum", "t", "f"}, result_line("sum", "3"), 0},
      {{"-", "0", "5"}, result_line("result", "-5"), 0},
      {{"+", "-2147483648", "0"}, result_line("result", "-2147483648"), 0},
      {{"%", "-2147483648", "-1"}, result_line("result", "0"), 0},
      {{"+", "7"}, error, 1},  // arithmetic needs two operands
      {{"/", "7", "0"}, error, 1},
      {{"/", "7", "0", "name"}, error, 1},
      {{"%", "7", "abc"}, error, 1},
      {{"/", "7", "0.5"}, error, 1},
      // Single-operand functions: argument 3 is the result name, the 4th is never used.
      {{"round", "2.5", "n"}, result_line("n", "3"), 0},
      {{"round", "2.5"}, result_line("result", "3"), 0},
      {{"round", "2.5", "n", "m"}, result_line("n", "3"), 0},
      {{"round", "2.5", "n", "m", "t", "f"}, result_line("n", "3"), 0},
      {{"--", "-2147483648"}, result_line("result", "2147483647"), 0},
      {{"RoundUp", "7.5"}, result_line("result", "8"), 0},
      // assign hands its operand back byte for byte.
      {{"assign", "a&b=c", "v"}, result_line("v", "a&b=c"), 0},
      {{"ASSIGN", "x"}, result_line("result", "x"), 0},
      {{"assign", ""}, result_line("result", ""), 0},
      {{"assign", "x", ""}, result_line("", "x"), 0},
      {{"assign", "5", "7", "8", "9"}, result_line("7", "5"), 0},
      {{"assign", " 0042 ", "v"}, result_line("v", " 0042 "), 0},
      // Names that no family owns.
      {{"frobnicate", "1", "2"}, error, 1},
      {{"frobnicate", "1"}, error, 1},
      {{"", "1", "2"}, error, 1},
      // '&' and '=' in names and texts are printed as they are.
      {{"contains", "a=b&c", "=b&", "r&s", "&yes=", "&no="}, result_line("r&s", "&yes="), 1},
      {{"startswith", "a=b&c", "b", "=", "&yes=", "&no="}, result_line("=", "&no="), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const Outcome outcome = run(c.arguments);
    EXPECT_EQ(outcome.line, c.line);
    EXPECT_EQ(outcome.status, c.status);
  }
}

// An argument vector with no program name at all.
TEST(Evaluate, EmptyArgumentVector)
{
  const char* const argv[] = {nullptr};
  const vintrel::Evaluation evaluation = vintrel::evaluate(0, argv);
  EXPECT_EQ(evaluation.kind, vintrel::Evaluation::Kind::ERROR);
  EXPECT_EQ(evaluation.status, 1);
}

TEST(Evaluate, LongOperandsAreNotCutShort)
{
  const std::string long_text(100000, 'x');
  const Outcome assigned = run({"assign", long_text, "v"});
  EXPECT_EQ(assigned.line, result_line("v", long_text));
  const Outcome compared = run({"equals", long_text, long_text, long_text, long_text});
  EXPECT_EQ(compared.line, result_line(long_text, long_text));
  EXPECT_EQ(compared.status, 1);
}

TEST(ResultLine, ErrorLineText)
{
  constexpr std::string_view prefix =
      "error=Invalid Data. Please refer to documentation provided with the plugin vintrel "
      "(which can be downloaded from ";
  EXPECT_EQ(ERROR_LINE, std::string(prefix) + VINTREL_DOCS_URL + ").");
  EXPECT_EQ(ERROR_LINE.find_first_of("\r\n"), std::string_view::npos);
}

TEST(ResultLine, FormatsIntegersInSignedDecimal)
{
  struct IntegerText {
    std::int32_t value;
    std::string_view text;
  };
  static constexpr IntegerText cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {10, "10"},
      {-100, "-100"},
      {1000000000, "1000000000"},
      {INT32_MAX, "2147483647"},
      {INT32_MIN, "-2147483648"},
      {INT32_MIN + 1, "-2147483647"},
  };
  for (const IntegerText& c : cases) {
    SCOPED_TRACE(c.value);
    char buffer[vintrel::INT32_TEXT_MAX];
    const std::size_t length = vintrel::format_int32(c.value, buffer);
    EXPECT_EQ(std::string_view(buffer, length), c.text);
  }
}

}  // namespace
