// Loading the game record into the search position.
#pragma once

#include "position/basics.h"

class CommBoard;

// Rebuilds record 0 from the game's start position and replays every game
// move with the search's make-move, filling the key history; ply index 0.
void LoadSearchPosition(const CommBoard& game);

// Plays one game move on record 0 and keeps the key history (which restarts
// after a capture or a pawn move).
void MakeGameMoveInSearch(Move move, int side);
