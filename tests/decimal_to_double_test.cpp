// The exact conversion of m * 10^q to a double cut toward zero with the side of the
// midpoint: boundary cases written as hexfloats, and a seeded sweep over the whole range
// against glibc's strtod in both rounding modes.
#include "convert/decimal_to_double.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string_view>

namespace {

using vintrel::decimal_to_double_exactly;
using vintrel::Midpoint;

std::uint64_t bits_of(double x) { return std::bit_cast<std::uint64_t>(x); }

const char* name(Midpoint midpoint)
{
  switch (midpoint) {
    case Midpoint::BELOW:
      return "BELOW";
    case Midpoint::AT:
      return "AT";
    case Midpoint::ABOVE:
      return "ABOVE";
  }
  return "?";
}

struct Case {
  std::uint64_t mantissa;
  int power;
  double toward_zero;
  Midpoint midpoint;
};

TEST(DecimalToDouble, Boundaries)
{
  constexpr double LARGEST = std::numeric_limits<double>::max();
  static constexpr Case cases[] = {
      {1, 0, 1.0, Midpoint::BELOW},
      // 0.1 lies between two doubles, above their midpoint (its nearest double is above it).
      {1, -1, 0x1.9999999999999p-4, Midpoint::ABOVE},
      // 2^53 + 1 and 2^53 + 3: exactly on the midpoints after 2^53 and 2^53 + 2.
      {9007199254740993, 0, 0x1p53, Midpoint::AT},
      {9007199254740995, 0, 0x1.0000000000001p53, Midpoint::AT},
      // A tie with a negative power: 2^52 + 1/2, between 2^52 and 2^52 + 1.
      {45035996273704965, -1, 0x1p52, Midpoint::AT},
      // The smallest subnormal 2^-1074 (about 4.9406564584124654e-324) and its halves.
      {3, -324, 0.0, Midpoint::ABOVE},
      {2, -324, 0.0, Midpoint::BELOW},
      {5, -324, 0x1p-1074, Midpoint::BELOW},
      {24703282292062327, -340, 0.0, Midpoint::BELOW},  // just below 2^-1075
      {24703282292062328, -340, 0.0, Midpoint::ABOVE},  // just above 2^-1075
      // The largest normal power of two below the subnormals, and the largest subnormal.
      {22250738585072014, -324, 0x1p-1022, Midpoint::BELOW},
      {22250738585072011, -324, 0x0.fffffffffffffp-1022, Midpoint::BELOW},
      // The top: the largest double, the midpoint above it (about 1.797693134862315807e308)
      // on either side, and 2^1024 and beyond, which overflow.
      {17976931348623157, 292, 0x1.ffffffffffffep1023, Midpoint::ABOVE},
      {1797693134862315807, 290, LARGEST, Midpoint::BELOW},
      {1797693134862315808, 290, LARGEST, Midpoint::ABOVE},
      // 2^1023 = 8.98846567431157953...e307, just below and just above.
      {8988465674311579538, 289, 0x1.fffffffffffffp1022, Midpoint::ABOVE},
      {8988465674311579539, 289, 0x1p1023, Midpoint::BELOW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mantissa << "e" << c.power);
    const vintrel::TruncatedDouble cut = decimal_to_double_exactly(c.mantissa, c.power);
    EXPECT_FALSE(cut.overflow);
    EXPECT_EQ(cut.bits, bits_of(c.toward_zero));
    EXPECT_EQ(name(cut.midpoint), std::string_view{name(c.midpoint)});
  }
  EXPECT_FALSE(decimal_to_double_exactly(17976931348623159, 292).overflow);
  EXPECT_TRUE(decimal_to_double_exactly(17976931348623160, 292).overflow);  // above 2^1024
  EXPECT_TRUE(decimal_to_double_exactly(2, vintrel::DECIMAL_POWER_MAX).overflow);
}

// strtod rounds correctly in the current rounding mode, so it gives the double toward zero
// and the nearest double independently. The nearest one follows from the cut: one step up
// above the midpoint, or at it from an odd double.
TEST(DecimalToDouble, RandomValuesAgreeWithStrtodInBothModes)
{
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> digits(1, 19);
  std::uniform_int_distribution<int> power(vintrel::DECIMAL_POWER_MIN, vintrel::DECIMAL_POWER_MAX);
  constexpr std::uint64_t INFINITY_BITS = 0x7FF0000000000000U;
  const int mode = std::fegetround();
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t limit = 1;
    for (int d = digits(random); d > 0; --d) {
      limit *= 10;
    }
    const std::uint64_t mantissa = 1 + random() % (limit - 1);
    const int q = power(random);
    char text[48];
    std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(mantissa), q);
    SCOPED_TRACE(text);

    const vintrel::TruncatedDouble cut = decimal_to_double_exactly(mantissa, q);
    const double nearest = std::strtod(text, nullptr);
    std::fesetround(FE_TOWARDZERO);
    const double toward_zero = std::strtod(text, nullptr);
    std::fesetround(mode);

    if (cut.overflow) {
      EXPECT_EQ(bits_of(nearest), INFINITY_BITS);
      EXPECT_EQ(bits_of(toward_zero), bits_of(std::numeric_limits<double>::max()));
      continue;
    }
    EXPECT_EQ(cut.bits, bits_of(toward_zero));
    const bool up = cut.midpoint == Midpoint::ABOVE || (cut.midpoint == Midpoint::AT && (cut.bits & 1) != 0);
    EXPECT_EQ(cut.bits + (up ? 1U : 0U), bits_of(nearest));
  }
}

}  // namespace
