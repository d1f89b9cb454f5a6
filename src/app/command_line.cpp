#include "app/command_line.hpp"

#include <cstddef>
#include <utility>

namespace vintrel {
namespace {

constexpr bool is_blank(char c) noexcept { return c == ' ' || c == '\t'; }

// Index just past the first word of line.
std::size_t skip_program_name(std::string_view line) noexcept
{
  std::size_t i = 0;
  while (i < line.size() && is_blank(line[i])) {
    ++i;
  }
  if (i < line.size() && line[i] == '"') {
    const std::size_t close = line.find('"', i + 1);
    return close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !is_blank(line[i])) {
    ++i;
  }
  return i;
}

}  // namespace

std::vector<std::string> split_command_line(std::string_view command_line)
{
  std::vector<std::string> arguments;
  std::string word;
  bool in_word = false;    // a word has started, even if it is still empty ("")
  bool in_quotes = false;  // inside a quoted stretch
  for (std::size_t i = skip_program_name(command_line); i < command_line.size(); ++i) {
    const char c = command_line[i];
    if (c == '\\' && i + 1 < command_line.size() && command_line[i + 1] == '"') {
      word += '"';
      in_word = true;
      ++i;
    }
    else if (c == '"') {
      in_quotes = !in_quotes;
      in_word = true;
    }
    else if (is_blank(c) && !in_quotes) {
      if (in_word) {
        arguments.push_back(std::move(word));
        word.clear();
        in_word = false;
      }
    }
    else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) {
    arguments.push_back(std::move(word));
  }
  return arguments;
}

}  // namespace vintrel
