// Move text, legality and the game make-move on game positions.
#pragma once

#include <string>

#include "board/comm_board.h"

// Reads coordinate move text ("e2e4", "E2E4", "e7e8n", castling as the king's
// two-square move) in `position`. Throws "Invalid move." when the text is too
// short, names a square off the board or gives an illegal move.
Move ParseMove(const CommBoardRepresentation& position, const std::string& text);

// Is the move word legal in `position`? The position is left unchanged.
bool IsLegalMove(const CommBoardRepresentation& position, Move move);

// The game make-move, without any test.
void ApplyMove(CommBoardRepresentation& position, Move move);

enum MoveTextForm : int { kMoveTextUpperCoordinates = 0, kMoveTextAlgebraic = 1, kMoveTextLong = 2 };

// Text of a legal move: form 0 "E2E4", form 2 the long form; form 1 is not
// provided (fatal). Throws "Invalid move." for an illegal move.
std::string MoveToText(const CommBoardRepresentation& position, Move move, int form);

// Long form: piece letter (none for pawns), from, "-" or "x", to, upper-case
// promotion letter: "e2-e4", "Ng1-f3", "e7xd8Q", "Ke1-g1".
std::string LongMoveText(Move move);

// Coordinate form: "e2e4", "e7e8q".
std::string CoordinateMoveText(Move move);
void AppendCoordinateMoveText(std::string& text, Move move);
