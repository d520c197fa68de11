#include "frontend/console_io.h"

#include <iostream>

namespace {

std::istream* engineInput = &std::cin;
std::ostream* engineOutput = &std::cout;

}  // namespace

std::istream& EngineInput() { return *engineInput; }
std::ostream& EngineOutput() { return *engineOutput; }

void SetEngineStreams(std::istream* input, std::ostream* output) {
  engineInput = input;
  engineOutput = output;
}

void WriteLine(const std::string& line) {
  std::ostream& out = EngineOutput();
  out << line << '\n';
  out.flush();
}
