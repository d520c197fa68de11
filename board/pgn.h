// Portable Game Notation: writing a game record with its tags, and reading
// one game back.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "board/game.h"

// The tags of a game besides its result, which the game record holds, and
// its start position, written as SetUp and FEN when it is not the initial
// position.
struct PgnTags {
  std::string event = "?";
  std::string site = "?";
  std::string date = "????.??.??";  // "2024.05.17"
  std::string round = "?";
  std::string white = "?";
  std::string black = "?";
  std::string timeControl = "-";  // "-" none, "300+2" seconds and increment, "40/7200" moves per seconds
  // Any further tags, written after these in this order; a read keeps the
  // ones it does not know.
  std::vector<std::pair<std::string, std::string>> others;
  // The number of the game's first move: the FEN tag's move number.
  int firstMoveNumber = 1;
};

// "1-0", "0-1", "1/2-1/2" for the game results, "*" for a running or
// undecided game.
const char* PgnResultText(uint32_t result);

// The moves in SAN with their numbers, "1. e4 e5 2. Nf3", or "1... e5 2. Nf3"
// when Black moved first, in lines of at most `width` characters.
std::vector<std::string> NumberedMoveLines(const Game& game, int firstMoveNumber, size_t width);

// The game in PGN's export form: the seven standard tags in their order
// (Event, Site, Date, Round, White, Black, Result), TimeControl, SetUp "1"
// and FEN when the start position is not the initial one or the first move
// number is not 1, the other tags; a blank line, the numbered moves and the
// result in lines of less than 80 characters; a blank line. Quotes and
// backslashes in tag values are escaped, control characters become blanks;
// other tags with a name that is not letters, digits and '_', or that
// repeats one of the tags above, are left out.
std::string PgnText(const Game& game, const PgnTags& tags);

struct PgnReadResult {
  std::string error;  // empty when the game was read
  Game game;
  PgnTags tags;
};

// Reads the first game of a PGN text: tag pairs, then the movetext with
// move numbers ("12.", "12...", also "1.e4"), moves in SAN (or in
// coordinates), the result token; comments "{...}" and ";" to the end of
// the line, NAGs "$n", variations "( ... )" and lines starting with "%" are
// skipped. The FEN tag sets the start position and the first move number.
// A decided result in the Result tag or the movetext decides the game
// record's result unless the board has one already (mate or stalemate,
// which the result must then match); a game going on past a draw by rule
// (repetition, fifty moves, material) is read to its end. Never throws:
// a problem gives `error`, naming the tag, the line or the move ("move 12...
// Nf3 is not legal: no knight can go to f3").
PgnReadResult ReadPgn(const std::string& text);

// A game without moves from a FEN: the default tags with the FEN's move
// number. A malformed or illegal FEN gives `error`, the problem in plain
// words ("the side to move (second field) must be w or b, not 'x'", "White
// has no king"). Never throws. A FEN that is no standard position but a
// Chess960 one (its castling rights in Shredder's or X-FEN's form) starts a
// Chess960 game, and `chess960` (a PGN's [Variant "Chess960"]) makes any
// FEN one.
PgnReadResult ReadFen(const std::string& fen, bool chess960 = false);
