// Game-over detection on the game board.
#pragma once

#include <vector>

#include "board/game.h"

// Sets result and reason of `current`: mate or stalemate, the fifty-move
// rule, insufficient material, threefold repetition, else a running game.
void DetectGameOver(GamePosition& current, const GamePosition& start,
                    const std::vector<Move>& moves);

// Can `side` never give mate, by any series of legal moves from here? True
// only where that is certain; then a flag that falls against `side`'s
// opponent draws the game instead of losing it.
bool CannotEverMate(const GamePosition& position, int side);

// True when the side to move has no legal move, whatever the game's result.
bool HasNoLegalMove(const GamePosition& position);
