#include <windows.h>

#include "app/output.hpp"
#include "app/write_all.hpp"

namespace vintrel {
namespace {

// Largest single WriteFile request; its byte count is a 32-bit DWORD.
constexpr std::size_t MAX_WRITE_BYTES = 1U << 30U;

}  // namespace

// WriteFile hands the bytes over as they are: no carriage return is added before a line
// feed and nothing is buffered, whatever the C runtime's text mode would do.
void write_all(const char* data, std::size_t size) noexcept
{
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) {
    return;  // no standard output at all: nothing can be written
  }
  while (size > 0) {
    const DWORD request = static_cast<DWORD>(size < MAX_WRITE_BYTES ? size : MAX_WRITE_BYTES);
    DWORD written = 0;
    if (WriteFile(output, data, request, &written, nullptr) == FALSE) {
      return;  // closed or broken output: nothing more can be done
    }
    if (written == 0) {
      // A full pipe in non-blocking mode takes nothing and reports success: wait for the
      // reader to make room rather than lose the rest of the line.
      Sleep(1);
      continue;
    }
    data += written;
    size -= written;
  }
}

// A write to a closed pipe fails with an error on Windows; there is no signal to ignore.
void prepare_output() noexcept {}

}  // namespace vintrel
