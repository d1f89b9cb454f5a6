#pragma once

#include "app/evaluate.hpp"

namespace vintrel {

// Makes a write to a reader that has gone away fail with an error instead of killing the
// process, so that the exit status still tells the outcome.
void prepare_output() noexcept;

// Writes the line of evaluation to standard output with a single write where the system
// allows it, continuing after partial writes and interrupted calls. Output is never
// buffered. A failure to write is not reported: there is nowhere to report it.
void print_line(const Evaluation& evaluation) noexcept;

}  // namespace vintrel
