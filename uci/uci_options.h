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

// Reads "setoption name <name> [value <value>]". The name may have blanks
// and is matched without regard to case; so are "true" and "false" and a
// combo's choices. A spin value must be a whole number within the option's
// range; a button needs no value.
OptionSetting ReadSetOption(const std::vector<std::string>& words);
