// Lists of the moves of a game position, from the search's generators.
#pragma once

#include <vector>

#include "board/game.h"

// Every move the side to move's pieces can make by their own way of moving,
// whether or not it leaves the own king attacked: captures (en passant
// included), pushes, every promotion piece; castling only when it is legal.
// Move words as the game board builds them.
std::vector<Move> PseudoLegalMoves(const GamePosition& position);

// The moves that IsLegalMove accepts (none once the game is over).
std::vector<Move> LegalMoves(const GamePosition& position);
