#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vintrel {

// Splits a whole command line, as some platforms hand it to a program, into arguments 1
// and up; the first word, which names the program, is passed over.
//
//   - words are separated by runs of spaces and tabs;
//   - a double quote opens a stretch that runs to the next double quote or the end of the
//     line; the quotes are dropped and spaces and tabs inside are kept. A stretch may sit
//     in mid-word: ab"c d"e is the one argument 'abc de'; "" alone, or a lone " at the
//     end, is an empty argument;
//   - a backslash directly before a double quote makes it a literal double quote, inside
//     or outside a stretch; every other backslash is an ordinary byte, so \\" gives \";
//   - no wildcard is expanded;
//   - the first word ends, after leading blanks, at the closing quote if it starts with a
//     double quote (what follows directly starts argument 1), otherwise at the next space,
//     tab or the end; backslashes mean nothing in it.
std::vector<std::string> split_command_line(std::string_view command_line);

}  // namespace vintrel
