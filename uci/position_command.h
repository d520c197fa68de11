// The UCI "position" command read into a game record.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/game.h"

// The game a "position" command describes, or why it cannot be used.
struct PositionCommand {
  std::optional<Game> game;
  std::string problem;
};

// Reads "position startpos [moves M...]" or "position fen <FEN> [moves
// M...]" (the FEN is every word up to "moves"). The command is taken whole
// or not at all: a malformed or illegal FEN, an unexpected word, or a move
// that cannot be read or is not legal where it stands refuses it. The
// interface is the referee: a repetition, the fifty-move count or bare kings
// end nothing here, so the game never counts as over and the moves go on as
// the interface sends them (after mate or stalemate no move is legal
// anyway). With `chess960` (UCI_Chess960) the game is Chess960: the FEN in
// Shredder's or X-FEN's form, castling written as the king taking its own
// rook ("e1h1").
PositionCommand ReadPositionCommand(const std::vector<std::string>& words, bool chess960 = false);
