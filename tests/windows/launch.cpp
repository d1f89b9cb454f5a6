// Test launcher: starts a program with a command-line string taken byte for byte from a
// file, so that every splitting rule can be tried with exactly the string Windows would
// hand over, and passes on the program's output and exit status.
//
//   launch <program.exe> <file holding the whole command line, program name included>
//
// The program gets this launcher's standard handles, so its bytes reach the launcher's
// output unchanged. The launcher's own failures go to standard error with status 125.
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int LAUNCH_FAILED = 125;

// Longest command line that CreateProcess takes, in characters, without the final NUL.
constexpr std::size_t COMMAND_LINE_MAX = 32767;

int fail(const char* what)
{
  std::fprintf(stderr, "launch: %s (error %lu)\n", what, GetLastError());
  return LAUNCH_FAILED;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 3) {
    std::fprintf(stderr, "usage: launch <program.exe> <command-line file>\n");
    return LAUNCH_FAILED;
  }

  std::FILE* file = std::fopen(argv[2], "rb");
  if (file == nullptr) {
    return fail("cannot open the command-line file");
  }
  // CreateProcessA may write into the command line, so it lives in a buffer of its own.
  std::vector<char> command_line(COMMAND_LINE_MAX + 2, '\0');
  const std::size_t length = std::fread(command_line.data(), 1, command_line.size() - 1, file);
  std::fclose(file);
  if (length > COMMAND_LINE_MAX) {
    return fail("the command line is too long");
  }

  const HANDLE standard[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                             GetStdHandle(STD_ERROR_HANDLE)};
  for (const HANDLE handle : standard) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
      SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = standard[0];
  startup.hStdOutput = standard[1];
  startup.hStdError = standard[2];

  PROCESS_INFORMATION process = {};
  if (CreateProcessA(argv[1], command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process) == FALSE) {
    return fail("cannot start the program");
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const BOOL got_status = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (got_status == FALSE) {
    return fail("cannot read the exit status");
  }
  return static_cast<int>(status);
}
