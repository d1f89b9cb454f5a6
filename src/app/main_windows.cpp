// vintrel on Windows: evaluates one function of its arguments and prints one line.
//
// A Windows program receives one command-line string, not an argument vector. The C
// runtime would split it by its own rules, which differ between runtimes and versions, so
// the program splits the string itself and gets the same arguments wherever it runs.
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/evaluate.hpp"
#include "app/output.hpp"

namespace {

// Room for the module path; a longer path is cut short, which does no harm because
// argument 0 is never read.
constexpr DWORD MODULE_PATH_CHARS = MAX_PATH;

}  // namespace

int main()
{
  vintrel::prepare_output();

  char module_path[MODULE_PATH_CHARS] = {};
  GetModuleFileNameA(nullptr, module_path, MODULE_PATH_CHARS);

  const char* const command_line = GetCommandLineA();
  const std::vector<std::string> words = vintrel::split_command_line(command_line != nullptr ? command_line : "");

  // Argument 0 is the program's own file, then the words after the program name.
  std::vector<const char*> arguments;
  arguments.reserve(words.size() + 1);
  arguments.push_back(module_path);
  for (const std::string& word : words) {
    arguments.push_back(word.c_str());
  }

  const vintrel::Evaluation evaluation = vintrel::evaluate(static_cast<int>(arguments.size()), arguments.data());
  vintrel::print_line(evaluation);
  return evaluation.status;
}
