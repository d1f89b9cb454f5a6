// parse_real against a correctly rounded reference and against its range rules.
//
// Input: the text itself, on the heap in exactly its own size, so that a read past its
// end is caught.
//
// For every text: the result is infinite only for the signed forms +INF and -INF, and a
// not-a-number only for +NAN and -NAN, each directly behind white space and a sign.
//
// The input's first eight bytes are also read as the bits of a double; that double and
// the midpoint above it are written out with 16 to 19 significant digits and checked in
// the same way.
//
// For a text in plain form, [+|-] digits [. digits] [(e|E) [+|-] digits] and nothing
// else, the expected value is that of strtod in the C locale on the same text with every
// significant digit after the 19th replaced by 0, under the range rules:
//   - a written exponent above 4932: the largest double (positive) or 0 (negative);
//   - an exact value of 2^1023 or more: rounded toward zero;
//   - an exact value below 2^-1074: 0;
//   - otherwise the nearest double, bit for bit.
#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "check.hpp"
#include "convert/parse_real.hpp"

namespace {

using vintrel::fuzz::require;

constexpr std::size_t KEPT_DIGITS = 19;
constexpr long EXPONENT_LIMIT = 4932;

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

struct Plain {
  std::string reference;  // the text with digits after the 19th significant one zeroed
  bool zero_significand;
  long exponent;  // as written, stopped from growing once past the limit
};

// Recognises the plain form; returns the text for the reference reader.
std::optional<Plain> read_plain(std::string_view text)
{
  Plain plain{std::string{text}, true, 0};
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  std::size_t digits = 0;
  std::size_t significant = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] == '.' && !point) {
      point = true;
      continue;
    }
    if (!is_digit(text[i])) {
      break;
    }
    ++digits;
    if (text[i] != '0' || significant > 0) {
      ++significant;
      plain.zero_significand = false;
      if (significant > KEPT_DIGITS) {
        plain.reference[i] = '0';
      }
    }
  }
  if (digits == 0) {
    return std::nullopt;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negative = text[i] == '-';
      ++i;
    }
    const std::size_t first = i;
    for (; i < text.size() && is_digit(text[i]); ++i) {
      plain.exponent = std::min(plain.exponent * 10 + (text[i] - '0'), EXPONENT_LIMIT + 1);
    }
    if (i == first) {
      return std::nullopt;  // strtod would not read the 'e'; the plain form needs digits
    }
    if (negative) {
      plain.exponent = -plain.exponent;
    }
  }
  if (i != text.size()) {
    return std::nullopt;
  }
  return plain;
}

double read_reference(const std::string& text, int rounding)
{
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  const int saved = std::fegetround();
  std::fesetround(rounding);
  const double value = strtod_l(text.c_str(), nullptr, c_locale);
  std::fesetround(saved);
  return value;
}

void check_plain(const Plain& plain, double value)
{
  const double nearest = read_reference(plain.reference, FE_TONEAREST);
  const double sign = std::signbit(nearest) ? -1.0 : 1.0;
  if (plain.zero_significand || plain.exponent < -EXPONENT_LIMIT) {
    require(value == 0.0, "a zero significand or a written exponent below -4932 gives 0");
    return;
  }
  if (plain.exponent > EXPONENT_LIMIT) {
    require(value == sign * std::numeric_limits<double>::max(), "a written exponent above 4932 gives the largest double");
    return;
  }
  // Rounded toward zero, the reference tells on which side of each limit the exact value
  // lies: below 2^-1074 it gives 0, from 2^1023 on at least 2^1023.
  const double toward_zero = read_reference(plain.reference, FE_TOWARDZERO);
  if (std::fabs(toward_zero) >= 0x1p1023) {
    require(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(toward_zero),
            "from 2^1023 on the value is rounded toward zero");
  }
  else if (toward_zero == 0.0) {
    require(value == 0.0, "below 2^-1074 the value is 0");
  }
  else {
    require(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(nearest),
            "in range the value is the nearest double, bit for bit");
  }
}

void check_special(std::string_view text, double value)
{
  std::size_t i = 0;
  while (i < text.size() && is_space(text[i])) {
    ++i;
  }
  const bool signed_form = i < text.size() && (text[i] == '+' || text[i] == '-');
  const bool negative = signed_form && text[i] == '-';
  const std::string_view word = signed_form ? text.substr(i + 1, 3) : std::string_view{};
  if (word == "INF") {
    require(std::isinf(value) && std::signbit(value) == negative, "+INF and -INF give a signed infinity");
  }
  else if (word == "NAN") {
    require(std::isnan(value) && std::signbit(value) == negative, "+NAN and -NAN give a signed not-a-number");
  }
  else {
    require(std::isfinite(value), "every other text gives a finite value");
  }
}

void check(std::string_view text)
{
  const double value = vintrel::parse_real(text);
  const double again = vintrel::parse_real(text);
  require(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(again), "the same text gives the same value");
  check_special(text, value);
  if (const std::optional<Plain> plain = read_plain(text)) {
    check_plain(*plain, value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::unique_ptr<char[]> copy(new char[size]);
  if (size > 0) {
    std::memcpy(copy.get(), data, size);
  }
  check(std::string_view{copy.get(), size});

  // The first eight bytes once more, as the bits of a double x: x and the midpoint between
  // x and the next double up, each written with 16 to 19 significant digits. These are
  // texts at every double and at the hardest roundings, subnormals and the top of the
  // range included, that random bytes seldom spell. The midpoint needs 54 bits, which a
  // long double holds.
  if (size >= sizeof(double)) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const double x = std::bit_cast<double>(bits);
    const long double midpoint =
        (static_cast<long double>(x) + static_cast<long double>(std::nextafter(x, std::numeric_limits<double>::infinity()))) / 2;
    for (const long double written_value : {static_cast<long double>(x), midpoint}) {
      if (!std::isfinite(written_value)) {
        continue;
      }
      for (int precision = 15; precision <= 18; ++precision) {
        char written[64];
        const int length = std::snprintf(written, sizeof written, "%.*Le", precision, written_value);
        require(length > 0 && static_cast<std::size_t>(length) < sizeof written, "snprintf");
        check(std::string_view{written, static_cast<std::size_t>(length)});
      }
    }
  }
  return 0;
}
