// The edit dialogue of the console and xboard ("edit"): pieces placed
// square by square, the xboard way ("#" clears the board, "c" changes the
// colour being placed, "Pe4" places, "xe4" empties), plus "display",
// "verify", and "." or "end" to finish. A small command table of its own.
#pragma once

#include <iosfwd>

#include "board/game.h"

class LineReader;

// Runs the dialogue on the game's current position, reading lines from
// `input` and writing to `out`; the board and the prompts are shown only
// when `interactive` (the console). Castling follows the placement; there
// is no en-passant square and no move count. At "." or "end" a legal
// position restarts the game from it (the start position, no moves, the
// game-over test run) and the answer is true; a position that is not legal
// leaves the game as it was: false. The end of the input throws
// end_of_input.
bool EditGame(Game& game, LineReader& input, std::ostream& out, bool interactive);
