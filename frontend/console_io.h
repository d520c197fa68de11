// The engine's input and output streams. Standard input and output unless a
// test redirects them.
#pragma once

#include <iosfwd>
#include <string>

std::istream& EngineInput();
std::ostream& EngineOutput();
void SetEngineStreams(std::istream* input, std::ostream* output);

// Writes one whole reply line and flushes it.
void WriteLine(const std::string& line);
