// The three function families: comparisons, integer arithmetic and single-operand
// functions, each through its entry point.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "functions/arithmetic.hpp"
#include "functions/comparison.hpp"
#include "functions/single.hpp"

namespace {

using vintrel::Answer;
using vintrel::ANSWER_FAILS;
using vintrel::ANSWER_HOLDS;
using vintrel::ANSWER_NOT_HANDLED;
using vintrel::ANSWER_WRITTEN;

struct ComparisonCase {
  std::string_view name;
  std::string_view first;
  std::string_view second;
  Answer expected;
};

TEST(Comparison, Table)
{
  static constexpr ComparisonCase cases[] = {
      // Text equality ignores the case of a to z only, and reads no numbers.
      {"equals", "Yes", "yes", ANSWER_HOLDS},
      {"=", "Yes", "YES", ANSWER_HOLDS},
      {"==", "abc", "abd", ANSWER_FAILS},
      {"is", "", "", ANSWER_HOLDS},
      {"EQUALS", "a", "a ", ANSWER_FAILS},
      {"Is", "10", "10.0", ANSWER_FAILS},
      {"equals", "5", "05", ANSWER_FAILS},
      {"equals", "2", "2.0", ANSWER_FAILS},
      {"=", "\xe9", "\xc9", ANSWER_FAILS},
      // Order compares the numbers read from the texts.
      {"gt", "10", "9.5", ANSWER_HOLDS},
      {"lt", "10", "9.5", ANSWER_FAILS},
      {"gt", "0.1", "0.1", ANSWER_FAILS},
      {"le", "0.1", "0.1", ANSWER_HOLDS},
      {"ge", "1.1", "1.1", ANSWER_HOLDS},
      {"lt", "0.3", "0.3", ANSWER_FAILS},
      {"ge", "2", "2.0", ANSWER_HOLDS},
      {"le", "-3", "-2", ANSWER_HOLDS},
      {"lt", "abc", "1", ANSWER_HOLDS},  // text that is no number reads as 0
      {"gt", "abc", "-1", ANSWER_HOLDS},
      {"gt", "", "-0.5", ANSWER_HOLDS},
      {"ge", "-0", "0", ANSWER_HOLDS},
      {"lt", "0.1", "0.10000000000000001", ANSWER_FAILS},  // the same double
      {"gt", "9007199254740993", "9007199254740992", ANSWER_FAILS},
      {"gt", "+INF", "1e308", ANSWER_HOLDS},
      {"gt", "+INF", "1e999", ANSWER_HOLDS},  // 1e999 reads as the largest double
      {"lt", "-INF", "-1e999", ANSWER_HOLDS},
      {"GT", "1e-999", "0", ANSWER_FAILS},  // reads as 0
      {"Lt", "2", "10", ANSWER_HOLDS},     // numbers, not texts
      // A not-a-number makes every order comparison fail.
      {"gt", "+NAN", "1", ANSWER_FAILS},
      {"ge", "+NAN", "1", ANSWER_FAILS},
      {"lt", "+NAN", "1", ANSWER_FAILS},
      {"le", "1", "-NAN", ANSWER_FAILS},
      {"ge", "+NAN", "+NAN", ANSWER_FAILS},
      {"le", "-NAN", "-NAN", ANSWER_FAILS},
      // contains and startswith are case-sensitive.
      {"contains", "Hello World", "lo W", ANSWER_HOLDS},
      {"contains", "Hello", "hello", ANSWER_FAILS},
      {"contains", "abc", "", ANSWER_HOLDS},
      {"contains", "", "", ANSWER_HOLDS},
      {"contains", "", "a", ANSWER_FAILS},
      {"contains", "abc", "abcd", ANSWER_FAILS},
      {"contains", "aaab", "aab", ANSWER_HOLDS},  // a match after a false start
      {"contains", "abc", "c", ANSWER_HOLDS},
      {"CONTAINS", "x&y=z", "&y=", ANSWER_HOLDS},
      {"startswith", "Hello", "He", ANSWER_HOLDS},
      {"startswith", "Hello", "he", ANSWER_FAILS},
      {"startswith", "He", "Hello", ANSWER_FAILS},
      {"startswith", "Hello", "Hello", ANSWER_HOLDS},
      {"startswith", "Hello", "", ANSWER_HOLDS},
      {"startswith", "", "", ANSWER_HOLDS},
      {"startswith", "Hello", "ello", ANSWER_FAILS},
      {"StartsWith", "Hello", "H", ANSWER_HOLDS},
      // Names of no comparison.
      {"eq", "a", "a", ANSWER_NOT_HANDLED},
      {"ne", "a", "b", ANSWER_NOT_HANDLED},
      {"!=", "a", "b", ANSWER_NOT_HANDLED},
      {"===", "a", "a", ANSWER_NOT_HANDLED},
      {"gt ", "2", "1", ANSWER_NOT_HANDLED},
      {"", "a", "a", ANSWER_NOT_HANDLED},
      {"+", "1", "2", ANSWER_NOT_HANDLED},
      {"assign", "1", "2", ANSWER_NOT_HANDLED},
      {"round", "1", "2", ANSWER_NOT_HANDLED},
  };
  for (const ComparisonCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.name << " '" << c.first << "' '" << c.second << "'");
    EXPECT_EQ(vintrel::evaluate_comparison(c.name, c.first, c.second), c.expected);
  }
}

