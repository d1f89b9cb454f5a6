// The real-number reader: grammar, the first-19-digits rule, the range rules, rounding at
// boundaries written as hexfloats, and seeded sweeps against independent readers.
#include "convert/parse_real.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vintrel::parse_real;

constexpr double LARGEST = std::numeric_limits<double>::max();
constexpr double INF = std::numeric_limits<double>::infinity();

struct Case {
  std::string_view text;
  double expected;
};

std::string hex(double x)
{
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a", x);
  return buffer;
}

// Bit for bit: a double and its neighbour differ, and so do 0 and -0.
::testing::AssertionResult same_double(double actual, double expected)
{
  if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got " << hex(actual) << ", expected " << hex(expected);
}

void expect_all(std::span<const Case> cases)
{
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "text '" << c.text << "'");
    EXPECT_TRUE(same_double(parse_real(c.text), c.expected));
  }
}

TEST(ParseReal, Grammar)
{
  static constexpr Case cases[] = {
      {"0", 0.0},
      {"7", 7.0},
      {"  -12.5e1xyz", -125.0},
      {"\t\n\v\f\r 3", 3.0},  // the six white-space bytes
      {"\x85"
       "3",
       0.0},  // bytes of 128 and more are not white space
      {"\xa0"
       "3",
       0.0},
      {"+7", 7.0},
      {"-7", -7.0},
      {"- 7", 0.0},  // white space after the sign ends the number
      {"+-7", 0.0},
      {"--7", 0.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"-.5", -0.5},
      {"1.2.3", 1.2},  // a second point ends the number
      {"1,5", 1.0},    // the point is never a comma
      {"0x1A", 0.0},
      {"1e3", 1000.0},
      {"1E3", 1000.0},
      {"1e+3", 1000.0},
      {"25e-1", 2.5},
      {"5e", 5.0},  // an 'e' without digits is exponent 0
      {"5e+", 5.0},
      {"5e-", 5.0},
      {"5ex", 5.0},
      {"5e 3", 5.0},
      {"5e1.5", 50.0},
      {"1e0003", 1000.0},
      {"", 0.0},
      {"-", 0.0},
      {"+", 0.0},
      {".", 0.0},
      {"e5", 0.0},
      {".e5", 0.0},
      {"abc", 0.0},
      {"-0", -0.0},
      {"0e999999", 0.0},
      {"-0.000e-5", -0.0},
  };
  expect_all(cases);
}

// A run of digits, before or after the point, of any length and wherever it lies against
// an eight-byte boundary, ends at the first byte that is not a digit, whichever byte that is.
TEST(ParseReal, DigitRunsEndAtTheFirstOtherByte)
{
  static constexpr std::string_view PREFIXES[] = {"", "0.", "7.", "  "};
  static constexpr char STOPPERS[] = {'/', ':', ' ', '\0', 'a', '-', '+', ',', '\x80', '\xb9', '\xff'};
  constexpr std::string_view NINETEEN = "1234567890123456789";
  for (const std::string_view prefix : PREFIXES) {
    for (std::size_t length = 1; length <= 26; ++length) {
      // Digits past the 19th are zeros, so the value is exact.
      std::string digits(NINETEEN.substr(0, std::min(length, NINETEEN.size())));
      digits.resize(length, '0');
      const std::string number = std::string(prefix) + digits;
      const double expected = std::strtod(number.c_str(), nullptr);
      for (const char stopper : STOPPERS) {
        std::string text = number;
        text += stopper;
        text += "98765432";
        SCOPED_TRACE(::testing::Message() << "'" << number << "' then byte " << static_cast<int>(static_cast<unsigned char>(stopper)));
        EXPECT_TRUE(same_double(parse_real(text), expected));
      }
    }
  }
}

