#include "convert/parse_real.hpp"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "convert/text.hpp"

namespace vintrel {
namespace {

constexpr double LARGEST = std::numeric_limits<double>::max();
constexpr double TOWARD_ZERO_FROM = 0x1p1023;  // from here on, round toward zero
constexpr double SMALLEST = 0x1p-1074;         // smallest subnormal; below it, 0

// Powers of ten that a double holds exactly (5^22 < 2^53).
constexpr int EXACT_POWER_LIMIT = 22;
constexpr double EXACT_POWERS[EXACT_POWER_LIMIT + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t EXACT_INTEGER_LIMIT = std::uint64_t{1} << 53;

// Let D be the decimal magnitude: the value lies in [10^(D-1), 10^D).
// D > 309 means value >= 10^309, beyond the largest double.
// D < -323 means value < 10^-324, below the smallest subnormal.
// D in [-320, 307] means 10^-321 <= value < 10^307: the nearest double is the answer,
// because it can be neither below 2^-1074 nor at or above 2^1023.
constexpr long MAGNITUDE_ABOVE_RANGE = 309;
constexpr long MAGNITUDE_BELOW_RANGE = -323;
constexpr long MAGNITUDE_SAFE_LOW = -320;
constexpr long MAGNITUDE_SAFE_HIGH = 307;

// The number as read: value = mantissa * 10^power, mantissa < 10^19.
struct Decimal {
  std::uint64_t mantissa;
  long power;
};

// Writes "<mantissa>e<power>" into out, which holds at least 32 bytes; returns its end.
char* format_decimal(Decimal d, char* out) noexcept
{
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + d.mantissa % 10);
    d.mantissa /= 10;
  } while (d.mantissa != 0);
  while (n > 0) {
    *out++ = digits[--n];
  }
  *out++ = 'e';
  std::uint64_t power = d.power < 0 ? 0U - static_cast<std::uint64_t>(d.power) : static_cast<std::uint64_t>(d.power);
  if (d.power < 0) {
    *out++ = '-';
  }
  do {
    digits[n++] = static_cast<char>('0' + power % 10);
    power /= 10;
  } while (power != 0);
  while (n > 0) {
    *out++ = digits[--n];
  }
  *out = '\0';
  return out;
}

// Near the ends of the range: strtod rounds correctly in the current rounding mode, so it
// gives both the nearest double and the one toward zero. The nearest double decides when
// the exact value is clear of both limits; otherwise the one toward zero tells on which
// side of the limit the exact value lies.
double convert_at_range_ends(Decimal d) noexcept
{
  char text[32];
  format_decimal(d, text);
  const double nearest = std::strtod(text, nullptr);
  if (nearest < TOWARD_ZERO_FROM && nearest != SMALLEST) {
    return nearest;  // 0 here means the value was below 2^-1075: 0 by either rule
  }
  const int mode = std::fegetround();
  std::fesetround(FE_TOWARDZERO);
  const double toward_zero = std::strtod(text, nullptr);
  std::fesetround(mode);
  if (nearest == SMALLEST) {
    // The nearest double is the smallest subnormal; the exact value may lie below it.
    return toward_zero == 0.0 ? 0.0 : nearest;
  }
  // nearest >= 2^1023 (or infinite): round toward zero when the exact value is there too;
  // a value just below 2^1023 that rounded up to it keeps its nearest double.
  return toward_zero >= TOWARD_ZERO_FROM ? toward_zero : nearest;
}

// The unsigned value of d under the range rules, for a non-zero mantissa.
double convert(Decimal d, long magnitude) noexcept
{
  if (magnitude > MAGNITUDE_ABOVE_RANGE) {
    return LARGEST;
  }
  if (magnitude < MAGNITUDE_BELOW_RANGE) {
    return 0.0;
  }
  // Clinger's fast path: mantissa and power of ten are both exact doubles, so one
  // multiplication or division rounds the exact value once, to nearest.
  if (d.mantissa <= EXACT_INTEGER_LIMIT && d.power >= -EXACT_POWER_LIMIT && d.power <= EXACT_POWER_LIMIT) {
    const auto m = static_cast<double>(d.mantissa);
    return d.power < 0 ? m / EXACT_POWERS[-d.power] : m * EXACT_POWERS[d.power];
  }
  if (magnitude < MAGNITUDE_SAFE_LOW || magnitude > MAGNITUDE_SAFE_HIGH) {
    return convert_at_range_ends(d);
  }
  // Well inside the range: the correctly rounded reader of the standard library.
  char text[32];
  const char* end = format_decimal(d, text);
  double value = 0.0;
  std::from_chars(text, end, value);
  return value;
}

}  // namespace

double parse_real(std::string_view text) noexcept
{
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text::is_space(text[i])) {
    ++i;
  }

  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
    // The special values exist only in signed, upper-case form, directly behind the sign.
    const std::string_view word = text.substr(i, 3);
    if (word == "INF") {
      return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (word == "NAN") {
      return std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
    }
  }
  const double sign = negative ? -1.0 : 1.0;

  // Significand. Invariant: mantissa holds the first `kept` significant digits, and
  // `point` is the number of significant digits before the decimal point (negative when
  // zeros follow the point before the first significant digit).
  std::uint64_t mantissa = 0;
  long kept = 0;
  long point = 0;
  bool any_digit = false;
  bool significant = false;
  bool after_point = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c == '.') {
      if (after_point) {
        break;
      }
      after_point = true;
      continue;
    }
    if (!text::is_digit(c)) {
      break;
    }
    any_digit = true;
    if (!significant && c == '0') {
      if (after_point) {
        --point;
      }
      continue;
    }
    significant = true;
    if (kept < REAL_SIGNIFICANT_DIGITS) {
      mantissa = mantissa * 10 + text::digit_value(c);
      ++kept;
    }
    if (!after_point) {
      ++point;
    }
  }
  if (!any_digit) {
    return 0.0;
  }

  // Exponent. An 'e' without digits behind it (and its sign) counts as exponent 0. The
  // value stops growing once past the limit, so no digit count can overflow it.
  long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      exponent_negative = text[j] == '-';
      ++j;
    }
    for (; j < n && text::is_digit(text[j]); ++j) {
      if (exponent <= REAL_EXPONENT_LIMIT) {
        exponent = exponent * 10 + static_cast<long>(text::digit_value(text[j]));
      }
    }
    if (exponent_negative) {
      exponent = -exponent;
    }
  }

  if (mantissa == 0) {
    return sign * 0.0;
  }
  if (exponent > REAL_EXPONENT_LIMIT) {
    return sign * LARGEST;
  }
  if (exponent < -REAL_EXPONENT_LIMIT) {
    return sign * 0.0;
  }
  const long magnitude = exponent + point;
  return sign * convert(Decimal{mantissa, magnitude - kept}, magnitude);
}

}  // namespace vintrel
