// Case-insensitive matching of texts and the cut of a double to a 32-bit integer.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string_view>

#include "convert/equal_nocase.hpp"
#include "convert/truncate_to_int.hpp"

namespace {

using vintrel::equal_nocase;
using vintrel::truncate_to_int;

struct TextPair {
  std::string_view a;
  std::string_view b;
  bool equal;
};

TEST(EqualNocase, Table)
{
  static constexpr TextPair cases[] = {
      {"", "", true},
      {"EQUALS", "equals", true},
      {"Gt", "gT", true},
      {"startsWith", "STARTSWITH", true},
      {"a", "a ", false},  // no trimming
      {" a", "a", false},
      {"ab", "abc", false},
      {"", "a", false},
      {"abc", "abd", false},
      {"@", "`", false},  // 64 and 96 differ by 32 but are not letters
      {"[", "{", false},
      {"^", "~", false},
      {"\xe9", "\xc9", false},  // accented letters in one byte are not folded
      {"\xe9", "\xe9", true},
      {"caf\xc3\xa9", "CAF\xc3\xa9", true},
      {"caf\xc3\xa9", "CAF\xc3\x89", false},
  };
  for (const TextPair& c : cases) {
    SCOPED_TRACE(::testing::Message() << "'" << c.a << "' and '" << c.b << "'");
    EXPECT_EQ(equal_nocase(c.a, c.b), c.equal);
    EXPECT_EQ(equal_nocase(c.b, c.a), c.equal);
  }
}

// Every pair of single bytes: equal exactly when they are the same byte or the two cases
// of one letter a to z.
TEST(EqualNocase, EveryPairOfBytes)
{
  const auto is_letter = [](unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  int mismatches = 0;
  for (unsigned x = 0; x < 256; ++x) {
    for (unsigned y = 0; y < 256; ++y) {
      const char cx = static_cast<char>(x);
      const char cy = static_cast<char>(y);
      const bool expected = x == y || (is_letter(x) && (x ^ 0x20U) == y);
      if (equal_nocase(std::string_view(&cx, 1), std::string_view(&cy, 1)) != expected && mismatches++ < 10) {
        ADD_FAILURE() << "bytes " << x << " and " << y;
      }
    }
  }
}

struct Truncation {
  double x;
  std::int32_t expected;
};

TEST(TruncateToInt, Table)
{
  constexpr double INF = std::numeric_limits<double>::infinity();
  static constexpr Truncation cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {2.9, 2},
      {-2.9, -2},  // toward zero, not toward minus infinity
      {-0.5, 0},
      {0x1p-1074, 0},
      {2147483647.9, 2147483647},
      {2147483648.0, INT32_MIN},  // the low 32 bits of 2^31
      {-2147483648.9, INT32_MIN},
      {-2147483649.0, 2147483647},
      {3000000000.0, -1294967296},
      {4294967296.0, 0},
      {4294967297.5, 1},
      {-4294967297.5, -1},
      {0x1.fffffffffffffp62, -1024},  // 2^63 - 2^10, the largest double below 2^63
      {0x1p63, 0},
      {0x1.0000000000001p63, 2048},  // 2^63 + 2^11
      {-0x1.0000000000001p63, -2048},
      {0x1.0000000000003p64, 12288},  // 2^64 + 3 * 2^12
      {0x1.fffffffffffffp83, INT32_MIN},  // 2^84 - 2^31
      {0x1p84, 0},
      {std::numeric_limits<double>::max(), 0},
      {-std::numeric_limits<double>::max(), 0},
      {INF, 0},
      {-INF, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {-std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const Truncation& c : cases) {
    SCOPED_TRACE(::testing::Message() << "x = " << std::hexfloat << c.x);
    EXPECT_EQ(truncate_to_int(c.x), c.expected);
  }
}

// Random finite doubles against an exact reference: fmod by 2^32 is
// exact, so the remainder of the integer part gives the low 32 bits directly.
TEST(TruncateToInt, RandomDoublesAgreeWithFmodReference)
{
  std::mt19937_64 rng(1);
  int mismatches = 0;
  for (int i = 0; i < 200000 && mismatches < 10; ++i) {
    // Half of them of any bit pattern, half with magnitudes from 2^-1 to 2^100, where
    // the fraction, the 32-bit wrap and the 2^63 limit all matter.
    const double x = i % 2 == 0 ? std::bit_cast<double>(rng())
                                : std::ldexp(static_cast<double>(rng() >> 11), std::uniform_int_distribution<int>(-54, 47)(rng)) *
                                      (rng() % 2 == 0 ? 1.0 : -1.0);
    if (!std::isfinite(x)) {
      continue;
    }
    // In (-2^32, 2^32), with the sign of x; exact.
    const double low = std::fmod(std::trunc(x), 0x1p32);
    const auto reduced = static_cast<std::uint32_t>(static_cast<std::int64_t>(low));
    const auto expected = static_cast<std::int32_t>(reduced);
    if (truncate_to_int(x) != expected) {
      ++mismatches;
      ADD_FAILURE() << "x = " << std::hexfloat << x << ": got " << truncate_to_int(x) << ", expected " << expected;
    }
  }
}

}  // namespace