TEST(ParseReal, SignedInfinityAndNotANumber)
{
  static constexpr Case cases[] = {
      {"+INF", INF},       {"-INF", -INF},     {"  +INF", INF},  {"+INFINITY", INF}, {"-INFxyz", -INF},
      {"INF", 0.0},        {"inf", 0.0},       {"+inf", 0.0},    {"+Inf", 0.0},      {"+ INF", 0.0},
      {"+IN", 0.0},        {"-I", 0.0},        {"++INF", 0.0},   {"NAN", 0.0},       {"nan", 0.0},
      {"+nan", 0.0},       {"+NAX", 0.0},      {"-NA", 0.0},     {"+NaN", 0.0},      {"infinity", 0.0},
  };
  expect_all(cases);

  for (const std::string_view text : {"+NAN", "+NANxyz", " +NAN"}) {
    SCOPED_TRACE(text);
    const double value = parse_real(text);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_FALSE(std::signbit(value));
  }
  const double negative = parse_real("-NAN");
  EXPECT_TRUE(std::isnan(negative));
  EXPECT_TRUE(std::signbit(negative));
}

// Only the first 19 significant digits count; later ones are dropped, not rounded, but
// still move the point.
TEST(ParseReal, FirstNineteenSignificantDigits)
{
  static constexpr Case cases[] = {
      {"00000000000000000000001.5", 1.5},  // leading zeros are not significant
      {"0.00000000000000000000000000015", 1.5e-28},
      {"12345678901234567890123", 1234567890123456789e4},
      {"1234567890123456789.9999", 1234567890123456789.0},
      {"-1234567890123456789999e-3", -1234567890123456789.0},
      {"0.0000012345678901234567890123", 1.234567890123456789e-6},
      // The exact midpoint between 2^53 and 2^53 + 2; the 1 after it lies beyond the 19th
      // digit, so the tie stays a tie and goes to the even neighbour.
      {"9007199254740993.0000001", 0x1p53},
      // Just below the midpoint between 1 and its successor; the dropped nines would have
      // carried it above.
      {"1.000000000000000111999999", 1.0},
      {"1000000000000000111999999e-24", 1.0},
      // A long run of digits counts only for the magnitude.
      {"1234567890123456789012345678901234567890", 1234567890123456789e21},
      {"0.1234567890123456789012345678901234567890e-5", 1234567890123456789e-24},
  };
  expect_all(cases);
}

TEST(ParseReal, RoundsTiesToEven)
{
  static constexpr Case cases[] = {
      {"9007199254740992", 0x1p53},
      {"9007199254740993", 0x1p53},             // tie: 2^53 is even
      {"9007199254740994", 0x1.0000000000001p53},
      {"9007199254740995", 0x1.0000000000002p53},  // tie: goes up to the even one
      {"1e23", 0x1.52d02c7e14af6p+76},            // an exact tie between two doubles
      {"18014398509481990", 0x1.0000000000002p54},  // 2^54 + 6: tie, up to even
      {"18014398509481986", 0x1p54},                // 2^54 + 2: tie, down to even
  };
  expect_all(cases);
}

// For each double: a text just below it, the nearest 19-digit texts on either side of
// the midpoint to its successor. Expected values are exact roundings.
TEST(ParseReal, BoundaryTriples)
{
  static constexpr Case cases[] = {
      {"1.000000000000000000e+0", 0x1.0000000000000p+0},
      {"1.000000000000000111e+0", 0x1.0000000000000p+0},
      {"1.000000000000000112e+0", 0x1.0000000000001p+0},
      {"1.000000000000000055e-1", 0x1.999999999999ap-4},
      {"1.000000000000000124e-1", 0x1.999999999999ap-4},
      {"1.000000000000000125e-1", 0x1.999999999999bp-4},
      {"9.999999999999999161e+22", 0x1.52d02c7e14af6p+76},
      {"1.607262910779400981e+301", 0x1.8000000000000p+1000},
      {"1.607262910779401100e+301", 0x1.8000000000000p+1000},
      {"1.607262910779401101e+301", 0x1.8000000000001p+1000},
      {"1.234567890000000043e+5", 0x1.e240c9fbe76c9p+16},
      {"1.234567890000000115e+5", 0x1.e240c9fbe76c9p+16},
      {"1.234567890000000116e+5", 0x1.e240c9fbe76cap+16},
      // The largest subnormal and the smallest normal.
      {"2.225073858507200889e-308", 0x0.fffffffffffffp-1022},
      {"2.225073858507201136e-308", 0x0.fffffffffffffp-1022},
      {"2.225073858507201137e-308", 0x1.0000000000000p-1022},
      {"2.225073858507201383e-308", 0x1.0000000000000p-1022},
      {"2.225073858507201630e-308", 0x1.0000000000000p-1022},
      {"2.225073858507201631e-308", 0x1.0000000000001p-1022},
      // Subnormals stay subnormal and round to nearest.
      {"7.410984687618698162e-324", 0x0.0000000000001p-1022},
      {"7.410984687618698163e-324", 0x0.0000000000002p-1022},
      {"9.881312916824930883e-324", 0x0.0000000000002p-1022},
      {"1.235164114603116360e-323", 0x0.0000000000002p-1022},
      {"1.235164114603116361e-323", 0x0.0000000000003p-1022},
      {"6.099240397910188587e-320", 0x0.0000000003039p-1022},
      {"6.099487430733109211e-320", 0x0.0000000003039p-1022},
      {"6.099487430733109212e-320", 0x0.000000000303ap-1022},
  };
  expect_all(cases);
}

