// The options table in the xboard protocol's forms: the "feature option="
// lines that announce it after "protover 2", and the reading of "option
// NAME=VALUE" ("option NAME" for a button).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "session/options.h"

// One 'feature option="NAME -KIND ..."' line per option, in the table's
// order, with the values as they stand: "-spin VALUE MIN MAX", "-check 0|1",
// "-button", "-combo" with the current choice starred and " /// " between
// the choices.
std::vector<std::string> OptionFeatureLines(const OptionHost& host);

// Reads the words of "option NAME=VALUE". The name (which may hold blanks)
// is matched exactly; a spin takes a whole number within its range, a check
// 1 or 0, a combo one of its choices as written. The problem of a refused
// setting is the reason of the error reply: "unknown option" for a name not
// in the table, "invalid command" for a missing or unusable value.
OptionSetting ReadOptionCommand(const std::vector<std::string>& words);

// Reads a value text for `option` as "option" does; nothing when it is
// unusable.
std::optional<int64_t> XboardOptionValue(const OptionEntry& option, const std::string& text);
