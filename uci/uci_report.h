// The lines a UCI search reports: the best line and the progress as "info"
// lines, and the move as "bestmove".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "board/game.h"
#include "search/search_info.h"

// A score from the side to move's view in UCI's words: "cp C", or "mate M"
// with M the moves (not plies) to the mate, negative when the side to move
// is being mated.
std::string ScoreText(int score);

// "info depth D score S nodes N nps R time T pv M1 M2 ...": the search's
// best line, its node total and the time since the search started.
// With `wdlMoveNumber` (UCI_ShowWDL), "wdl W D L" follows the score: the
// chances in per mille on that move of the game (see WinDrawLossOf). The
// moves are written as in `game` (a Chess960 game's castling as the king
// taking its rook).
std::string BestLineInfo(const SearchInfo& info, const GamePosition& game, TimePoint now,
                         std::optional<int> wdlMoveNumber = std::nullopt);

// With several lines (MultiPV): "info depth D multipv K score S ... pv ..."
// for each of the iteration's lines, best first.
std::vector<std::string> LinesInfo(const SearchInfo& info, const GamePosition& game, TimePoint now,
                                   std::optional<int> wdlMoveNumber = std::nullopt);

// "info depth D nodes N nps R time T hashfull P": how far the search has
// got, with `nodes` counted up to now and the table's fill in permille.
std::string ProgressInfo(const SearchInfo& info, uint64_t nodes, TimePoint now, int hashfull);

// "bestmove M ponder R" for the line's first move in `root`; the ponder
// word only when the line's second move is legal after it. "bestmove 0000"
// for an empty line (no legal move in `root`).
std::string BestMoveLine(const GamePosition& root, const std::vector<Move>& line);
