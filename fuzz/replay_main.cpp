// Runs a fuzz target over files without libFuzzer, so that a crash found by the fuzzer
// reproduces with any compiler and under any debugger:
//
//   fuzz_<target>_replay crash-1234 corpus/<target>/
//
// Each argument is a file or a folder; a folder's regular files are run in name order.
// A violated property aborts inside the target, as it does under libFuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool read_file(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  bytes.clear();
  std::uint8_t block[4096];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

// Runs the target on one file; the input is copied to a buffer of exactly its size so
// that a read past its end is caught as it would be under libFuzzer.
bool replay(const std::filesystem::path& path)
{
  std::vector<std::uint8_t> bytes;
  if (!read_file(path, bytes)) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  LLVMFuzzerTestOneInput(exact.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv)
{
  std::size_t inputs = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
      ok = replay(path) && ok;
      ++inputs;
      continue;
    }
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
      if (it->is_regular_file(error)) {
        files.push_back(it->path());
      }
    }
    if (error) {
      std::fprintf(stderr, "cannot list %s: %s\n", path.c_str(), error.message().c_str());
      ok = false;
      continue;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
      ok = replay(file) && ok;
      ++inputs;
    }
  }
  if (inputs == 0) {
    std::fprintf(stderr, "usage: %s FILE|FOLDER...\n", argc > 0 ? argv[0] : "replay");
    return 2;
  }
  std::printf("replayed %zu inputs\n", inputs);
  return ok ? 0 : 1;
}
