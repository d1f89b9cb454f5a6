// The real-number reader against a corpus of decimal texts with their correctly rounded
// doubles, read from VINTREL_CORPUS_DIR (never copied into the repository).
//
// Each line has fixed columns: [14,30) the binary64 bits in hex, [31,end) the text. The
// corpus rounds every digit of every text to nearest; the reader keeps only the first 19
// significant digits and has its own rules at the ends of the range. So a line is checked
// when the reader's rules and plain rounding must agree:
//   - the text is a plain decimal number that the reader's grammar takes whole;
//   - it has at most 19 significant digits once trailing zeros (which drop exactly) are
//     left out, and its written exponent is within 4932;
//   - its exact value lies between 2^-1074 and 2^1023. The recorded double tells: 0 means
//     below 2^-1075 (or zero), 2^-1074 may stand for a value just below it, and 2^1023
//     or more (or an infinity) may stand for a value rounded up from there. Those lines
//     are left out; every other recorded double has its exact value inside the range.
#include "convert/parse_real.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t BITS_BEGIN = 14;
constexpr std::size_t BITS_END = 30;
constexpr std::size_t TEXT_BEGIN = 31;

// What the reader's rules need to know about a text of the plain decimal form.
struct Shape {
  bool plain = false;         // [+|-] digits [. digits] [(e|E) [+|-] digits], nothing else
  int significant = 0;        // significant digits, trailing zeros left out
  bool exponent_within_limit = false;
};

Shape shape_of(std::string_view text)
{
  Shape shape;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  std::string digits;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] == '.' && !point) {
      point = true;
    }
    else if (is_digit(text[i])) {
      digits += text[i];
    }
    else {
      break;
    }
  }
  if (digits.empty()) {
    return shape;
  }
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negative = text[i] == '-';
      ++i;
    }
    const std::size_t first = i;
    for (; i < text.size() && is_digit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000L);
    }
    if (i == first) {
      return shape;
    }
    exponent = negative ? -exponent : exponent;
  }
  if (i != text.size()) {
    return shape;
  }
  const std::size_t first = digits.find_first_not_of('0');
  const std::size_t last = digits.find_last_not_of('0');
  shape.plain = true;
  shape.significant = first == std::string::npos ? 0 : static_cast<int>(last - first + 1);
  shape.exponent_within_limit = std::abs(exponent) <= vintrel::REAL_EXPONENT_LIMIT;
  return shape;
}

bool recorded_inside_range(double recorded)
{
  const double magnitude = std::fabs(recorded);
  return magnitude != 0.0 && magnitude != 0x1p-1074 && magnitude < 0x1p1023;
}

std::string read_file(const std::filesystem::path& path)
{
  std::string content;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return content;
  }
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, n);
  }
  return content;
}

TEST(Corpus, ParseRealMatchesCorrectRoundingWhereTheRulesAgree)
{
  const std::filesystem::path folder = VINTREL_CORPUS_DIR;
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    GTEST_SKIP() << "no corpus at " << folder;
  }
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".txt") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no *.txt files in " << folder;

  long lines = 0;
  long checked = 0;
  long mismatches = 0;
  for (const std::filesystem::path& path : files) {
    const std::string content = read_file(path);
    std::string_view rest = content;
    long file_checked = 0;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
      }
      if (line.empty()) {
        continue;
      }
      ++lines;
      std::uint64_t bits = 0;
      const auto [bits_end, bits_error] = std::from_chars(line.data() + BITS_BEGIN, line.data() + BITS_END, bits, 16);
      if (line.size() < TEXT_BEGIN || bits_error != std::errc{} || bits_end != line.data() + BITS_END) {
        ADD_FAILURE() << path.filename() << ": malformed line '" << line << "'";
        continue;
      }
      const std::string_view text = line.substr(TEXT_BEGIN);
      const double recorded = std::bit_cast<double>(bits);
      const Shape shape = shape_of(text);
      if (!shape.plain || shape.significant > vintrel::REAL_SIGNIFICANT_DIGITS || !shape.exponent_within_limit ||
          !recorded_inside_range(recorded)) {
        continue;
      }
      ++checked;
      ++file_checked;
      const double value = vintrel::parse_real(text);
      if (std::bit_cast<std::uint64_t>(value) != bits) {
        if (++mismatches <= 10) {
          char got[40];
          char expected[40];
          std::snprintf(got, sizeof got, "%a", value);
          std::snprintf(expected, sizeof expected, "%a", recorded);
          ADD_FAILURE() << path.filename() << ": '" << text << "' gives " << got << ", expected " << expected;
        }
      }
    }
    std::printf("%s: %ld lines checked\n", path.filename().c_str(), file_checked);
  }
  std::printf("corpus: %ld of %ld lines checked, %ld mismatches\n", checked, lines, mismatches);
  RecordProperty("lines", static_cast<int>(lines));
  RecordProperty("checked", static_cast<int>(checked));
  EXPECT_GT(checked, 0) << "the corpus folder exists but no line was checked";
  EXPECT_EQ(mismatches, 0);
}

// The filter itself: the shapes that decide which lines are checked.
TEST(Corpus, ShapeOfText)
{
  EXPECT_TRUE(shape_of("1.5e-3").plain);
  EXPECT_TRUE(shape_of(".5").plain);
  EXPECT_TRUE(shape_of("-5.").plain);
  EXPECT_FALSE(shape_of("inf").plain);
  EXPECT_FALSE(shape_of("1e").plain);
  EXPECT_FALSE(shape_of("1.2.3").plain);
  EXPECT_FALSE(shape_of("0x1p3").plain);
  EXPECT_EQ(shape_of("000123000").significant, 3);
  EXPECT_EQ(shape_of("0.000120300e5").significant, 4);
  EXPECT_EQ(shape_of("0.0").significant, 0);
  EXPECT_TRUE(shape_of("1e4932").exponent_within_limit);
  EXPECT_FALSE(shape_of("1e-4933").exponent_within_limit);
  EXPECT_FALSE(recorded_inside_range(0x1p-1074));
  EXPECT_TRUE(recorded_inside_range(0x1p-1073));
  EXPECT_TRUE(recorded_inside_range(0x1.fffffffffffffp1022));
  EXPECT_FALSE(recorded_inside_range(0x1p1023));
  EXPECT_FALSE(recorded_inside_range(-0.0));
}

}  // namespace
