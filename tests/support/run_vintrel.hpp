#pragma once

// Starts the built vintrel the way a host does and collects all that comes back: the
// bytes on standard output and on standard error, and how the process ended.

#include <string>
#include <vector>

namespace vintrel::test_support {

enum class Output {
  PIPE,                   // a pipe read to its end
  SLOW_PIPE,              // a one-page pipe, read a few bytes at a time with pauses
  SLOW_NONBLOCKING_PIPE,  // the same, with the writer's end set non-blocking
  CLOSED,                 // standard output is not open at all
  READER_GONE,            // a pipe whose read end was closed before the start
};

struct RunResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when a signal ended the run
  int signal = 0;   // the signal that ended the run, or 0
};

// Starts vintrel with arguments (after argument 0), an empty environment and standard
// input from /dev/null, and collects what it writes. The child starts with SIGPIPE at its
// default action and no signal blocked, so a write to a broken pipe would kill it unless
// the program itself guards against that. A run that prints nothing for minutes is
// killed and reported as a test failure.
RunResult run_vintrel(const std::vector<std::string>& arguments, Output output = Output::PIPE);

// name=value followed by the suffix of every result line.
std::string result_line(const std::string& name, const std::string& value);

// The arguments shortened for a test trace: long ones by their length.
std::string describe(const std::vector<std::string>& arguments);

}  // namespace vintrel::test_support
