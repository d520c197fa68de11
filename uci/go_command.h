// The UCI "go" command: its words read into limits, and what those limits
// ask of a search when a given side is to move.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session/search_limits.h"

// The limits of one "go", as far as its words could be used. Each word that
// could not be used as sent leaves a sentence in `problems`, for the
// interface's "info string" lines.
struct GoCommand {
  std::optional<Milliseconds> time[2];  // wtime, btime (indexed by colour)
  Milliseconds increment[2] = {0, 0};   // winc, binc
  int32_t movesToGo = 0;                // 0 = none given
  std::optional<Milliseconds> moveTime;
  int32_t depth = 0;      // 0 = none given
  int32_t mateMoves = 0;  // 0 = none given
  uint64_t nodes = 0;  // 0 = none given
  bool infinite = false;
  bool ponder = false;
  std::vector<std::string> searchMoves;  // as sent; read on the position at "go"
  std::vector<std::string> problems;
};

// Reads the words after "go". A limit whose number is missing, unreadable or
// out of range is read as its most cautious value, the one that ends the
// search soonest: a clock or move time as empty (times below zero too), a
// depth or node count as 1; so a go with a limit word always ends by
// itself. A move count that cannot be used is left out (the time is then
// shared as over the whole game); depths beyond Ravok's deepest search are
// cut to it. "mate N" is searched as MateSearchDepth(N) says, deep enough to
// find such a mate. The words after "searchmoves" up to the next keyword are its
// moves; unknown words are skipped. Each reading of a word that was not
// used as sent leaves a sentence in `problems`.
GoCommand ReadGoCommand(const std::vector<std::string>& words);

// The go has a limit of its own (clock of `side`, move time, depth, mate
// or nodes): once it is no longer pondering the search ends by itself.
// Without one it searches until "stop".
bool HasOwnLimit(const GoCommand& go, int side);

// What the go asks of a search with `side` to move: the side's clock
// (time, increment, moves to go), the move time, the depth, the mate, the
// nodes; "ponder" a ponder search, "infinite" or no limit at all an
// analysis. The limits builder (session/search_limits.h) adds the
// settings: the move overhead, the clock rule, the search style and the
// level of strength.
SearchRequest GoRequest(const GoCommand& go, int side);
