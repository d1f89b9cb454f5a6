#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

#include "app/output.hpp"
#include "app/write_all.hpp"

namespace vintrel {
namespace {

constexpr int STANDARD_OUTPUT = 1;

}  // namespace

void prepare_output() noexcept { std::signal(SIGPIPE, SIG_IGN); }

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

}  // namespace vintrel
