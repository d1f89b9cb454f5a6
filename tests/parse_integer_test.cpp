// The wrapping 32-bit integer reader.
#include "convert/parse_integer.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace {

using vintrel::parse_integer;

struct Case {
  std::string_view text;
  std::int32_t expected;
};

TEST(ParseInteger, Table)
{
  static constexpr Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"0042", 42},
      {" 42abc", 42},
      {"\t\n\v\f\r 9", 9},  // the six white-space bytes
      {"\xa0"
       "9",
       0},  // a byte of 128 or more is not white space
      {"+7", 7},
      {"-7", -7},
      {"3.99", 3},  // no rounding
      {"-3.99", -3},
      {"1e3", 1},
      {"- 5", 0},  // white space after the sign ends the number
      {"--5", 0},
      {"+-5", 0},
      {"", 0},
      {"-", 0},
      {"abc", 0},
      {".5", 0},
      {"5 6", 5},
      {"2147483647", 2147483647},
      {"2147483648", INT32_MIN},  // wraps
      {"-2147483648", INT32_MIN},  // negating -2^31 gives itself
      {"-2147483649", 2147483647},
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967301", 5},
      {"-4294967301", -5},
      {"99999999999999999999999999", -469762049},  // (10^26 - 1) mod 2^32
      {"00000000000000000000000000000000000000012", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "text '" << c.text << "'");
    EXPECT_EQ(parse_integer(c.text), c.expected);
  }
}

// A run of digits of any length, wherever it lies against an eight-byte boundary, ends at
// the first byte that is not a digit, whichever byte that is.
TEST(ParseInteger, DigitRunsEndAtTheFirstOtherByte)
{
  static constexpr char STOPPERS[] = {'/', ':', ' ', '\0', '.', 'e', '-', '\x80', '\xb9', '\xff'};
  constexpr std::string_view DIGITS = "98765432109876543210987654";
  for (std::size_t length = 1; length <= DIGITS.size(); ++length) {
    std::uint32_t expected = 0;
    for (const char digit : DIGITS.substr(0, length)) {
      expected = expected * 10U + static_cast<std::uint32_t>(digit - '0');
    }
    for (const char stopper : STOPPERS) {
      std::string text(DIGITS.substr(0, length));
      text += stopper;
      text += "12345678";
      SCOPED_TRACE(::testing::Message() << length << " digits then byte " << static_cast<int>(static_cast<unsigned char>(stopper)));
      EXPECT_EQ(parse_integer(text), static_cast<std::int32_t>(expected));
    }
  }
}

// Random digit strings of up to 18 digits fit in 64 bits exactly; the reader must agree
// with that value reduced modulo 2^32.
TEST(ParseInteger, RandomTextsWrapLikeA64BitReference)
{
  std::mt19937_64 rng(42);
  int mismatches = 0;
  for (int i = 0; i < 100000 && mismatches < 10; ++i) {
    const int length = std::uniform_int_distribution<int>(1, 18)(rng);
    std::string text;
    const bool negative = rng() % 3 == 0;
    if (negative) {
      text += '-';
    }
    else if (rng() % 3 == 0) {
      text += '+';
    }
    std::int64_t value = 0;
    for (int d = 0; d < length; ++d) {
      const auto digit = static_cast<int>(rng() % 10);
      text += static_cast<char>('0' + digit);
      value = value * 10 + digit;
    }
    if (rng() % 2 == 0) {
      text += ".9e7x";  // the rest of the text is ignored
    }
    const auto reduced = static_cast<std::uint32_t>(static_cast<std::uint64_t>(negative ? -value : value));
    const auto expected = static_cast<std::int32_t>(reduced);
    if (parse_integer(text) != expected) {
      ++mismatches;
      ADD_FAILURE() << "text '" << text << "': got " << parse_integer(text) << ", expected " << expected;
    }
  }
}

}  // namespace
