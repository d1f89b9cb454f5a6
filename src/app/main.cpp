// vintrel: evaluates one function of its arguments and prints one line.
#include "app/evaluate.hpp"
#include "app/output.hpp"

int main(int argc, char** argv)
{
  vintrel::prepare_output();
  const vintrel::Evaluation evaluation = vintrel::evaluate(argc, argv);
  vintrel::print_line(evaluation);
  return evaluation.status;
}
