// Forsyth-Edwards notation for game positions (tests, tools, "setboard").
#pragma once

#include <string>

#include "board/game.h"

// Reads a FEN text of four to six fields. Malformed text and positions that
// fail the validity check throw GameError with the reason. An
// en-passant square is kept only where the game board would keep one (a pawn
// of the side to move stands beside the pawn that just made the double
// step); an en-passant square that no double step can explain is an error.
GamePosition ParseFen(const std::string& fen);

// Writes the position as FEN with the given move number.
std::string ToFen(const GamePosition& position, int moveNumber = 1);
