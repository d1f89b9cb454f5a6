#pragma once

#include <cstdint>

namespace vintrel {

// Where an exact value lies against the midpoint between the double toward zero and the
// next double up.
enum class Midpoint { BELOW, AT, ABOVE };

// A positive exact value, cut to a double: the double toward zero and the side of the
// midpoint on which the value lies. Both roundings follow from it: toward zero is `bits`,
// to nearest is `bits` + 1 when above the midpoint, or at it with `bits` odd (the bits of
// a positive double count up with its value, across exponents and into the subnormals).
struct TruncatedDouble {
  std::uint64_t bits;  // of the double toward zero; 0 for values below 2^-1074
  Midpoint midpoint;
  bool overflow;  // the value is 2^1024 or more; bits and midpoint are not set
};

// Powers of ten for which the conversion below is defined: every power that a
// significand of 1 to 19 digits can have while its value lies in [10^-324, 10^309).
inline constexpr int DECIMAL_POWER_MIN = -342;
inline constexpr int DECIMAL_POWER_MAX = 308;

// mantissa * 10^power cut to a double, computed exactly with big integers. For a non-zero
// mantissa and a power in [DECIMAL_POWER_MIN, DECIMAL_POWER_MAX]. Slow (up to about 35,000
// instructions, a long division one bit at a time); the real-number reader calls it only
// when its 128-bit product cannot decide.
//
// Example: 3 * 10^-324 lies between 0 and 2^-1074 (about 4.94e-324), above their
// midpoint: bits 0, ABOVE, so it rounds to nearest to 2^-1074 and toward zero to 0.
TruncatedDouble decimal_to_double_exactly(std::uint64_t mantissa, int power) noexcept;

}  // namespace vintrel
