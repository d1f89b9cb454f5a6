#include "functions/arithmetic.hpp"

#include "convert/equal_nocase.hpp"
#include "convert/parse_integer.hpp"

namespace vintrel {
namespace {

enum class Operation { ADD, SUBTRACT, DIVIDE, MULTIPLY, REMAINDER };

struct Entry {
  std::string_view name;
  Operation operation;
};

constexpr Entry OPERATIONS[] = {
    {"+", Operation::ADD},      {"-", Operation::SUBTRACT},  {"/", Operation::DIVIDE},
    {"*", Operation::MULTIPLY}, {"%", Operation::REMAINDER},
};

// Sums, differences and products wrap: computed on unsigned values, converted back once.
std::int32_t wrap(std::uint32_t value) noexcept { return static_cast<std::int32_t>(value); }

// Division and remainder for b != 0. The machine's division traps on -2147483648 / -1,
// whose true quotient 2^31 does not fit, so that case is answered here: it wraps to
// -2147483648, with remainder 0, like every other operation.
std::int32_t divide(std::int32_t a, std::int32_t b) noexcept { return (b == -1) ? wrap(0U - static_cast<std::uint32_t>(a)) : a / b; }

std::int32_t remainder(std::int32_t a, std::int32_t b) noexcept { return (b == -1) ? 0 : a % b; }

}  // namespace

Answer evaluate_arithmetic(std::string_view name, std::string_view first, std::string_view second,
                           std::int32_t& result) noexcept
{
  for (const Entry& entry : OPERATIONS) {
    if (!equal_nocase(name, entry.name)) {
      continue;
    }
    const std::int32_t a = parse_integer(first);
    const std::int32_t b = parse_integer(second);
    const auto ua = static_cast<std::uint32_t>(a);
    const auto ub = static_cast<std::uint32_t>(b);
    switch (entry.operation) {
      case Operation::ADD:
        result = wrap(ua + ub);
        return ANSWER_WRITTEN;
      case Operation::SUBTRACT:
        result = wrap(ua - ub);
        return ANSWER_WRITTEN;
      case Operation::MULTIPLY:
        result = wrap(ua * ub);
        return ANSWER_WRITTEN;
      case Operation::DIVIDE:
        if (b == 0) {
          return ANSWER_NOT_HANDLED;
        }
        result = divide(a, b);
        return ANSWER_WRITTEN;
      case Operation::REMAINDER:
        if (b == 0) {
          return ANSWER_NOT_HANDLED;
        }
        result = remainder(a, b);
        return ANSWER_WRITTEN;
    }
  }
  return ANSWER_NOT_HANDLED;
}

}  // namespace vintrel