TEST(Comparison, ContainsInLongTexts)
{
  const std::string haystack = std::string(200000, 'a') + "b";
  const std::string needle = std::string(100000, 'a') + "b";
  EXPECT_EQ(vintrel::evaluate_comparison("contains", haystack, needle), ANSWER_HOLDS);
  EXPECT_EQ(vintrel::evaluate_comparison("contains", needle, haystack), ANSWER_FAILS);
  EXPECT_EQ(vintrel::evaluate_comparison("contains", haystack, std::string(100000, 'a') + "c"), ANSWER_FAILS);
  EXPECT_EQ(vintrel::evaluate_comparison("startswith", haystack, std::string(200000, 'a')), ANSWER_HOLDS);
}

// An integer family's answer together with the result it left behind.
struct IntegerCase {
  std::string_view name;
  std::string_view first;
  std::string_view second;
  Answer expected;
  std::int32_t result;  // for ANSWER_NOT_HANDLED: the untouched starting value
};

// A value that no case computes, so that an untouched result is seen as untouched.
constexpr std::int32_t UNTOUCHED = 123456789;

TEST(Arithmetic, Table)
{
  static constexpr IntegerCase cases[] = {
      {"+", "7", "5", ANSWER_WRITTEN, 12},
      {"-", "7", "12", ANSWER_WRITTEN, -5},
      {"*", "6", "-7", ANSWER_WRITTEN, -42},
      {"*", "2.9", "3.9", ANSWER_WRITTEN, 6},  // fractions are cut off first
      {"+", "abc", "4", ANSWER_WRITTEN, 4},
      {"+", " 1e3", "+2", ANSWER_WRITTEN, 3},
      // Division truncates toward zero; the remainder takes the sign of the dividend.
      {"/", "7", "2", ANSWER_WRITTEN, 3},
      {"/", "-7", "2", ANSWER_WRITTEN, -3},
      {"/", "7", "-2", ANSWER_WRITTEN, -3},
      {"/", "-7", "-2", ANSWER_WRITTEN, 3},
      {"/", "0", "5", ANSWER_WRITTEN, 0},
      {"%", "7", "3", ANSWER_WRITTEN, 1},
      {"%", "-7", "3", ANSWER_WRITTEN, -1},
      {"%", "7", "-3", ANSWER_WRITTEN, 1},
      {"%", "-7", "-3", ANSWER_WRITTEN, -1},
      {"%", "6", "3", ANSWER_WRITTEN, 0},
      // Everything wraps modulo 2^32.
      {"+", "2147483647", "1", ANSWER_WRITTEN, INT32_MIN},
      {"-", "-2147483648", "1", ANSWER_WRITTEN, INT32_MAX},
      {"-", "0", "-2147483648", ANSWER_WRITTEN, INT32_MIN},
      {"*", "65536", "65536", ANSWER_WRITTEN, 0},
      {"*", "65537", "65537", ANSWER_WRITTEN, 131073},
      {"*", "-2147483648", "-1", ANSWER_WRITTEN, INT32_MIN},
      {"+", "4294967295", "4294967297", ANSWER_WRITTEN, 0},  // operands wrap as they are read
      // The one quotient that does not fit wraps too, and its remainder is 0.
      {"/", "-2147483648", "-1", ANSWER_WRITTEN, INT32_MIN},
      {"%", "-2147483648", "-1", ANSWER_WRITTEN, 0},
      {"/", "2147483648", "-1", ANSWER_WRITTEN, INT32_MIN},  // reads as -2147483648
      {"/", "-2147483648", "1", ANSWER_WRITTEN, INT32_MIN},
      {"/", "-2147483647", "-1", ANSWER_WRITTEN, INT32_MAX},
      {"/", "5", "-1", ANSWER_WRITTEN, -5},
      {"%", "5", "-1", ANSWER_WRITTEN, 0},
      {"/", "-2147483648", "2", ANSWER_WRITTEN, -1073741824},
      {"%", "-2147483648", "3", ANSWER_WRITTEN, -2},
      // Divisors that read as 0 are refused.
      {"/", "5", "0", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"%", "5", "zero", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"/", "5", "0.5", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"%", "5", "abc", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"/", "5", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"%", "5", "-0", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"/", "5", "4294967296", ANSWER_NOT_HANDLED, UNTOUCHED},  // wraps to 0
      {"/", "0", "0", ANSWER_NOT_HANDLED, UNTOUCHED},
      // Names of no arithmetic operation.
      {"plus", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"++", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"+ ", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"x", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"gt", "1", "2", ANSWER_NOT_HANDLED, UNTOUCHED},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "'" << c.name << "' '" << c.first << "' '" << c.second << "'");
    std::int32_t result = UNTOUCHED;
    EXPECT_EQ(vintrel::evaluate_arithmetic(c.name, c.first, c.second, result), c.expected);
    EXPECT_EQ(result, c.result);
  }
}

