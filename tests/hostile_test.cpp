// Hostile input, end to end: the real executable, started the way a host starts it, with
// the largest arguments Linux passes, every byte value, empty and surplus arguments, and
// standard output closed, broken or slow. Every run must print exactly its one line,
// write nothing to standard error and end with the status its outcome gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/result_line.hpp"
#include "support/run_vintrel.hpp"

namespace {

using vintrel::test_support::describe;
using vintrel::test_support::Output;
using vintrel::test_support::result_line;
using vintrel::test_support::RunResult;
using vintrel::test_support::run_vintrel;

// The longest single argument the kernel passes to a program: MAX_ARG_STRLEN (32 pages
// of 4 KiB) including the terminating NUL.
constexpr std::size_t LARGEST_ARGUMENT = 128 * 1024 - 1;

const std::string ERROR_TEXT{vintrel::ERROR_LINE};

struct Case {
  std::vector<std::string> arguments;
  std::string line;
  int status;
};

// Runs each case and checks the line, the status and the silence on standard error.
void expect_runs(const std::vector<Case>& cases, Output output = Output::PIPE)
{
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const RunResult run = run_vintrel(c.arguments, output);
    EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal;
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.err.empty()) << "standard error: " << run.err.substr(0, 2000);
    if (output == Output::PIPE || output == Output::SLOW_PIPE || output == Output::SLOW_NONBLOCKING_PIPE) {
      EXPECT_EQ(run.out.size(), c.line.size());
      EXPECT_TRUE(run.out == c.line) << "printed " << run.out.size() << " bytes, not the expected line";
    }
  }
}

// 'a' to 'z' over and over, n bytes.
std::string letters(std::size_t n)
{
  std::string text(n, 'a');
  for (std::size_t i = 0; i < n; ++i) {
    text[i] = static_cast<char>('a' + i % 26);
  }
  return text;
}

// Every byte value from 1 to 255, once, in order.
std::string every_byte()
{
  std::string text;
  for (int b = 1; b <= 255; ++b) {
    text += static_cast<char>(b);
  }
  return text;
}

