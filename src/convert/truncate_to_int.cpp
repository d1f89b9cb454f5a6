#include "convert/truncate_to_int.hpp"

#include <bit>
#include <cmath>

namespace vintrel {
namespace {

constexpr double TWO_TO_63 = 0x1p63;
constexpr int DOUBLE_FRACTION_BITS = 52;
constexpr int DOUBLE_EXPONENT_BIAS = 1023;

}  // namespace

std::int32_t truncate_to_int(double x) noexcept
{
  if (!std::isfinite(x)) {
    return 0;
  }
  if (std::fabs(x) < TWO_TO_63) {
    // In range for int64: the conversion truncates toward zero and is well defined.
    const auto whole = static_cast<std::int64_t>(x);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
  }
  // |x| >= 2^63, so x is an integer: significand * 2^shift with a 53-bit significand and
  // shift >= 11. Its low 32 bits are those of the significand shifted left; from a shift
  // of 32 on they are all zero. Unsigned shifts and negation wrap, as wanted.
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const auto biased = static_cast<int>((bits >> DOUBLE_FRACTION_BITS) & 0x7FFU);
  const int shift = biased - DOUBLE_EXPONENT_BIAS - DOUBLE_FRACTION_BITS;
  const std::uint64_t significand =
      (bits & ((std::uint64_t{1} << DOUBLE_FRACTION_BITS) - 1)) | (std::uint64_t{1} << DOUBLE_FRACTION_BITS);
  const std::uint32_t low = shift >= 32 ? 0U : static_cast<std::uint32_t>(significand << shift);
  return static_cast<std::int32_t>(std::signbit(x) ? 0U - low : low);
}

}  // namespace vintrel
