#pragma once

#include <cstdint>

namespace vintrel {

// Cuts x toward zero to its exact integer part and keeps the low 32 bits of it, as a
// signed value: 2.9 gives 2, -2.9 gives -2, 3000000000 gives -1294967296. The rule holds
// for every finite double, those of 2^63 and more included. A not-a-number or an
// infinity gives 0.
std::int32_t truncate_to_int(double x) noexcept;

}  // namespace vintrel