// The value of a text of decimal digits modulo 2^32.
std::uint32_t digits_modulo_2_32(const std::string& digits)
{
  std::uint32_t value = 0;
  for (const char c : digits) {
    value = value * 10U + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

// A value modulo 2^32 as the signed decimal text the program prints.
std::string signed_text(std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); }

TEST(Hostile, LargestArgumentInEveryTextPosition)
{
  const std::string big = letters(LARGEST_ARGUMENT);
  expect_runs({
      {{"assign", big}, result_line("result", big), 0},
      {{"assign", "v", big}, result_line(big, "v"), 0},
      {{"round", "2.5", big}, result_line(big, "3"), 0},
      {{"gt", "2", "1", big}, result_line(big, "true"), 1},
      {{"gt", "2", "1", "r", big}, result_line("r", big), 1},
      {{"lt", "2", "1", "r", "t", big}, result_line("r", big), 0},
      {{big, "1", "2"}, ERROR_TEXT, 1},
  });
}

TEST(Hostile, LargestTextsForContains)
{
  // Long runs of one letter with the difference at the very end: a naive search compares
  // about a whole needle's length at each of the haystack's positions.
  const std::string run_of_a(LARGEST_ARGUMENT, 'a');
  const std::string ends_in_b = std::string(LARGEST_ARGUMENT - 1, 'a') + 'b';
  const std::string half_then_b = std::string(LARGEST_ARGUMENT / 2, 'a') + 'b';
  expect_runs({
      {{"contains", run_of_a, run_of_a}, result_line("result", "true"), 1},
      {{"contains", run_of_a, ends_in_b}, result_line("result", "false"), 0},
      {{"contains", ends_in_b, half_then_b}, result_line("result", "true"), 1},
      {{"contains", run_of_a, half_then_b}, result_line("result", "false"), 0},
      {{"startswith", ends_in_b, run_of_a}, result_line("result", "false"), 0},
      {{"equals", run_of_a, ends_in_b}, result_line("result", "false"), 0},
  });
}

TEST(Hostile, NumberOf128KiBDigits)
{
  std::string digits(LARGEST_ARGUMENT, '9');
  for (std::size_t i = 0; i < digits.size(); i += 7) {
    digits[i] = static_cast<char>('1' + i % 9);
  }
  const std::string negative = '-' + digits.substr(1);
  const std::string tiny = "0." + std::string(LARGEST_ARGUMENT - 3, '0') + '1';
  // Read by the range rules as the largest double itself.
  const std::string largest = "1e999";
  expect_runs({
      // Far beyond the largest double, the value is exactly the largest double.
      {{"ge", digits, largest}, result_line("result", "true"), 1},
      {{"le", digits, largest}, result_line("result", "true"), 1},
      {{"lt", digits, "+INF"}, result_line("result", "true"), 1},
      {{"le", negative, '-' + largest}, result_line("result", "true"), 1},
      {{"ge", negative, '-' + largest}, result_line("result", "true"), 1},
      // 10^-131068 is below the smallest double: 0.
      {{"gt", tiny, "0"}, result_line("result", "false"), 0},
      {{"ge", tiny, "0"}, result_line("result", "true"), 1},
      {{"rounddown", tiny}, result_line("result", "0"), 0},
      // The largest double is a multiple of 2^32: its low 32 bits are 0.
      {{"round", digits}, result_line("result", "0"), 0},
      {{"++", digits}, result_line("result", signed_text(digits_modulo_2_32(digits) + 1U)), 0},
      {{"+", digits, digits}, result_line("result", signed_text(digits_modulo_2_32(digits) * 2U)), 0},
  });
}

TEST(Hostile, EveryByteValueInNamesOperandsAndTexts)
{
  const std::string bytes = every_byte();
  expect_runs({
      {{"assign", bytes}, result_line("result", bytes), 0},
      {{"assign", bytes, bytes}, result_line(bytes, bytes), 0},
      {{"equals", bytes, bytes, bytes, bytes, "f"}, result_line(bytes, bytes), 1},
      {{"contains", bytes, "zyx", bytes, "t", bytes}, result_line(bytes, bytes), 0},
      {{"startswith", bytes, std::string{bytes, 0, 100}}, result_line("result", "true"), 1},
      // Read as numbers the texts are 0: byte 1 starts no number.
      {{"gt", bytes, bytes}, result_line("result", "false"), 0},
      {{"+", bytes, "5", bytes}, result_line(bytes, "5"), 0},
      {{"round", bytes, bytes}, result_line(bytes, "0"), 0},
      {{bytes, "1", "2"}, ERROR_TEXT, 1},
      {{bytes, "1"}, ERROR_TEXT, 1},
  });
}

TEST(Hostile, EmptyStringsInEveryPosition)
{
  expect_runs({
      {{""}, ERROR_TEXT, 1},
      {{"", ""}, ERROR_TEXT, 1},
      {{"", "", "", "", "", ""}, ERROR_TEXT, 1},
      {{"assign", ""}, result_line("result", ""), 0},
      {{"assign", "", ""}, result_line("", ""), 0},
      {{"equals", "", ""}, result_line("result", "true"), 1},
      {{"equals", "", "", "", "", ""}, result_line("", ""), 1},
      {{"contains", "", "x", "", "", ""}, result_line("", ""), 0},
      {{"startswith", "x", "", "r"}, result_line("r", "true"), 1},
      {{"gt", "", "", "", "", ""}, result_line("", ""), 0},
      {{"+", "", "", ""}, result_line("", "0"), 0},
      {{"/", "", ""}, ERROR_TEXT, 1},
      {{"%", "7", "", ""}, ERROR_TEXT, 1},
      {{"round", "", ""}, result_line("", "0"), 0},
      {{"++", ""}, result_line("result", "1"), 0},
  });
}

TEST(Hostile, AThousandArguments)
{
  std::vector<std::string> comparison = {"gt", "10", "9.5", "bigger", "yes", "no"};
  std::vector<std::string> assignment = {"assign", "value", "name"};
  std::vector<std::string> unknown = {"frobnicate"};
  for (std::vector<std::string>* arguments : {&comparison, &assignment, &unknown}) {
    for (int i = static_cast<int>(arguments->size()); i < 1000; ++i) {
      arguments->push_back("extra" + std::to_string(i));
    }
  }
  expect_runs({
      {comparison, result_line("bigger", "yes"), 1},
      {assignment, result_line("name", "value"), 0},
      {unknown, ERROR_TEXT, 1},
  });
}

// Outcomes whose statuses differ, with short lines and a line far longer than a pipe.
std::vector<Case> outcomes()
{
  const std::string big = letters(LARGEST_ARGUMENT);
  return {
      {{"gt", "2", "1"}, result_line("result", "true"), 1},
      {{"lt", "2", "1"}, result_line("result", "false"), 0},
      {{"*", "6", "7"}, result_line("result", "42"), 0},
      {{"assign", big}, result_line("result", big), 0},
      {{"contains", big, "xyz", "r", big, "no"}, result_line("r", big), 1},
      {{"frobnicate", "1"}, ERROR_TEXT, 1},
  };
}

TEST(Hostile, StandardOutputClosed) { expect_runs(outcomes(), Output::CLOSED); }

TEST(Hostile, ReaderGoneBeforeTheLine) { expect_runs(outcomes(), Output::READER_GONE); }

TEST(Hostile, FullPipeReadSlowly) { expect_runs(outcomes(), Output::SLOW_PIPE); }

TEST(Hostile, FullNonBlockingPipeReadSlowly) { expect_runs(outcomes(), Output::SLOW_NONBLOCKING_PIPE); }

}  // namespace
