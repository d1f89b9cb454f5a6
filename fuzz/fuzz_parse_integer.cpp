// parse_integer against a reference that reads the same grammar in 64-bit arithmetic and
// reduces modulo 2^32.
//
// Input: the text itself, on the heap in exactly its own size, so that a read past its
// end is caught.
//
// The reference takes the digits nine at a time: value < 2^32 and a block < 10^9 < 2^30,
// so value * 10^9 + block < 2^63 never overflows, and each step reduces modulo 2^32.
// Texts of at most 18 digits are also read by strtoll, which cannot overflow on them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "check.hpp"
#include "convert/parse_integer.hpp"

namespace {

using vintrel::fuzz::require;

constexpr std::uint64_t MODULUS = std::uint64_t{1} << 32;
constexpr std::size_t BLOCK_DIGITS = 9;
constexpr std::size_t STRTOLL_SAFE_DIGITS = 18;  // 10^18 - 1 < 2^63

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Returns the expected value and the number of digits read.
std::int32_t reference(std::string_view text, std::size_t& digit_count)
{
  std::size_t i = 0;
  while (i < text.size() && is_space(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::uint64_t value = 0;
  digit_count = 0;
  while (i < text.size() && is_digit(text[i])) {
    std::uint64_t block = 0;
    std::uint64_t scale = 1;
    for (std::size_t n = 0; n < BLOCK_DIGITS && i < text.size() && is_digit(text[i]); ++n, ++i) {
      block = block * 10 + static_cast<std::uint64_t>(text[i] - '0');
      scale *= 10;
      ++digit_count;
    }
    value = (value * scale + block) % MODULUS;
  }
  if (negative) {
    value = (MODULUS - value) % MODULUS;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::unique_ptr<char[]> copy(new char[size]);
  if (size > 0) {
    std::memcpy(copy.get(), data, size);
  }
  const std::string_view text{copy.get(), size};

  const std::int32_t value = vintrel::parse_integer(text);
  std::size_t digit_count = 0;
  require(value == reference(text, digit_count), "equals the 64-bit reference reduced modulo 2^32");

  if (digit_count <= STRTOLL_SAFE_DIGITS) {
    // strtoll skips the same six white-space bytes in the C locale and stops at the same
    // byte; a NUL inside the text ends both readers.
    const std::string terminated{text};
    const long long plain = std::strtoll(terminated.c_str(), nullptr, 10);
    const auto reduced = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(plain)));
    require(value == reduced, "equals strtoll reduced modulo 2^32");
  }
  return 0;
}
