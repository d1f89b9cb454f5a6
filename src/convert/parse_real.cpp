#include "convert/parse_real.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "convert/decimal_to_double.hpp"
#include "convert/powers_of_five.hpp"
#include "convert/powers_of_ten.hpp"
#include "convert/text.hpp"

namespace vintrel {
namespace {

constexpr double LARGEST = std::numeric_limits<double>::max();
constexpr double TOWARD_ZERO_FROM = 0x1p1023;  // from here on, round toward zero

constexpr std::size_t SPECIAL_WORD_LENGTH = 3;  // "INF" and "NAN"

// Powers of ten that a double holds exactly (5^22 < 2^53).
constexpr int EXACT_POWER_LIMIT = 22;
constexpr double EXACT_POWERS[EXACT_POWER_LIMIT + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t EXACT_INTEGER_LIMIT = std::uint64_t{1} << 53;

// Let D be the decimal magnitude: the value lies in [10^(D-1), 10^D).
// D > 309 means value >= 10^309, beyond the largest double.
// D < -323 means value < 10^-324, below the smallest subnormal.
// In between, a significand of 1 to 19 digits has a power of ten in [-342, 308].
constexpr long MAGNITUDE_ABOVE_RANGE = 309;
constexpr long MAGNITUDE_BELOW_RANGE = -323;
static_assert(powers_of_five::SMALLEST == DECIMAL_POWER_MIN && powers_of_five::LARGEST == DECIMAL_POWER_MAX);

// The number as read: value = mantissa * 10^power, mantissa < 10^19.
struct Decimal {
  std::uint64_t mantissa;
  long power;
};

// Bits of a double.
constexpr int FRACTION_BITS = 52;
constexpr std::uint64_t IMPLICIT_BIT = std::uint64_t{1} << FRACTION_BITS;
constexpr int EXPONENT_BIAS = 1023;
constexpr int INFINITE_EXPONENT = 0x7FF;

// Powers of ten for which the table's 128 bits of 5^q make the product exact enough to
// decide every rounding (see powers_of_five.py).
constexpr int EXACT_PRODUCT_LOW = -27;
constexpr int EXACT_PRODUCT_HIGH = 55;
// Only m * 10^q with q in this range can lie exactly halfway between two doubles: the
// midpoint is an odd 54-bit integer times 2^k, so for q < 0 the m of at most 19 digits must
// hold 5^-q times that odd integer (5^5 * 2^53 > 10^19), and for q > 0 the factor 5^q must
// fit in 54 bits (5^24 > 2^54).
constexpr int HALFWAY_POWER_LOW = -4;
constexpr int HALFWAY_POWER_HIGH = 23;

struct Wide {
  std::uint64_t high;
  std::uint64_t low;
};

Wide multiply(std::uint64_t a, std::uint64_t b) noexcept
{
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 Product;
  const Product product = static_cast<Product>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  // Schoolbook multiplication of 32-bit halves; no partial sum can overflow 64 bits.
  constexpr std::uint64_t HALF = 0xFFFFFFFFU;
  const std::uint64_t low_low = (a & HALF) * (b & HALF);
  const std::uint64_t high_low = (a >> 32) * (b & HALF);
  const std::uint64_t low_high = (a & HALF) * (b >> 32);
  const std::uint64_t high_high = (a >> 32) * (b >> 32);
  const std::uint64_t middle = (low_low >> 32) + (high_low & HALF) + low_high;
  return {high_high + (high_low >> 32) + (middle >> 32), (middle << 32) | (low_low & HALF)};
#endif
}

// The Eisel-Lemire conversion of mantissa * 10^power, cut to a double, for a non-zero
// mantissa and a power inside the table. Returns false in the rare cases where the
// truncated 128-bit power of five cannot settle the cut; out is then untouched.
//
// The product of the normalised mantissa with the top 64 bits of 5^power carries the 55
// bits that matter (52 stored, the implicit one, a rounding bit, and one that the
// normalisation may lose). Only when the bits below those are all ones could the
// truncated part of the product carry into them; then the low 64 bits of 5^power join
// in, and if the bits are still all ones the answer is left to the exact conversion.
// Outside [-27, 55] the product lies below the exact value by less than one unit of its
// low word, and the exact value is never on a midpoint or a double, so the bits above
// decide both the cut and the side of the midpoint.
// Example: 9007199254740993 * 10^0 lies halfway between 2^53 and 2^53 + 2; the product
// is exact, the rounding bit is set with nothing below it: bits of 2^53, AT the midpoint.
bool eisel_lemire(std::uint64_t mantissa, int power, TruncatedDouble& out) noexcept
{
  const int leading_zeros = std::countl_zero(mantissa);
  const std::uint64_t normalised = mantissa << leading_zeros;
  const powers_of_five::Entry& entry = powers_of_five::TABLE[power - powers_of_five::SMALLEST];

  constexpr int KEPT_BITS = FRACTION_BITS + 3;
  constexpr std::uint64_t BELOW_KEPT = ~std::uint64_t{0} >> KEPT_BITS;
  Wide product = multiply(normalised, entry.high);
  if ((product.high & BELOW_KEPT) == BELOW_KEPT) {
    const Wide low_part = multiply(normalised, entry.low);
    product.low += low_part.high;
    if (product.low < low_part.high) {
      ++product.high;
    }
  }
  if (product.low == ~std::uint64_t{0} && (power < EXACT_PRODUCT_LOW || power > EXACT_PRODUCT_HIGH)) {
    return false;
  }

  // The product lies in [2^126, 2^128); keep 54 bits: the 53 of the double and the
  // rounding bit.
  const int upper_bit = static_cast<int>(product.high >> 63);
  const int shift = upper_bit + 64 - KEPT_BITS;
  const std::uint64_t significand = product.high >> shift;
  // floor(power * log2(10)) as 217706 * power / 2^16, exact over the table's range.
  constexpr int LOG2_10_SCALED = 217706;
  const int exponent = ((LOG2_10_SCALED * power) >> 16) + 63 + upper_bit - leading_zeros + EXPONENT_BIAS;

  if (exponent >= INFINITE_EXPONENT) {
    out = {0, Midpoint::BELOW, true};
    return true;
  }
  if (exponent <= 0) {
    // Subnormal: shift down to the fixed exponent; the bits are then the significand.
    // No midpoint can be met exactly this far from 10^0.
    const int drop = 1 - exponent;
    const std::uint64_t kept = drop >= 64 ? 0 : significand >> drop;
    out = {kept >> 1, (kept & 1) != 0 ? Midpoint::ABOVE : Midpoint::BELOW, false};
    return true;
  }

  Midpoint midpoint = Midpoint::BELOW;
  if ((significand & 1) != 0) {
    // On the midpoint only when nothing lies below the rounding bit, which only an exact
    // product can show.
    const bool exact_tie = product.low <= 1 && power >= HALFWAY_POWER_LOW && power <= HALFWAY_POWER_HIGH &&
                           (significand << shift) == product.high;
    midpoint = exact_tie ? Midpoint::AT : Midpoint::ABOVE;
  }
  const std::uint64_t fraction = (significand >> 1) & ~IMPLICIT_BIT;
  out = {(static_cast<std::uint64_t>(exponent) << FRACTION_BITS) | fraction, midpoint, false};
  return true;
}

// The value of a cut double under the range rules: 2^1023 and up round toward zero and
// stop at the largest finite double, values below 2^-1074 give 0, all others round to
// nearest, ties to even.
double apply_range_rules(const TruncatedDouble& cut) noexcept
{
  if (cut.overflow) {
    return LARGEST;
  }
  const double toward_zero = std::bit_cast<double>(cut.bits);
  if (toward_zero >= TOWARD_ZERO_FROM || cut.bits == 0) {
    return toward_zero;
  }
  const bool up = cut.midpoint == Midpoint::ABOVE || (cut.midpoint == Midpoint::AT && (cut.bits & 1) != 0);
  return std::bit_cast<double>(cut.bits + (up ? 1U : 0U));
}

// Number of decimal digits of a non-zero m: the bit length times log10(2) (1233 / 4096)
// gives it or one less, and one comparison with a power of ten tells which.
// Example: 999 has 10 bits, 10 * 1233 / 4096 = 3 and 999 < 10^3, so 3 digits.
long decimal_digits(std::uint64_t m) noexcept
{
  constexpr int LOG10_2_SCALED = 1233;
  const int bits = 64 - std::countl_zero(m);
  const int estimate = (bits * LOG10_2_SCALED) >> 12;
  return estimate + (m >= POWERS_OF_TEN[static_cast<std::size_t>(estimate)] ? 1 : 0);
}

// The unsigned value of d under the range rules, for a non-zero mantissa.
double convert(Decimal d) noexcept
{
  // Clinger's fast path: mantissa and power of ten are both exact doubles, so one
  // multiplication or division rounds the exact value once, to nearest. Such values lie
  // between 10^-22 and 2^53 * 10^22, far from the ends of the range.
  if (d.mantissa <= EXACT_INTEGER_LIMIT && d.power >= -EXACT_POWER_LIMIT && d.power <= EXACT_POWER_LIMIT) {
    const auto m = static_cast<double>(d.mantissa);
    return d.power < 0 ? m / EXACT_POWERS[-d.power] : m * EXACT_POWERS[d.power];
  }
  const long magnitude = d.power + decimal_digits(d.mantissa);
  if (magnitude > MAGNITUDE_ABOVE_RANGE) {
    return LARGEST;
  }
  if (magnitude < MAGNITUDE_BELOW_RANGE) {
    return 0.0;
  }
  const auto power = static_cast<int>(d.power);
  TruncatedDouble cut{};
  if (!eisel_lemire(d.mantissa, power, cut)) {
    cut = decimal_to_double_exactly(d.mantissa, power);
  }
  return apply_range_rules(cut);
}

// Eight digits at a time: the bytes of eight characters, the first in the lowest byte.
constexpr std::uint64_t EIGHT_ZEROS = 0x3030303030303030U;  // "00000000"
constexpr std::uint64_t TOP_BITS = 0x8080808080808080U;
constexpr std::uint64_t ABOVE_NINE = 0x4646464646464646U;  // pushes ':' and up past 0x7F

std::uint64_t load_eight(const char* p) noexcept
{
  std::uint64_t chunk = 0;
  std::memcpy(&chunk, p, sizeof chunk);
  return chunk;
}

// True when all eight bytes lie in '0' to '9': no byte drops below '0' when 0x30 is taken
// away, and none climbs past 0x7F when 0x46 is added.
bool all_eight_digits(std::uint64_t chunk) noexcept
{
  return (((chunk + ABOVE_NINE) | (chunk - EIGHT_ZEROS)) & TOP_BITS) == 0;
}

// The value of eight digits: pairs, then fours, then all eight, each step a multiply-add
// of neighbouring fields. Example: "12345678" gives 12345678.
std::uint32_t eight_digits_value(std::uint64_t chunk) noexcept
{
  constexpr std::uint64_t LOW_OF_FOUR = 0x000000FF000000FFU;
  constexpr std::uint64_t HUNDRED_AND_MILLION = 100U + (1000000ULL << 32);
  constexpr std::uint64_t ONE_AND_TEN_THOUSAND = 1U + (10000ULL << 32);
  chunk -= EIGHT_ZEROS;
  chunk = (chunk * 10) + (chunk >> 8);
  chunk = (((chunk & LOW_OF_FOUR) * HUNDRED_AND_MILLION) + (((chunk >> 16) & LOW_OF_FOUR) * ONE_AND_TEN_THOUSAND)) >> 32;
  return static_cast<std::uint32_t>(chunk);
}

// Reads the digits from p on into mantissa (mantissa * 10 + digit for each; past 19
// digits it wraps, and the caller reads such significands again). Returns the end of the
// digits.
const char* read_digits(const char* p, const char* end, std::uint64_t& mantissa) noexcept
{
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t HUNDRED_MILLION = 100000000U;
    while (end - p >= 8 && all_eight_digits(load_eight(p))) {
      mantissa = mantissa * HUNDRED_MILLION + eight_digits_value(load_eight(p));
      p += 8;
    }
  }
  for (; p != end && text::is_digit(*p); ++p) {
    mantissa = mantissa * 10 + text::digit_value(*p);
  }
  return p;
}

// A significand of more than 19 digits, of which `whole` stand before the point (from
// whole_start) and `fraction` after it (from fraction_start): its first 19 significant
// digits and the power of ten that goes with them, before the written exponent.
Decimal read_long_significand(const char* whole_start, std::ptrdiff_t whole, const char* fraction_start,
                              std::ptrdiff_t fraction) noexcept
{
  // Digits are numbered across the point: 0 to whole - 1 before it, then the fraction.
  const auto digit = [&](std::ptrdiff_t k) { return k < whole ? whole_start[k] : fraction_start[k - whole]; };
  const std::ptrdiff_t total = whole + fraction;
  std::ptrdiff_t first = 0;  // the first significant digit
  while (first < total && digit(first) == '0') {
    ++first;
  }
  const std::ptrdiff_t kept = std::min<std::ptrdiff_t>(total - first, REAL_SIGNIFICANT_DIGITS);
  std::uint64_t mantissa = 0;
  for (std::ptrdiff_t k = first; k < first + kept; ++k) {
    mantissa = mantissa * 10 + text::digit_value(digit(k));
  }
  // whole - first significant digits stand before the point (negative when zeros follow
  // the point before the first one); kept of them form the mantissa.
  return {mantissa, static_cast<long>(whole - first - kept)};
}

}  // namespace

double parse_real(std::string_view text) noexcept
{
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && text::is_space(*p)) {
    ++p;
  }

  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
    // The special values exist only in signed, upper-case form, directly behind the sign.
    const std::string_view word(p, std::min(static_cast<std::size_t>(end - p), SPECIAL_WORD_LENGTH));
    if (word == "INF") {
      return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (word == "NAN") {
      return std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
    }
  }
  const double sign = negative ? -1.0 : 1.0;

