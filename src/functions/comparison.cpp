#include "functions/comparison.hpp"

#include <cstring>

#include "convert/equal_nocase.hpp"
#include "convert/parse_real.hpp"

namespace vintrel {
namespace {

enum class Relation { EQUAL_TEXT, GREATER, GREATER_EQUAL, LESS, LESS_EQUAL, CONTAINS, STARTS_WITH };

struct Entry {
  std::string_view name;
  Relation relation;
};

// Tried in this order; the first name that matches decides.
constexpr Entry COMPARISONS[] = {
    {"=", Relation::EQUAL_TEXT},    {"==", Relation::EQUAL_TEXT},   {"equals", Relation::EQUAL_TEXT},
    {"is", Relation::EQUAL_TEXT},   {"gt", Relation::GREATER},      {"ge", Relation::GREATER_EQUAL},
    {"lt", Relation::LESS},         {"le", Relation::LESS_EQUAL},   {"contains", Relation::CONTAINS},
    {"startswith", Relation::STARTS_WITH},
};

bool contains(std::string_view haystack, std::string_view needle) noexcept
{
#if defined(__GLIBC__)
  // glibc's memmem runs in linear time; a naive search of two long texts of repeated
  // bytes would take their product.
  return needle.empty() || ::memmem(haystack.data(), haystack.size(), needle.data(), needle.size()) != nullptr;
#else
  return haystack.find(needle) != std::string_view::npos;
#endif
}

bool holds(Relation relation, std::string_view first, std::string_view second) noexcept
{
  switch (relation) {
    case Relation::EQUAL_TEXT:
      return equal_nocase(first, second);
    case Relation::GREATER:
      return parse_real(first) > parse_real(second);
    case Relation::GREATER_EQUAL:
      return parse_real(first) >= parse_real(second);
    case Relation::LESS:
      return parse_real(first) < parse_real(second);
    case Relation::LESS_EQUAL:
      return parse_real(first) <= parse_real(second);
    case Relation::CONTAINS:
      return contains(first, second);
    case Relation::STARTS_WITH:
      return first.starts_with(second);
  }
  return false;
}

}  // namespace

Answer evaluate_comparison(std::string_view name, std::string_view first, std::string_view second) noexcept
{
  for (const Entry& entry : COMPARISONS) {
    if (equal_nocase(name, entry.name)) {
      return holds(entry.relation, first, second) ? ANSWER_HOLDS : ANSWER_FAILS;
    }
  }
  return ANSWER_NOT_HANDLED;
}

}  // namespace vintrel
