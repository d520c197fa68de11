// The options table in UCI's forms: the "option" lines after "uci" and the
// reading of "setoption".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "session/options.h"

// One "option name ..." line per option, in the table's order, with the
// values as they stand as the defaults.
std::vector<std::string> OptionLines(const OptionHost& host);

// A "setoption" read: the option and its value (the number of a spin, 1 or
// 0 for a check, the choice's index for a combo, 0 for a button), or the
// reason it cannot be used.
struct OptionChange {
  const OptionEntry* option = nullptr;  // none when refused
  int64_t value = 0;
  std::string problem;
};

// Reads "setoption name <name> [value <value>]". The name may have blanks
// and is matched without regard to case; so are "true" and "false" and a
// combo's choices. A spin value must be a whole number within the option's
// range; a button needs no value.
OptionChange ReadSetOption(const std::vector<std::string>& words);
