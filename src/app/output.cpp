#include "app/output.hpp"

#include <cstdlib>
#include <string_view>

#include "app/result_line.hpp"
#include "app/write_all.hpp"

namespace vintrel {
namespace {

// Lines up to this size are built on the stack; longer ones (long operands) on the heap.
constexpr std::size_t STACK_LINE_BYTES = 4096;

void write_piece(std::string_view piece) noexcept { write_all(piece.data(), piece.size()); }

}  // namespace

void print_line(const Evaluation& evaluation) noexcept
{
  const std::size_t length = line_length(evaluation);
  char stack_buffer[STACK_LINE_BYTES];
  char* buffer = stack_buffer;
  if (length > sizeof stack_buffer) {
    buffer = static_cast<char*>(std::malloc(length));
    if (buffer == nullptr) {
      // Without memory for the whole line, it goes out piece by piece rather than not at
      // all.
      for_each_piece(evaluation, write_piece);
      return;
    }
  }
  write_all(buffer, render_line(evaluation, buffer));
  if (buffer != stack_buffer) {
    std::free(buffer);
  }
}

}  // namespace vintrel