// Near the top: below 2^1023 the nearest double, from 2^1023 on the one toward zero,
// never an infinity.
TEST(ParseReal, TopOfTheRange)
{
  static constexpr Case cases[] = {
      {"8.988465674311578540e+307", 0x1.fffffffffffffp+1022},
      {"8.988465674311579e307", 0x1.fffffffffffffp+1022},  // more than half an ulp below 2^1023
      {"8.988465674311579039e+307", 0x1.fffffffffffffp+1022},
      {"8.988465674311579040e+307", 0x1p1023},  // below 2^1023, nearest is 2^1023
      {"8.988465674311579538e+307", 0x1p1023},
      {"8.988465674311579539e+307", 0x1p1023},  // just above 2^1023
      {"8.98846567431158e307", 0x1p1023},
      {"8.988465674311580537e+307", 0x1p1023},  // above the midpoint to the successor
      {"8.988465674311581534e+307", 0x1p1023},  // just below the successor
      {"8.988465674311581535e+307", 0x1.0000000000001p+1023},
      {"1.7976931348623157e308", 0x1.ffffffffffffep+1023},  // below the largest double
      {"1.797693134862315708e+308", 0x1.ffffffffffffep+1023},
      {"1.797693134862315709e+308", LARGEST},
      {"1.7976931348623158e308", LARGEST},
      {"1.7976931348623159e308", LARGEST},  // nearest would be an infinity
      {"1.797693134862315908e+308", LARGEST},  // above 2^1024
      {"-1.7976931348623159e308", -LARGEST},
      {"-8.98846567431158e307", -0x1p1023},
      {"1e308", 0x1.1ccf385ebc89fp+1023},  // the nearest double, 0x1.1ccf385ebc8a0p+1023, lies above
      {"1e309", LARGEST},
      {"1e999", LARGEST},
      {"-1e999", -LARGEST},
      {"123456789e301", LARGEST},
  };
  expect_all(cases);
}

// Near the bottom: exact values below 2^-1074 give 0, even where the nearest double would
// be 2^-1074.
TEST(ParseReal, BottomOfTheRange)
{
  static constexpr Case cases[] = {
      {"4.9406564584124654e-324", 0.0},
      {"4.9406564584124655e-324", 0x1p-1074},
      {"-4.9406564584124654e-324", -0.0},
      {"-4.9406564584124655e-324", -0x1p-1074},
      {"4.940656458412465441e-324", 0.0},
      {"4.940656458412465442e-324", 0x1p-1074},
      {"3e-324", 0.0},                         // nearest would be 2^-1074
      {"2.4703282292062328e-324", 0.0},        // just above 2^-1075
      {"2.4703282292062327e-324", 0.0},
      {"5e-324", 0x1p-1074},
      {"1e-323", 0x0.0000000000002p-1022},
      {"1e-999", 0.0},
      {"-1e-999", -0.0},
  };
  expect_all(cases);
}

