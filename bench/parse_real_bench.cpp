// The real-number reader against glibc's strtod and std::from_chars, on the same texts.
//
// The texts come from the parse-number-fxx corpus when its folder exists (each line holds
// the expected bits, then the text from column 31 on), else from a seeded generator of
// decimal numbers of the kinds the corpus holds. Each benchmark reads every text once per
// iteration and reports the bytes and texts per second.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "convert/parse_real.hpp"

namespace {

// Column at which the decimal text starts on a corpus line.
constexpr std::size_t CORPUS_TEXT_COLUMN = 31;
constexpr int GENERATED_TEXTS = 20000;
constexpr std::uint64_t GENERATOR_SEED = 20240229;

std::vector<std::string> read_corpus(const std::filesystem::path& folder)
{
  std::vector<std::string> texts;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".txt") {
      continue;
    }
    std::ifstream file(entry.path());
    std::string line;
    while (std::getline(file, line)) {
      if (line.size() > CORPUS_TEXT_COLUMN) {
        texts.push_back(line.substr(CORPUS_TEXT_COLUMN));
      }
    }
  }
  return texts;
}

// Random doubles written with 17 significant digits, integers of up to 20 digits, and short
// decimals with exponents.
std::vector<std::string> generate_texts()
{
  std::mt19937_64 random(GENERATOR_SEED);
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<std::uint64_t> bits(0, 0x7FEFFFFFFFFFFFFFULL);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::vector<std::string> texts;
  char buffer[64];
  for (int i = 0; i < GENERATED_TEXTS; ++i) {
    switch (kind(random)) {
      case 0: {
        double value = 0;
        const std::uint64_t pattern = bits(random);
        std::memcpy(&value, &pattern, sizeof value);
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        break;
      }
      case 1:
        std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(random() >> (random() % 60)));
        break;
      default:
        std::snprintf(buffer, sizeof buffer, "%llu.%llue%d", static_cast<unsigned long long>(random() % 100000),
                      static_cast<unsigned long long>(random() % 1000), exponent(random));
        break;
    }
    texts.emplace_back(buffer);
  }
  return texts;
}

const std::vector<std::string>& texts()
{
  static const std::vector<std::string> all = [] {
    std::vector<std::string> found = read_corpus(VINTREL_CORPUS_DIR);
    return found.empty() ? generate_texts() : found;
  }();
  return all;
}

template <typename Reader>
void run(benchmark::State& state, Reader reader)
{
  const std::vector<std::string>& all = texts();
  std::size_t bytes = 0;
  for (const std::string& text : all) {
    bytes += text.size();
  }
  for (auto _ : state) {
    for (const std::string& text : all) {
      benchmark::DoNotOptimize(reader(text));
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
  state.counters["texts"] = static_cast<double>(all.size());
}

void parse_real(benchmark::State& state)
{
  run(state, [](const std::string& text) { return vintrel::parse_real(text); });
}

void strtod(benchmark::State& state)
{
  run(state, [](const std::string& text) { return std::strtod(text.c_str(), nullptr); });
}

void from_chars(benchmark::State& state)
{
  run(state, [](const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  });
}

}  // namespace

BENCHMARK(parse_real);
BENCHMARK(strtod);
BENCHMARK(from_chars);

BENCHMARK_MAIN();
