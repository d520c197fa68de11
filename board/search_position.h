// Loading game positions into the search position: the bridge from the game
// board to the search.
#pragma once

#include "board/game.h"
#include "position/tree_position.h"

// Puts a game position into record 0 as the root of the search: ply 0,
// record built from the squares, half-move clock 0, no last move, and a key
// history holding only the root key.
void LoadSearchRoot(PositionStack& stack, const GamePosition& position);

// Rebuilds record 0 from the game's start position and replays every game
// move with the search's make-move, filling the key history; ply index 0.
void LoadSearchPosition(PositionStack& stack, const Game& game);

// Plays one game move on record 0 and keeps the key history (which restarts
// after a capture or a pawn move).
void MakeGameMoveInSearch(PositionStack& stack, Move move, int side);
