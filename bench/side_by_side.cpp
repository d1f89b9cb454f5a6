// side_by_side: runs a program and a reference program (the floor) with the same
// arguments and reports, for each, the median wall time of a run and the peak resident
// memory of the process.
//
//   side_by_side PAIRS FLOOR PROGRAM [ARGUMENT...]
//
// Wall time: PAIRS pairs of runs, the two programs in turn (floor then program, then
// program then floor, and so on, so that neither always runs first), each from just before
// posix_spawn to the return of waitpid, with standard input and output on /dev/null. A few
// unmeasured pairs warm the caches first.
//
// Peak memory: VmHWM of the process, read from /proc while the process is stopped at its
// exit under ptrace. This counts the program's own pages only; the rusage of a child would
// also count the pages of whatever ran in that process before the exec.
//
// Output, one line:
//   floor_median_us program_median_us ratio_of_medians median_pair_ratio floor_kib program_kib
// The median of the ratios within each pair is the steadier figure on a busy machine: the
// two runs of a pair share whatever else the machine was doing at the time.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int WARM_UP_PAIRS = 20;
constexpr int PEAK_MEMORY_RUNS = 5;

[[noreturn]] void fail(const char* what)
{
  std::fprintf(stderr, "side_by_side: %s: %s\n", what, std::strerror(errno));
  std::exit(2);
}

double now_us()
{
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// One run of argv[0] with argv; returns its wall time in microseconds.
double timed_run(char* const* argv, const posix_spawn_file_actions_t& actions)
{
  const double start = now_us();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) {
    fail(argv[0]);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) {
    fail("waitpid");
  }
  const double elapsed = now_us() - start;
  if (!WIFEXITED(status)) {
    std::fprintf(stderr, "side_by_side: %s did not exit normally\n", argv[0]);
    std::exit(2);
  }
  return elapsed;
}

// VmHWM of one run of argv[0], in KiB.
long peak_memory_kib(char* const* argv)
{
  const pid_t pid = fork();
  if (pid < 0) {
    fail("fork");
  }
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    execve(argv[0], argv, environ);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);  // stopped by the exec
  if (!WIFSTOPPED(status)) {
    std::fprintf(stderr, "side_by_side: %s could not be started\n", argv[0]);
    std::exit(2);
  }
  ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACEEXIT));
  ptrace(PTRACE_CONT, pid, nullptr, nullptr);
  long peak = -1;
  while (waitpid(pid, &status, 0) == pid) {
    if (WIFEXITED(status) || WIFSIGNALED(status)) {
      break;
    }
    if (WIFSTOPPED(status) && (status >> 8) == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      char path[64];
      std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
      if (FILE* file = std::fopen(path, "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, file) != nullptr) {
          if (std::strncmp(line, "VmHWM:", 6) == 0) {
            peak = std::strtol(line + 6, nullptr, 10);
          }
        }
        std::fclose(file);
      }
      ptrace(PTRACE_CONT, pid, nullptr, nullptr);
      continue;
    }
    // Pass any other signal on to the program.
    ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(WSTOPSIG(status))));
  }
  return peak;
}

double median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 4) {
    std::fprintf(stderr, "usage: side_by_side PAIRS FLOOR PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const int pairs = std::atoi(argv[1]);
  if (pairs < 1) {
    std::fprintf(stderr, "side_by_side: PAIRS must be at least 1\n");
    return 2;
  }
  // Both argument vectors share the arguments; only the path differs.
  std::vector<char*> floor_argv(argv + 2, argv + argc);
  floor_argv.erase(floor_argv.begin() + 1);
  floor_argv.push_back(nullptr);
  std::vector<char*> program_argv(argv + 3, argv + argc);
  program_argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

  std::vector<double> floor_times;
  std::vector<double> program_times;
  std::vector<double> pair_ratios;
  for (int i = 0; i < WARM_UP_PAIRS + pairs; ++i) {
    double floor_time = 0;
    double program_time = 0;
    if (i % 2 == 0) {
      floor_time = timed_run(floor_argv.data(), actions);
      program_time = timed_run(program_argv.data(), actions);
    }
    else {
      program_time = timed_run(program_argv.data(), actions);
      floor_time = timed_run(floor_argv.data(), actions);
    }
    if (i >= WARM_UP_PAIRS) {
      floor_times.push_back(floor_time);
      program_times.push_back(program_time);
      pair_ratios.push_back(program_time / floor_time);
    }
  }
  posix_spawn_file_actions_destroy(&actions);

  long floor_peak = 0;
  long program_peak = 0;
  for (int i = 0; i < PEAK_MEMORY_RUNS; ++i) {
    floor_peak = std::max(floor_peak, peak_memory_kib(floor_argv.data()));
    program_peak = std::max(program_peak, peak_memory_kib(program_argv.data()));
  }

  const double floor_median = median(floor_times);
  const double program_median = median(program_times);
  std::printf("%.1f %.1f %.3f %.3f %ld %ld\n", floor_median, program_median, program_median / floor_median,
              median(pair_ratios), floor_peak, program_peak);
  return 0;
}
