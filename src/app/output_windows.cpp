#include <windows.h>

#include <cstdlib>

#include "app/output.hpp"
#include "app/result_line.hpp"

namespace vintrel {
namespace {

// Lines up to this size are built on the stack; longer ones (long operands) on the heap.
constexpr std::size_t STACK_LINE_BYTES = 4096;

// Largest single WriteFile request; its byte count is a 32-bit DWORD.
constexpr std::size_t MAX_WRITE_BYTES = 1U << 30U;

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

}  // namespace

// A write to a closed pipe fails with an error on Windows; there is no signal to ignore.
void prepare_output() noexcept {}

void print_line(const Evaluation& evaluation) noexcept
{
  const std::size_t length = line_length(evaluation);
  char stack_buffer[STACK_LINE_BYTES];
  char* buffer = stack_buffer;
  if (length > sizeof stack_buffer) {
    buffer = static_cast<char*>(std::malloc(length));
  }
  if (buffer == nullptr) {
    // No memory for the whole line: write it piece by piece rather than lose it.
    char digits[INT32_TEXT_MAX];
    switch (evaluation.kind) {
      case Evaluation::Kind::TEXT:
      case Evaluation::Kind::INTEGER:
        write_all(evaluation.name.data(), evaluation.name.size());
        write_all("=", 1);
        if (evaluation.kind == Evaluation::Kind::TEXT) {
          write_all(evaluation.text.data(), evaluation.text.size());
        }
        else {
          write_all(digits, format_int32(evaluation.integer, digits));
        }
        write_all(RESULT_SUFFIX.data(), RESULT_SUFFIX.size());
        break;
      case Evaluation::Kind::ERROR:
        write_all(ERROR_LINE.data(), ERROR_LINE.size());
        break;
    }
    return;
  }
  write_all(buffer, render_line(evaluation, buffer));
  if (buffer != stack_buffer) {
    std::free(buffer);
  }
}

}  // namespace vintrel
