// The command-line splitter: quoting an argument list by the splitting rules and
// splitting it again gives the list back, and no input crashes the splitter.
//
// Input: the first byte chooses the layout (bits below), the second is the separator;
// the rest is split on the separator into the program's name and its arguments.
//
// The whole input is also split as a command line of its own; quoting that result and
// splitting again must give it back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.hpp"
#include "check.hpp"

namespace {

using vintrel::fuzz::require;

// Layout choices, one bit each.
constexpr unsigned QUOTE_PROGRAM = 1U << 0;     // quote the program's name even when plain
constexpr unsigned TAB_BETWEEN = 1U << 1;       // separate words by tabs, not spaces
constexpr unsigned LEADING_BLANKS = 1U << 2;    // blanks before the program's name
constexpr unsigned GLUE_FIRST = 1U << 3;        // argument 1 directly behind a quoted name
constexpr unsigned WIDE_BLANKS = 1U << 4;       // runs of blanks between words and at the end
constexpr unsigned QUOTE_WHOLE_WORDS = 1U << 5; // quote whole words, not just blank runs

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Appends word so that the splitter reads it back as exactly one argument.
//
// A literal double quote becomes \". A backslash is otherwise ordinary, except directly
// before a double quote; so no syntactic quote may follow a backslash of the word. Blank
// runs sit inside a quoted stretch that opens before any backslashes just ahead of the
// run and closes right behind it (the last byte inside is a blank). A whole-word quote
// closes before the word's trailing backslashes, which follow outside.
void quote(std::string_view word, bool whole, std::string& out)
{
  if (word.empty()) {
    out += "\"\"";
    return;
  }
  std::size_t end = word.size();
  if (whole) {
    while (end > 0 && word[end - 1] == '\\') {
      --end;
    }
    out += '"';
  }
  for (std::size_t i = 0; i < end;) {
    if (word[i] == '"') {
      out += "\\\"";
      ++i;
      continue;
    }
    if (!whole) {
      // A run of backslashes followed by blanks: open the stretch before the backslashes.
      std::size_t j = i;
      while (j < end && word[j] == '\\') {
        ++j;
      }
      if (j < end && is_blank(word[j])) {
        out += '"';
        out.append(word.substr(i, j - i));
        while (j < end && is_blank(word[j])) {
          out += word[j++];
        }
        out += '"';
        i = j;
        continue;
      }
      if (j > i) {
        out.append(word.substr(i, j - i));
        i = j;
        continue;
      }
    }
    out += word[i++];
  }
  if (whole) {
    out += '"';
    out.append(word.substr(end));
  }
}

std::string join(const std::string& program, const std::vector<std::string>& arguments, unsigned layout)
{
  const std::string blank = (layout & TAB_BETWEEN) != 0 ? "\t" : " ";
  const std::string gap = (layout & WIDE_BLANKS) != 0 ? blank + " \t" : blank;
  std::string line = (layout & LEADING_BLANKS) != 0 ? gap : "";

  // The first word ends at its closing quote when it starts with one, else at a blank;
  // backslashes mean nothing in it. A name with a blank, an empty one, or one that
  // starts with a quote must be quoted, and then cannot hold a quote.
  std::string name;
  bool needs_quotes = program.empty() || program.front() == '"' || (layout & QUOTE_PROGRAM) != 0;
  for (const char c : program) {
    needs_quotes = needs_quotes || is_blank(c);
  }
  for (const char c : program) {
    if (!needs_quotes || c != '"') {
      name += c;
    }
  }
  if (needs_quotes) {
    line += '"' + name + '"';
  }
  else {
    line += name;
  }

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0 || !needs_quotes || (layout & GLUE_FIRST) == 0) {
      line += gap;
    }
    quote(arguments[i], (layout & QUOTE_WHOLE_WORDS) != 0, line);
  }
  if ((layout & WIDE_BLANKS) != 0) {
    line += gap;
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view raw{reinterpret_cast<const char*>(data), size};

  // Any bytes at all: the splitter must not fail, and its result must survive quoting.
  const std::vector<std::string> split = vintrel::split_command_line(raw);
  for (const unsigned layout : {0U, QUOTE_PROGRAM | QUOTE_WHOLE_WORDS | WIDE_BLANKS}) {
    require(vintrel::split_command_line(join("vintrel", split, layout)) == split,
            "a split command line, quoted again, splits the same");
  }

  if (size < 2) {
    return 0;
  }
  const unsigned layout = data[0];
  const char separator = static_cast<char>(data[1]);
  std::string program;
  std::vector<std::string> arguments;
  for (std::size_t i = 2; i < size; ++i) {
    const auto c = static_cast<char>(data[i]);
    if (c == separator) {
      arguments.emplace_back();
    }
    else {
      (arguments.empty() ? program : arguments.back()) += c;
    }
  }
  require(vintrel::split_command_line(join(program, arguments, layout)) == arguments,
          "a quoted argument list splits back into itself");
  return 0;
}
