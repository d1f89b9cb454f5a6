#pragma once

namespace vintrel {

// What a function family answers for a function name and its operands.
enum Answer : int {
  ANSWER_NOT_HANDLED = -1,  // not one of the family's names, or operands it refuses
  ANSWER_FAILS = 0,         // the comparison fails
  ANSWER_WRITTEN = 0,       // an integer family has written its result
  ANSWER_HOLDS = 1,         // the comparison holds
};

}  // namespace vintrel
