#include "support/run_vintrel.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "app/result_line.hpp"

namespace vintrel::test_support {
namespace {

// A run that has printed nothing for this long is taken to hang. Generous, so that it
// holds under valgrind too; it only keeps a hang from stalling the suite.
constexpr int HANG_SECONDS = 300;

void pause_milliseconds(long milliseconds)
{
  timespec delay{milliseconds / 1000, (milliseconds % 1000) * 1000000};
  while (nanosleep(&delay, &delay) != 0 && errno == EINTR) {
  }
}

// Reads both pipes to their ends. In slow mode standard output is read a few bytes at a
// time, after a pause that lets the writer fill the pipe, with further pauses between.
bool drain(int out_fd, int err_fd, bool slow, RunResult& run)
{
  std::size_t slow_reads = 0;
  if (slow) {
    pause_milliseconds(100);
  }
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    const int ready = ::poll(fds, 2, HANG_SECONDS * 1000);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0) {
      return false;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      char buffer[65536];
      // Slow reads take 1 to 7 bytes, pausing after every 4096 of them.
      const std::size_t want = (slow && i == 0) ? 1 + slow_reads % 7 : sizeof buffer;
      const ssize_t got = ::read(fds[i].fd, buffer, want);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        continue;
      }
      sinks[i]->append(buffer, static_cast<std::size_t>(got));
      if (slow && i == 0 && ++slow_reads % 4096 == 0) {
        pause_milliseconds(2);
      }
    }
  }
  return true;
}

}  // namespace

RunResult run_vintrel(const std::vector<std::string>& arguments, Output output)
{
  RunResult run;
  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) {
    ADD_FAILURE() << "pipe2: " << std::strerror(errno);
    return run;
  }
  const bool slow = output == Output::SLOW_PIPE || output == Output::SLOW_NONBLOCKING_PIPE;
  if (slow) {
    // The smallest pipe the system allows (one page), so that a long line fills it many
    // times over.
    ::fcntl(out_pipe[1], F_SETPIPE_SZ, 4096);
  }
  if (output == Output::SLOW_NONBLOCKING_PIPE) {
    ::fcntl(out_pipe[1], F_SETFL, ::fcntl(out_pipe[1], F_GETFL) | O_NONBLOCK);
  }
  if (output == Output::READER_GONE) {
    ::close(out_pipe[0]);
    out_pipe[0] = -1;
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

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(VINTREL_EXECUTABLE));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  char* environment[] = {nullptr};

  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, VINTREL_EXECUTABLE, &actions, &attributes, argv.data(), environment);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  if (spawned != 0) {
    ADD_FAILURE() << "posix_spawn: " << std::strerror(spawned);
    if (out_pipe[0] >= 0) {
      ::close(out_pipe[0]);
    }
    ::close(err_pipe[0]);
    return run;
  }

  if (!drain(out_pipe[0], err_pipe[0], slow, run)) {
    ADD_FAILURE() << "vintrel printed nothing for " << HANG_SECONDS << " s; killed";
    ::kill(pid, SIGKILL);
  }
  int wait_status = 0;
  while (::waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wait_status)) {
    run.status = WEXITSTATUS(wait_status);
  }
  else if (WIFSIGNALED(wait_status)) {
    run.signal = WTERMSIG(wait_status);
  }
  return run;
}

std::string result_line(const std::string& name, const std::string& value)
{
  return name + '=' + value + std::string{vintrel::RESULT_SUFFIX};
}

std::string describe(const std::vector<std::string>& arguments)
{
  std::string text;
  for (const std::string& argument : arguments) {
    text += argument.size() > 40 ? "<" + std::to_string(argument.size()) + " bytes>" : "'" + argument + "'";
    text += ' ';
  }
  return text;
}

}  // namespace vintrel::test_support