TEST(ParseReal, ExponentLimit)
{
  const std::string one_then_5000_zeros = "1" + std::string(5000, '0');
  const std::string point_5000_zeros_one = "0." + std::string(5000, '0') + "1";
  const std::string e4933_small = point_5000_zeros_one + "e4933";
  const std::string e4932_small = point_5000_zeros_one + "e4932";
  const std::string e_minus_4933_big = one_then_5000_zeros + "e-4933";
  const std::string e_minus_4932_big = one_then_5000_zeros + "e-4932";
  const Case cases[] = {
      {"1e4932", LARGEST},  // through the range rule
      {"1e0004932", LARGEST},
      {"1e4933", LARGEST},  // through the exponent rule
      {"-1e4933", -LARGEST},
      {"2e4932", LARGEST},
      {"1e-4932", 0.0},
      {"1e-4933", 0.0},
      {"0e4933", 0.0},
      {"1e99999999999999999999999", LARGEST},
      {"1e-99999999999999999999999", 0.0},
      {"-1e-99999999999999999999999", -0.0},
      {"1e0000000000000000000000000000001", 10.0},  // leading zeros of an exponent count for nothing
      {"1e-00000000000000000000000004933", 0.0},
      {one_then_5000_zeros, LARGEST},
      // The written exponent alone decides beyond 4932, whatever the digits say ...
      {e4933_small, LARGEST},
      {e_minus_4933_big, 0.0},
      // ... but at 4932 the digits count: 10^-69 and 10^68.
      {e4932_small, 1e-69},
      {e_minus_4932_big, 1e68},
  };
  expect_all(cases);
}

// ---- Seeded sweeps ------------------------------------------------------------------

// A text with `digits` as its significand (no leading zero, at most 19 digits), written
// in a randomly chosen but equivalent form, whose value is digits * 10^power.
std::string random_form(std::mt19937_64& rng, const std::string& digits, long power)
{
  const auto k = static_cast<long>(digits.size());
  // Place the point after `point` digits (0 .. k), and move the exponent to match.
  const long point = std::uniform_int_distribution<long>(0, k)(rng);
  const long exponent = power + (k - point);
  std::string text;
  if (rng() % 4 == 0) {
    text += (rng() % 2 == 0) ? "+" : "00";
  }
  text.append(digits, 0, static_cast<std::size_t>(point));
  text += '.';
  text.append(digits, static_cast<std::size_t>(point), std::string::npos);
  text += (rng() % 2 == 0) ? 'e' : 'E';
  text += std::to_string(exponent);
  // Whatever follows the number is ignored.
  static constexpr std::string_view TAILS[] = {"", "", "", "x", " 7", ".5", "e3", "E+", ","};
  text += TAILS[rng() % std::size(TAILS)];
  return text;
}

std::string random_digits(std::mt19937_64& rng)
{
  const int count = std::uniform_int_distribution<int>(1, vintrel::REAL_SIGNIFICANT_DIGITS)(rng);
  std::string digits(1, static_cast<char>('1' + rng() % 9));
  for (int i = 1; i < count; ++i) {
    digits += static_cast<char>('0' + rng() % 10);
  }
  return digits;
}

// Well inside the range every text of at most 19 significant digits is read exactly, so
// the answer is the correctly rounded one; strtod (C locale) gives it independently.
TEST(ParseReal, RandomTextsAgreeWithStrtod)
{
  // strtod reads the decimal point of the locale; the reader's point is always '.'.
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  std::mt19937_64 rng(20240611);
  constexpr int COUNT = 200000;
  int mismatches = 0;
  for (int i = 0; i < COUNT && mismatches < 10; ++i) {
    const std::string digits = random_digits(rng);
    // Decimal magnitude between -320 and 307 (from 10^-321, deep in the subnormals, to
    // below 10^307): far enough from both ends of the range for plain rounding. One in
    // four among the subnormals.
    const long magnitude = i % 4 == 0 ? std::uniform_int_distribution<long>(-320, -307)(rng)
                                      : std::uniform_int_distribution<long>(-320, 307)(rng);
    const std::string text = random_form(rng, digits, magnitude - static_cast<long>(digits.size()));
    const double expected = std::strtod(text.c_str(), nullptr);
    const auto result = same_double(parse_real(text), expected);
    if (!result) {
      ++mismatches;
      ADD_FAILURE() << "text '" << text << "': " << result.message();
    }
  }
}

