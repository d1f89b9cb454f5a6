#include "convert/decimal_to_double.hpp"

#include <algorithm>
#include <cstddef>

#include "convert/powers_of_ten.hpp"

namespace vintrel {
namespace {

// Unsigned integers of up to LIMBS * 32 bits, least significant limb first. The largest
// number formed below is 10^342 * 2^52 (the divisor 10^-q shifted to the top quotient
// bit) < 2^1189, and the largest dividend m * 2^1074 * 2 < 2^1139.
constexpr std::size_t LIMBS = 40;
constexpr int LIMB_BITS = 32;

struct Big {
  std::uint32_t limb[LIMBS];
  std::size_t size;  // limbs in use; the top one is non-zero, none for 0
};

Big make_big(std::uint64_t value) noexcept
{
  Big big{};
  while (value != 0) {
    big.limb[big.size++] = static_cast<std::uint32_t>(value);
    value >>= LIMB_BITS;
  }
  return big;
}

void multiply(Big& big, std::uint32_t factor) noexcept
{
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < big.size; ++i) {
    const std::uint64_t product = std::uint64_t{big.limb[i]} * factor + carry;
    big.limb[i] = static_cast<std::uint32_t>(product);
    carry = product >> LIMB_BITS;
  }
  if (carry != 0) {
    big.limb[big.size++] = static_cast<std::uint32_t>(carry);
  }
}

void multiply_by_power_of_ten(Big& big, int exponent) noexcept
{
  constexpr int LARGEST_STEP = 9;  // 10^9 < 2^32
  for (; exponent > LARGEST_STEP; exponent -= LARGEST_STEP) {
    multiply(big, static_cast<std::uint32_t>(POWERS_OF_TEN[LARGEST_STEP]));
  }
  multiply(big, static_cast<std::uint32_t>(POWERS_OF_TEN[static_cast<std::size_t>(exponent)]));
}

void shift_left(Big& big, int bits) noexcept
{
  if (big.size == 0 || bits == 0) {
    return;
  }
  const auto limbs = static_cast<std::size_t>(bits / LIMB_BITS);
  const int rest = bits % LIMB_BITS;
  std::size_t size = big.size + limbs;
  if (rest != 0) {
    big.limb[size] = 0;
    for (std::size_t i = big.size; i-- > 0;) {
      big.limb[i + limbs + 1] |= big.limb[i] >> (LIMB_BITS - rest);
      big.limb[i + limbs] = big.limb[i] << rest;
    }
    ++size;
  }
  else {
    for (std::size_t i = big.size; i-- > 0;) {
      big.limb[i + limbs] = big.limb[i];
    }
  }
  std::fill(big.limb, big.limb + limbs, 0U);
  big.size = size;
  while (big.size > 0 && big.limb[big.size - 1] == 0) {
    --big.size;
  }
}

void shift_right_one(Big& big) noexcept
{
  for (std::size_t i = 0; i < big.size; ++i) {
    const std::uint32_t next = i + 1 < big.size ? big.limb[i + 1] : 0U;
    big.limb[i] = (big.limb[i] >> 1) | (next << (LIMB_BITS - 1));
  }
  if (big.size > 0 && big.limb[big.size - 1] == 0) {
    --big.size;
  }
}

int compare(const Big& a, const Big& b) noexcept
{
  if (a.size != b.size) {
    return a.size < b.size ? -1 : 1;
  }
  for (std::size_t i = a.size; i-- > 0;) {
    if (a.limb[i] != b.limb[i]) {
      return a.limb[i] < b.limb[i] ? -1 : 1;
    }
  }
  return 0;
}

// a -= b, for a >= b.
void subtract(Big& a, const Big& b) noexcept
{
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < a.size; ++i) {
    const std::uint64_t subtrahend = (i < b.size ? std::uint64_t{b.limb[i]} : 0U) + borrow;
    const std::uint64_t minuend = a.limb[i];
    a.limb[i] = static_cast<std::uint32_t>(minuend - subtrahend);
    borrow = minuend < subtrahend ? 1U : 0U;
  }
  while (a.size > 0 && a.limb[a.size - 1] == 0) {
    --a.size;
  }
}

int bit_length(const Big& big) noexcept
{
  if (big.size == 0) {
    return 0;
  }
  int bits = static_cast<int>(big.size - 1) * LIMB_BITS;
  for (std::uint32_t top = big.limb[big.size - 1]; top != 0; top >>= 1) {
    ++bits;
  }
  return bits;
}

constexpr int FRACTION_BITS = 52;
constexpr std::uint64_t IMPLICIT_BIT = std::uint64_t{1} << FRACTION_BITS;
constexpr int LOWEST_EXPONENT = -1074;  // of the last bit of a subnormal
constexpr int OVERFLOW_EXPONENT = 1024;
// bits = (e + EXPONENT_OFFSET) << 52 | (s - 2^52) for the double s * 2^e, 2^52 <= s < 2^53.
constexpr int EXPONENT_OFFSET = 1075;

}  // namespace

TruncatedDouble decimal_to_double_exactly(std::uint64_t mantissa, int power) noexcept
{
  // value = numerator / denominator, both integers.
  Big numerator = make_big(mantissa);
  Big denominator = make_big(1);
  multiply_by_power_of_ten(power >= 0 ? numerator : denominator, power >= 0 ? power : -power);

  // The binary exponent: 2^exponent <= value < 2^(exponent + 1). The ratio of the bit
  // lengths puts it at one of two places; one comparison tells which.
  int exponent = bit_length(numerator) - bit_length(denominator);
  {
    Big scaled_numerator = numerator;
    Big scaled_denominator = denominator;
    shift_left(exponent >= 0 ? scaled_denominator : scaled_numerator, exponent >= 0 ? exponent : -exponent);
    if (compare(scaled_numerator, scaled_denominator) < 0) {
      --exponent;
    }
  }
  if (exponent >= OVERFLOW_EXPONENT) {
    return {0, Midpoint::BELOW, true};
  }

  // The weight of the last bit kept: 53 bits for a normal double, fewer for a subnormal.
  const int last_bit = std::max(exponent - FRACTION_BITS, LOWEST_EXPONENT);
  shift_left(last_bit >= 0 ? denominator : numerator, last_bit >= 0 ? last_bit : -last_bit);

  // significand = floor(numerator / denominator) < 2^53, by long division one bit at a
  // time; the remainder stays in numerator.
  std::uint64_t significand = 0;
  Big divisor = denominator;
  shift_left(divisor, FRACTION_BITS);
  for (int bit = FRACTION_BITS; bit >= 0; --bit) {
    if (compare(numerator, divisor) >= 0) {
      subtract(numerator, divisor);
      significand |= std::uint64_t{1} << bit;
    }
    shift_right_one(divisor);
  }

  // The remainder against half the denominator places the value against the midpoint.
  shift_left(numerator, 1);
  const int side = compare(numerator, denominator);
  const Midpoint midpoint = side < 0 ? Midpoint::BELOW : side == 0 ? Midpoint::AT : Midpoint::ABOVE;

  if (significand < IMPLICIT_BIT) {
    return {significand, midpoint, false};  // subnormal or zero: the bits are the significand
  }
  const auto biased = static_cast<std::uint64_t>(last_bit + EXPONENT_OFFSET);
  return {(biased << FRACTION_BITS) | (significand - IMPLICIT_BIT), midpoint, false};
}

}  // namespace vintrel
