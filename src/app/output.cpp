#include "app/output.hpp"

#include <cstdlib>

#include "app/result_line.hpp"
#include "app/write_all.hpp"

namespace vintrel {
namespace {

// Lines up to this size are built on the stack; longer ones (long operands) on the heap.
constexpr std::size_t STACK_LINE_BYTES = 4096;

// Without memory for the whole line, it goes out piece by piece rather than not at all.
void write_in_pieces(const Evaluation& evaluation) noexcept
{
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
}

}  // namespace

void print_line(const Evaluation& evaluation) noexcept
{
  const std::size_t length = line_length(evaluation);
  char stack_buffer[STACK_LINE_BYTES];
  char* buffer = stack_buffer;
  if (length > sizeof stack_buffer) {
    buffer = static_cast<char*>(std::malloc(length));
    if (buffer == nullptr) {
      write_in_pieces(evaluation);
      return;
    }
  }
  write_all(buffer, render_line(evaluation, buffer));
  if (buffer != stack_buffer) {
    std::free(buffer);
  }
}

}  // namespace vintrel
