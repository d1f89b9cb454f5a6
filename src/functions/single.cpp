#include "functions/single.hpp"

#include "convert/equal_nocase.hpp"
#include "convert/parse_integer.hpp"
#include "convert/parse_real.hpp"
#include "convert/truncate_to_int.hpp"

namespace vintrel {
namespace {

enum class Operation { ROUND_UP, ROUND_DOWN, ROUND, INCREMENT, DECREMENT };

struct Entry {
  std::string_view name;
  Operation operation;
};

constexpr Entry OPERATIONS[] = {
    {"roundup", Operation::ROUND_UP}, {"rounddown", Operation::ROUND_DOWN}, {"round", Operation::ROUND},
    {"++", Operation::INCREMENT},     {"--", Operation::DECREMENT},
};

std::int32_t apply(Operation operation, std::string_view operand) noexcept
{
  switch (operation) {
    case Operation::ROUND_UP:
      return truncate_to_int(parse_real(operand) + ROUNDUP_BIAS);
    case Operation::ROUND_DOWN:
      return truncate_to_int(parse_real(operand));
    case Operation::ROUND:
      return truncate_to_int(parse_real(operand) + ROUND_BIAS);
    case Operation::INCREMENT:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(parse_integer(operand)) + 1U);
    case Operation::DECREMENT:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(parse_integer(operand)) - 1U);
  }
  return 0;
}

}  // namespace

Answer evaluate_single(std::string_view name, std::string_view operand, std::int32_t& result) noexcept
{
  for (const Entry& entry : OPERATIONS) {
    if (equal_nocase(name, entry.name)) {
      result = apply(entry.operation, operand);
      return ANSWER_WRITTEN;
    }
  }
  return ANSWER_NOT_HANDLED;
}

}  // namespace vintrel
