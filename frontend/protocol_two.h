// Helpers of the xboard protocol version 2 commands ("protover", "ping",
// "setboard", "time"/"otim", "memory", "remove", "playother", "usermove"):
// the feature announcement and the reading of their arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The console's command that picks the clock rule, "timerule classic" or
// "timerule increment"; xboard's "option Time Rule=..." does the same.
inline constexpr const char* kTimeRuleCommand = "timerule";

// The lines that answer "protover 2": every feature Ravok declares, with
// "done=1" alone on the last line.
const std::vector<std::string>& FeatureLines();

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
