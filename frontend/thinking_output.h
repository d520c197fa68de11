// The thinking lines of the console and of the xboard protocol, made from
// the search information record.
#pragma once

#include <string>
#include <vector>

#include "base/clock.h"
#include "search/search_info.h"

// The texts of a line of moves: coordinates in xboard mode ("e7e8q"), the
// long form on the console ("e7-e8Q", "Ng1-f3", "e4xd5"); in a Chess960
// game castling is "O-O" or "O-O-O" in both, as xboard's fischerandom
// wants it.
std::vector<std::string> MoveTexts(const std::vector<Move>& moves, bool xboard, bool chess960 = false);

// Console: each move and a blank, "(score); ", the speed in thousands of
// nodes per second over the whole seconds since the start (the first
// second counts as one), " knps, total: ", the node total in thousands and
// " kn".
std::string ConsoleThinkingLine(const SearchInfo& info, const std::vector<std::string>& moveTexts, TimePoint now);

// xboard post line: depth, score (ProtocolScore), elapsed centiseconds,
// nodes and the moves.
std::string PostLineText(const SearchInfo& info, const std::vector<std::string>& moveTexts, TimePoint now,
                         int protocolVersion);

// The score of a post line: unchanged, except that under protocol version 2
// mates are 100000 + moves to mate, negative for the side being mated.
int ProtocolScore(int score, int protocolVersion);