// Texts within a unit of the 19th digit of a midpoint between two doubles, from the
// subnormals to 2^1022: the cases where a reader's rounding is most easily wrong. The
// midpoint needs 54 bits, which a long double of at least 64 bits holds exactly, and
// printf writes its correctly rounded 19, 17 or 16 digits.
TEST(ParseReal, RandomTextsNearMidpointsAgreeWithStrtod)
{
  if (std::numeric_limits<long double>::digits < 64) {
    GTEST_SKIP() << "long double cannot hold a midpoint between two doubles";
  }
  std::mt19937_64 rng(99);
  int mismatches = 0;
  for (int i = 0; i < 200000 && mismatches < 10; ++i) {
    // A double of random bits, with an exponent from the subnormals to 2^1022.
    const auto exponent_field = std::uniform_int_distribution<std::uint64_t>(0, 2045)(rng);
    std::uint64_t bits = (exponent_field << 52) | (rng() >> 12);
    if (bits == 0) {
      bits = 1;
    }
    const double low = std::bit_cast<double>(bits);
    const double high = std::nextafter(low, INF);
    const long double midpoint = (static_cast<long double>(low) + static_cast<long double>(high)) / 2;
    static constexpr int PRECISIONS[] = {18, 18, 16, 15};
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", PRECISIONS[i % 4], midpoint);
    const double expected = std::strtod(text, nullptr);
    const auto result = same_double(parse_real(text), expected);
    if (!result) {
      ++mismatches;
      ADD_FAILURE() << "text '" << text << "': " << result.message();
    }
  }
}

// Unsigned integers of any size, enough to hold M * 10^q or M * 2^1074 exactly.
class BigUint {
public:
  explicit BigUint(std::uint64_t value) : limbs_{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)} {}

  void multiply(std::uint32_t factor)
  {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry));
    }
  }

  void multiply_pow10(long power)
  {
    for (long i = 0; i < power; ++i) {
      multiply(10);
    }
  }

  void shift_left(int bits)
  {
    for (; bits >= 16; bits -= 16) {
      multiply(1U << 16);
    }
    multiply(1U << bits);
  }

  int bit_length() const
  {
    for (auto i = limbs_.size(); i-- > 0;) {
      if (limbs_[i] != 0) {
        return static_cast<int>(32 * i) + static_cast<int>(std::bit_width(limbs_[i]));
      }
    }
    return 0;
  }

  bool bit(int index) const
  {
    const auto limb = static_cast<std::size_t>(index / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1U) != 0;
  }

  // The top `count` bits, count <= 64.
  std::uint64_t top_bits(int count) const
  {
    const int length = bit_length();
    std::uint64_t bits = 0;
    for (int i = length - 1; i >= length - count && i >= 0; --i) {
      bits = (bits << 1) | (bit(i) ? 1U : 0U);
    }
    return bits;
  }

  // Compares with 2^exponent: -1, 0 or 1.
  int compare_power_of_two(int exponent) const
  {
    const int length = bit_length();
    if (length != exponent + 1) {
      return length < exponent + 1 ? -1 : 1;
    }
    for (int i = 0; i < exponent; ++i) {
      if (bit(i)) {
        return 1;
      }
    }
    return 0;
  }

  friend bool operator<(const BigUint& a, const BigUint& b)
  {
    const int la = a.bit_length();
    const int lb = b.bit_length();
    if (la != lb) {
      return la < lb;
    }
    for (int i = la - 1; i >= 0; --i) {
      if (a.bit(i) != b.bit(i)) {
        return b.bit(i);
      }
    }
    return false;
  }

private:
  std::vector<std::uint32_t> limbs_;
};

constexpr int DOUBLE_PRECISION = 53;

