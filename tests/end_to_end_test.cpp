// The built executable, started as a host would start it: an exact argument vector in,
// the bytes on standard output, the bytes on standard error and the exit status out.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "app/result_line.hpp"

extern char** environ;

namespace {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;  // the exit status, or -1 when the process did not exit normally
};

// How the child's standard output is set up.
enum class Output { PIPE, READER_GONE, CLOSED };

// Reads both pipes until both reach their end, so that a child that fills one of them
// cannot block.
void drain(int out_fd, int err_fd, std::string& out, std::string& err)
{
  std::array<pollfd, 2> fds{pollfd{out_fd, POLLIN, 0}, pollfd{err_fd, POLLIN, 0}};
  std::array<std::string*, 2> sinks{&out, &err};
  int open = 0;
  for (const pollfd& fd : fds) {
    open += fd.fd >= 0 ? 1 : 0;
  }
  char buffer[65536];
  while (open > 0) {
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      ADD_FAILURE() << "poll failed";
      return;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      }
      else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

Outcome run_vintrel(const std::vector<std::string>& arguments, Output output = Output::PIPE)
{
  Outcome outcome;
  std::vector<char*> argv;
  std::string program = VINTREL_EXECUTABLE;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe failed";
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (output == Output::CLOSED) {
    posix_spawn_file_actions_addclose(&actions, 1);
  }
  else {
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  }
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (spawned != 0) {
    ::close(out_pipe[0]);
    ::close(err_pipe[0]);
    ADD_FAILURE() << "cannot start " << argv[0];
    return outcome;
  }
  if (output == Output::READER_GONE) {
    ::close(out_pipe[0]);
    out_pipe[0] = -1;
  }
  drain(out_pipe[0], err_pipe[0], outcome.out, outcome.err);

  int wait_status = 0;
  while (::waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wait_status)) {
    outcome.status = WEXITSTATUS(wait_status);
  }
  else {
    ADD_FAILURE() << "the process did not exit normally (wait status " << wait_status << ")";
  }
  return outcome;
}

std::string result_line(std::string_view name, std::string_view value)
{
  return std::string(name) + "=" + std::string(value) + "&copyright=Brellwin";
}

struct Case {
  std::vector<std::string> arguments;
  std::string out;
  int status;
};

TEST(EndToEnd, ExactOutputAndStatus)
{
  const std::string error(vintrel::ERROR_LINE);
  const std::string just_past_stack(5000, 'y');  // longer than a line built on the stack
  const std::string long_argument(100000, 'x');
  const std::vector<Case> cases = {
      {{}, error, 1},
      {{"round"}, error, 1},
      {{"equals", "Yes", "yes"}, result_line("result", "true"), 1},
      {{"gt", "10", "9.5", "bigger", "yes", "no"}, result_line("bigger", "yes"), 1},
      {{"lt", "10", "9.5", "smaller"}, result_line("smaller", "false"), 0},
      {{"gt", "+NAN", "1"}, result_line("result", "false"), 0},
      {{"+", "7", "5", "total"}, result_line("total", "12"), 0},
      {{"-", "-2147483648", "1"}, result_line("result", "2147483647"), 0},
      {{"/", "7", "0"}, error, 1},
      {{"+", "7"}, error, 1},
      {{"round", "2.5", "n", "m"}, result_line("n", "3"), 0},
      {{"rounddown", "3000000000"}, result_line("result", "-1294967296"), 0},
      {{"assign", "a&b=c", "v"}, result_line("v", "a&b=c"), 0},
      {{"ASSIGN", "x"}, result_line("result", "x"), 0},
      {{"assign", ""}, result_line("result", ""), 0},
      {{"assign", "line\nbreak \xff\x01", "v"}, result_line("v", "line\nbreak \xff\x01"), 0},
      {{"frobnicate", "1", "2"}, error, 1},
      {{"gt", "1", "2", "r", "t", "f", "7th", "8th"}, result_line("r", "f"), 0},
      {{"assign", just_past_stack, "v"}, result_line("v", just_past_stack), 0},
      {{"assign", long_argument, "v"}, result_line("v", long_argument), 0},
      {{"equals", long_argument, long_argument, long_argument}, result_line(long_argument, "true"), 1},
  };
  for (const Case& c : cases) {
    std::string description = "vintrel";
    for (const std::string& argument : c.arguments) {
      description += " '" + argument.substr(0, 40) + (argument.size() > 40 ? "...'" : "'");
    }
    SCOPED_TRACE(description);
    const Outcome result = run_vintrel(c.arguments);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, c.status);
  }
}

// When nobody reads the line, the exit status still tells the outcome: the process is
// neither killed by the broken pipe nor led to report something else.
TEST(EndToEnd, StatusSurvivesAnUnreadOutput)
{
  const std::string long_argument(100000, 'x');
  for (const Output output : {Output::READER_GONE, Output::CLOSED}) {
    SCOPED_TRACE(output == Output::CLOSED ? "standard output closed" : "reader gone");
    const Outcome held = run_vintrel({"equals", long_argument, long_argument}, output);
    EXPECT_EQ(held.status, 1);
    EXPECT_EQ(held.err, "");
    const Outcome failed = run_vintrel({"lt", "2", "1"}, output);
    EXPECT_EQ(failed.status, 0);
    EXPECT_EQ(run_vintrel({"/", "1", "0"}, output).status, 1);
  }
}

}  // namespace
