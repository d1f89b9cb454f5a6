#pragma once

#include <string_view>

namespace vintrel {

// Significant digits that take part in a real number; further digits only move the point.
inline constexpr int REAL_SIGNIFICANT_DIGITS = 19;

// A written exponent beyond this (read as a decimal number) decides the value on its own:
// the largest finite double for a positive exponent, 0 for a negative one.
inline constexpr long REAL_EXPONENT_LIMIT = 4932;

// Reads a real number from the start of text and ignores the rest. Never fails.
//
//   [white space] [+|-] ( INF | NAN )              only with a sign, upper case: +INF, -NAN
//   [white space] [+|-] digits [. digits] [(e|E) [+|-] digits]
//
// Digits may stand on either side of the point ('.5', '5.'). Of the significant digits
// (leading zeros are not significant) the first 19 form M; later ones are dropped without
// rounding but still count for the position of the point. The value M * 10^q is rounded
// to the nearest double, ties to even, except at the ends of the range:
//   - a zero significand gives 0, whatever the exponent;
//   - a written exponent above 4932 gives the largest finite double (positive exponent)
//     or 0 (negative exponent);
//   - a magnitude of 2^1023 or more is rounded toward zero, so nothing overflows to an
//     infinity: '1e999' gives 1.7976931348623157e308;
//   - a magnitude below 2^-1074 gives 0 ('4.9406564584124654e-324' gives 0).
// A text that does not start with a number gives 0: '', 'abc', 'inf', '-', 'e5', '0x1A'.
//
// Examples: '  -12.5e1xyz' -> -125, '1,5' -> 1, '5e' -> 5, '+INFINITY' -> +infinity.
double parse_real(std::string_view text) noexcept;

}  // namespace vintrel
