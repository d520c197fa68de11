// Helpers of the xboard protocol version 2 commands ("protover", "ping",
// "setboard", "time"/"otim", "memory", "remove", "playother", "usermove"):
// the feature announcement and the reading of their arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "session/options.h"

// The console's command that picks the clock rule, "timerule classic" or
// "timerule increment": the Time Rule option, as xboard's "option Time
// Rule=..." sets it.
inline constexpr const char* kTimeRuleCommand = "timerule";
inline constexpr const char* kTimeRuleOption = "Time Rule";

// The lines that answer "protover 2": every feature Ravok declares, the
// options with the values they have in `host`, and "done=1" alone on the
// last line.
std::vector<std::string> FeatureLines(const OptionHost& host);

// A word with the shape of a coordinate move: two square names ("e2e4",
// "E7E8q", "e2e4" followed by anything). Such a word that is not legal is an
// illegal move; any other unreadable first word is an unknown command.
bool LooksLikeMove(const std::string& word);

// A command word Ravok knows (the loop's own and the protocol-2 ones), used
// to tell a known command with unusable arguments from an unknown command.
bool IsKnownCommandWord(const std::string& word);

// The result of reading a number argument: the value, or the reason of the
// error reply when the word is no number or does not fit 32 bits.
struct NumberArgument {
  bool ok = false;
  int32_t value = 0;
  std::string error;
};
NumberArgument ReadNumberArgument(const std::string& word);
