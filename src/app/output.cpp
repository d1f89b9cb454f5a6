#include "app/output.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>

#include "app/result_line.hpp"

namespace vintrel {
namespace {

// Lines up to this size are built on the stack; longer ones (long operands) on the heap.
constexpr std::size_t STACK_LINE_BYTES = 4096;

constexpr int STANDARD_OUTPUT = 1;

void write_all(const char* data, std::size_t size) noexcept
{
  while (size > 0) {
    const ssize_t written = ::write(STANDARD_OUTPUT, data, size);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // The host handed over a non-blocking pipe or socket and it is full: wait until
        // the reader has made room rather than lose the rest of the line.
        pollfd output{STANDARD_OUTPUT, POLLOUT, 0};
        if (::poll(&output, 1, -1) >= 0 || errno == EINTR) {
          continue;
        }
      }
      return;  // closed or broken output: nothing more can be done
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

}  // namespace

void prepare_output() noexcept { std::signal(SIGPIPE, SIG_IGN); }

void print_line(const Evaluation& evaluation) noexcept
{
  const std::size_t length = line_length(evaluation);
  char stack_buffer[STACK_LINE_BYTES];
  char* buffer = stack_buffer;
  if (length > sizeof stack_buffer) {
    buffer = static_cast<char*>(std::malloc(length));
  }
  if (buffer != nullptr) {
    write_all(buffer, render_line(evaluation, buffer));
  }
  else {
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
  if (buffer != stack_buffer) {
    std::free(buffer);
  }
}

}  // namespace vintrel