  // Significand: digits, at most one point, digits. Every digit goes into mantissa, which
  // is exact while there are at most 19 digits in all, leading zeros included; longer
  // significands are read again by the rule of the 19 significant digits.
  const char* const whole = p;
  std::uint64_t mantissa = 0;
  p = read_digits(p, end, mantissa);
  const std::ptrdiff_t whole_digits = p - whole;
  const char* fraction = p;
  std::ptrdiff_t fraction_digits = 0;
  if (p != end && *p == '.') {
    fraction = ++p;
    p = read_digits(p, end, mantissa);
    fraction_digits = p - fraction;
  }
  if (whole_digits + fraction_digits == 0) {
    return 0.0;
  }

  // Exponent. An 'e' without digits behind it (and its sign) counts as exponent 0. The
  // value stops growing once past the limit, so no digit count can overflow it.
  long exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool exponent_negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
      exponent_negative = *p == '-';
      ++p;
    }
    for (; p != end && text::is_digit(*p); ++p) {
      if (exponent <= REAL_EXPONENT_LIMIT) {
        exponent = exponent * 10 + static_cast<long>(text::digit_value(*p));
      }
    }
    if (exponent_negative) {
      exponent = -exponent;
    }
  }

  Decimal decimal{mantissa, -static_cast<long>(fraction_digits)};
  if (whole_digits + fraction_digits > REAL_SIGNIFICANT_DIGITS) {
    decimal = read_long_significand(whole, whole_digits, fraction, fraction_digits);
  }
  if (decimal.mantissa == 0) {
    return sign * 0.0;
  }
  if (exponent > REAL_EXPONENT_LIMIT) {
    return sign * LARGEST;
  }
  if (exponent < -REAL_EXPONENT_LIMIT) {
    return sign * 0.0;
  }
  decimal.power += exponent;
  return sign * convert(decimal);
}

}  // namespace vintrel
