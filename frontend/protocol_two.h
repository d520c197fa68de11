// Pieces of the xboard protocol's version 2: the feature announcement that
// answers "protover 2", and the reading of number arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "session/options.h"

// The lines that answer "protover 2": every feature Ravok declares, the
// options with the values they have in `host`, and "done=1" alone on the
// last line.
std::vector<std::string> FeatureLines(const OptionHost& host);

// The result of reading a number argument: the value, or the reason of the
// error reply when the word is no number or does not fit 32 bits.
struct NumberArgument {
  bool ok = false;
  int32_t value = 0;
  std::string error;
};
NumberArgument ReadNumberArgument(const std::string& word);
