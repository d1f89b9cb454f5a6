#pragma once

#include <array>
#include <cstdint>

namespace vintrel {

// 10^0 to 10^19: every power of ten that a 64-bit unsigned integer holds.
inline constexpr std::array<std::uint64_t, 20> POWERS_OF_TEN = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;  // wraps once, after the last entry, harmlessly
  }
  return powers;
}();

}  // namespace vintrel
