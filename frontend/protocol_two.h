// Helpers of the xboard protocol version 2 commands ("protover", "ping",
// "setboard", "time"/"otim", "memory", "remove", "playother", "usermove"):
// the feature announcement, the reading of their arguments and the split of
// a memory budget between the two hash tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// Byte counts for the transposition table and the pawn hash table that
// together fit `totalBytes`: the main table gets the largest power of two
// that leaves room for the smallest pawn table, the pawn table the largest
// power of two that fits the rest, but at most half the main table (the
// ratio of the default sizes). Both are 0 when `totalBytes` cannot hold the
// two tables at their minimum sizes.
struct HashSizes {
  uint64_t mainBytes = 0;
  uint64_t pawnBytes = 0;
};
HashSizes SplitHashMemory(uint64_t totalBytes);
