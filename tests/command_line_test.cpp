// Splitting a whole command line into arguments, for platforms that hand one string.
#include "app/command_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct Case {
  std::string_view line;
  std::vector<std::string> arguments;  // arguments 1 and up
};

void expect_all(const std::vector<Case>& cases)
{
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "command line [" << c.line << "]");
    EXPECT_EQ(vintrel::split_command_line(c.line), c.arguments);
  }
}

TEST(CommandLine, WordsAndBlanks)
{
  expect_all({
      {"", {}},
      {"prog", {}},
      {"prog   \t ", {}},
      {"prog gt 10 9.5", {"gt", "10", "9.5"}},
      {"prog  a \t\t b\tc  ", {"a", "b", "c"}},
      {"prog\ta\tb", {"a", "b"}},
      {"prog a\nb", {"a\nb"}},  // only spaces and tabs separate
      {"prog *.txt ?", {"*.txt", "?"}},  // no wildcard expansion
  });
}

TEST(CommandLine, QuotedStretches)
{
  expect_all({
      {R"(prog "a b")", {"a b"}},
      {"prog \"a\tb\"", {"a\tb"}},
      {R"(prog ab"c d"e)", {"abc de"}},  // a stretch in mid-word
      {R"(prog "a""b")", {"ab"}},
      {R"(prog "" x)", {"", "x"}},  // "" alone is an empty argument
      {R"(prog x "")", {"x", ""}},
      {R"(prog """")", {""}},
      {R"(prog a"" b)", {"a", "b"}},
      {R"(prog ")", {""}},  // a lone quote at the end
      {R"(prog a ")", {"a", ""}},
      {R"(prog "a b)", {"a b"}},  // runs to the end of the line
      {R"(prog "a  b   )", {"a  b   "}},
  });
}

TEST(CommandLine, Backslashes)
{
  expect_all({
      {R"(prog a\"b)", {R"(a"b)"}},      // a literal quote outside a stretch
      {R"(prog \")", {R"(")"}},
      {R"(prog "a\"b c")", {R"(a"b c)"}},  // inside, it does not close the stretch
      {R"(prog "abc\")", {R"(abc")"}},
      {R"(prog a\\"b c")", {R"(a\"b)", "c"}},  // \\" gives \ and a literal quote
      {R"(prog a\b \\server\share)", {R"(a\b)", R"(\\server\share)"}},
      {R"(prog a\)", {R"(a\)"}},
      {R"(prog "a\b")", {R"(a\b)"}},
  });
}

TEST(CommandLine, FirstWordIsPassedOver)
{
  expect_all({
      {R"("C:\Program Files\vintrel.exe" gt 1 2)", {"gt", "1", "2"}},
      {R"("prog"x y)", {"x", "y"}},  // what follows the closing quote starts argument 1
      {R"("prog"" a")", {" a"}},
      {R"("C:\dir\"x y)", {"x", "y"}},  // backslashes mean nothing in the first word
      {R"(C:\dir\prog.exe a)", {"a"}},
      {R"(pro\"g a)", {"a"}},
      {R"(prog"x y" z)", {"y z"}},  // an unquoted first word ends at the first blank
      {" \t prog a", {"a"}},
      {R"("" a)", {"a"}},
      {R"("prog a b)", {}},  // never closed: the whole line names the program
      {"\tprog\t\"a\"", {"a"}},
  });
}

}  // namespace
