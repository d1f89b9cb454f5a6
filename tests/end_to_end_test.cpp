// The built executable, started as a host would start it: an exact argument vector in,
// the bytes on standard output, the bytes on standard error and the exit status out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/result_line.hpp"
#include "support/run_vintrel.hpp"

namespace {

using vintrel::test_support::describe;
using vintrel::test_support::Output;
using vintrel::test_support::result_line;
using vintrel::test_support::RunResult;
using vintrel::test_support::run_vintrel;

struct Case {
  std::vector<std::string> arguments;
  std::string out;
  int status;
};

TEST(EndToEnd, ExactOutputAndStatus)
{
  const std::string error(vintrel::ERROR_LINE);
  const std::string just_past_stack(5000, 'y');  // longer than a line built on the stack
  const std::string long_argument(100000, 'x');
  const std::vector<Case> cases = {
      {{}, error, 1},
      {{"round"}, error, 1},
      {{"equals", "Yes", "yes"}, result_line("result", "true"), 1},
      {{"gt", "10", "9.5", "bigger", "yes", "no"}, result_line("bigger", "yes"), 1},
      {{"lt", "10", "9.5", "smaller"}, result_line("smaller", "false"), 0},
      {{"gt", "+NAN", "1"}, result_line("result", "false"), 0},
      {{"+", "7", "5", "total"}, result_line("total", "12"), 0},
      {{"-", "-2147483648", "1"}, result_line("result", "2147483647"), 0},
      {{"/", "7", "0"}, error, 1},
      {{"+", "7"}, error, 1},
      {{"round", "2.5", "n", "m"}, result_line("n", "3"), 0},
      {{"rounddown", "3000000000"}, result_line("result", "-1294967296"), 0},
      {{"assign", "a&b=c", "v"}, result_line("v", "a&b=c"), 0},
      {{"ASSIGN", "x"}, result_line("result", "x"), 0},
      {{"assign", ""}, result_line("result", ""), 0},
      {{"assign", "line\nbreak \xff\x01", "v"}, result_line("v", "line\nbreak \xff\x01"), 0},
      {{"frobnicate", "1", "2"}, error, 1},
      {{"gt", "1", "2", "r", "t", "f", "7th", "8th"}, result_line("r", "f"), 0},
      {{"assign", just_past_stack, "v"}, result_line("v", just_past_stack), 0},
      {{"assign", long_argument, "v"}, result_line("v", long_argument), 0},
      {{"equals", long_argument, long_argument, long_argument}, result_line(long_argument, "true"), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const RunResult result = run_vintrel(c.arguments);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, c.status);
  }
}

// When nobody reads the line, the exit status still tells the outcome: the process is
// neither killed by the broken pipe nor led to report something else.
TEST(EndToEnd, StatusSurvivesAnUnreadOutput)
{
  const std::string long_argument(100000, 'x');
  for (const Output output : {Output::READER_GONE, Output::CLOSED}) {
    SCOPED_TRACE(output == Output::CLOSED ? "standard output closed" : "reader gone");
    const RunResult held = run_vintrel({"equals", long_argument, long_argument}, output);
    EXPECT_EQ(held.status, 1);
    EXPECT_EQ(held.err, "");
    const RunResult failed = run_vintrel({"lt", "2", "1"}, output);
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(run_vintrel({"/", "1", "0"}, output).status, 1);
  }
}

}  // namespace