// The value of mantissa * 10^power under the range rules, computed without the reader's
// method: exact big-integer comparisons with 2^-1074 and 2^1023, and toward-zero rounding
// done by cutting bits; between the two limits, strtod's correctly rounded answer.
double reference(std::uint64_t mantissa, long power)
{
  const std::string text = std::to_string(mantissa) + "e" + std::to_string(power);
  if (power >= 0) {
    BigUint value(mantissa);
    value.multiply_pow10(power);
    if (value.compare_power_of_two(1023) < 0) {
      return std::strtod(text.c_str(), nullptr);
    }
    if (value.bit_length() > 1024) {
      return LARGEST;
    }
    // In [2^1023, 2^1024): keep the top 53 bits, drop the rest.
    return std::ldexp(static_cast<double>(value.top_bits(DOUBLE_PRECISION)), 1024 - DOUBLE_PRECISION);
  }
  // mantissa * 10^power < 2^-1074  <=>  mantissa * 2^1074 < 10^-power
  BigUint scaled(mantissa);
  scaled.shift_left(1074);
  BigUint tenth_power(1);
  tenth_power.multiply_pow10(-power);
  if (scaled < tenth_power) {
    return 0.0;
  }
  return std::strtod(text.c_str(), nullptr);
}

// Digits that lie close to a given 19-digit prefix (of 2^1023, the largest double,
// 2^-1074 or a midpoint near it), so that both sides of each limit are hit often.
struct Limit {
  std::uint64_t mantissa;  // 19 significant digits of the limit, rounded down
  long power;
};

TEST(ParseReal, RandomTextsAtTheEndsOfTheRange)
{
  static constexpr Limit limits[] = {
      {8988465674311579538, 289},   // 2^1023
      {8988465674311580536, 289},   // midpoint between 2^1023 and its successor
      {1797693134862315708, 290},   // the largest double
      {1797693134862315807, 290},   // midpoint between it and 2^1024
      {4940656458412465441, -342},  // 2^-1074
      {2470328229206232720, -342},  // 2^-1075
      {7410984687618698162, -342},  // 1.5 * 2^-1074
  };
  std::mt19937_64 rng(7);
  int mismatches = 0;
  int checked = 0;
  for (const Limit& limit : limits) {
    for (int i = 0; i < 400 && mismatches < 10; ++i) {
      // Close to the limit, or anywhere in the first four decimal magnitudes around it.
      std::uint64_t mantissa = 0;
      long power = limit.power;
      if (i % 2 == 0) {
        const auto delta = std::uniform_int_distribution<std::int64_t>(-2000, 2000)(rng);
        mantissa = limit.mantissa + static_cast<std::uint64_t>(delta);
      }
      else {
        const std::string digits = random_digits(rng);
        mantissa = std::stoull(digits);
        power = limit.power + 19 - static_cast<long>(digits.size()) + std::uniform_int_distribution<long>(-2, 1)(rng);
      }
      const std::string text = random_form(rng, std::to_string(mantissa), power);
      const auto result = same_double(parse_real(text), reference(mantissa, power));
      ++checked;
      if (!result) {
        ++mismatches;
        ADD_FAILURE() << "text '" << text << "': " << result.message();
      }
    }
  }
  EXPECT_EQ(checked, 400 * static_cast<int>(std::size(limits)));
}

// The reference itself, on values whose answers are known.
TEST(ParseReal, ReferenceAgreesWithKnownValues)
{
  EXPECT_TRUE(same_double(reference(8988465674311579539, 289), 0x1p1023));
  EXPECT_TRUE(same_double(reference(8988465674311581534, 289), 0x1p1023));
  EXPECT_TRUE(same_double(reference(8988465674311581535, 289), 0x1.0000000000001p+1023));
  EXPECT_TRUE(same_double(reference(1797693134862315708, 290), 0x1.ffffffffffffep+1023));
  EXPECT_TRUE(same_double(reference(1797693134862315709, 290), LARGEST));
  EXPECT_TRUE(same_double(reference(4940656458412465441, -342), 0.0));
  EXPECT_TRUE(same_double(reference(4940656458412465442, -342), 0x1p-1074));
}

}  // namespace