TEST(Single, Table)
{
  static constexpr IntegerCase cases[] = {
      // roundup adds 0.9999 and cuts toward zero.
      {"roundup", "7", "", ANSWER_WRITTEN, 7},
      {"roundup", "7.5", "", ANSWER_WRITTEN, 8},
      {"roundup", "2.00005", "", ANSWER_WRITTEN, 2},
      {"roundup", "2.0001", "", ANSWER_WRITTEN, 3},
      {"roundup", "0.00001", "", ANSWER_WRITTEN, 0},
      {"roundup", "abc", "", ANSWER_WRITTEN, 0},
      {"roundup", "-2.5", "", ANSWER_WRITTEN, -1},
      {"roundup", "-0.5", "", ANSWER_WRITTEN, 0},
      {"RoundUp", "1.1", "", ANSWER_WRITTEN, 2},
      // rounddown cuts toward zero.
      {"rounddown", "2.7", "", ANSWER_WRITTEN, 2},
      {"rounddown", "-2.7", "", ANSWER_WRITTEN, -2},
      {"rounddown", "-0.9", "", ANSWER_WRITTEN, 0},
      {"rounddown", "3000000000", "", ANSWER_WRITTEN, -1294967296},
      {"rounddown", "-2147483648.5", "", ANSWER_WRITTEN, INT32_MIN},
      {"ROUNDDOWN", "1e10", "", ANSWER_WRITTEN, 1410065408},  // 10^10 mod 2^32
      // round adds 0.5 and cuts toward zero.
      {"round", "2.5", "", ANSWER_WRITTEN, 3},
      {"round", "2.4999", "", ANSWER_WRITTEN, 2},
      {"round", "-2.5", "", ANSWER_WRITTEN, -2},
      {"round", "-2.6", "", ANSWER_WRITTEN, -2},
      {"round", "-0.6", "", ANSWER_WRITTEN, 0},
      {"round", "0.5", "", ANSWER_WRITTEN, 1},
      {"round", "-0.5", "", ANSWER_WRITTEN, 0},
      {"round", "0.49999999999999994", "", ANSWER_WRITTEN, 1},  // the sum rounds to 1.0
      {"round", "2147483647.5", "", ANSWER_WRITTEN, INT32_MIN},
      {"ROUND", "4294967296.5", "", ANSWER_WRITTEN, 1},
      // Infinities, not-a-numbers and magnitudes of 2^63 and more.
      {"round", "+INF", "", ANSWER_WRITTEN, 0},
      {"roundup", "-INF", "", ANSWER_WRITTEN, 0},
      {"rounddown", "+NAN", "", ANSWER_WRITTEN, 0},
      {"round", "1e999", "", ANSWER_WRITTEN, 0},  // the largest double: low 32 bits are 0
      {"rounddown", "9223372036854777856", "", ANSWER_WRITTEN, 2048},  // 2^63 + 2^11
      // ++ and -- read an integer and wrap.
      {"++", "4.9", "", ANSWER_WRITTEN, 5},
      {"--", "4.9", "", ANSWER_WRITTEN, 3},
      {"++", "2147483647", "", ANSWER_WRITTEN, INT32_MIN},
      {"--", "-2147483648", "", ANSWER_WRITTEN, INT32_MAX},
      {"++", "abc", "", ANSWER_WRITTEN, 1},
      {"--", "", "", ANSWER_WRITTEN, -1},
      {"++", "-1", "", ANSWER_WRITTEN, 0},
      // Names of no single-operand function.
      {"roundupp", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"round ", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"+", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"+++", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"assign", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
      {"", "1", "", ANSWER_NOT_HANDLED, UNTOUCHED},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "'" << c.name << "' '" << c.first << "'");
    std::int32_t result = UNTOUCHED;
    EXPECT_EQ(vintrel::evaluate_single(c.name, c.first, result), c.expected);
    EXPECT_EQ(result, c.result);
  }
}

}  // namespace
