#include "convert/equal_nocase.hpp"

#include <cstddef>

namespace vintrel {
namespace {

// Folds only a to z: std::toupper would consult the locale and could fold other bytes.
constexpr char fold(char c) noexcept
{
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

}  // namespace

bool equal_nocase(std::string_view a, std::string_view b) noexcept
{
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace vintrel
