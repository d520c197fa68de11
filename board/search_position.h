// Loading game positions into position/'s records: the bridge from the game
// record to the rules of chess and to the search.
#pragma once

#include "board/game.h"
#include "position/tree_position.h"

// Builds `record` from the game position: squares, side to move, castling
// rights, en-passant square and half-move counter; no last move. Castling
// rights that the placement does not allow (king or rook away from home) and
// an en-passant square that no double step explains are left out, since the
// record cannot hold them. A side to move other than White or Black, or a
// placement that breaks the placement rules of the validity check (one king
// a side, known pieces, no pawn on the first or last rank), is fatal.
void LoadTreePosition(TreePosition& record, const GamePosition& position);

// Puts a game position into record 0 as the root of the search: ply 0,
// record loaded as above but with half-move clock 0, no last move, and a key
// history holding only the root key.
void LoadSearchRoot(PositionStack& stack, const GamePosition& position);

// Rebuilds record 0 from the game's start position and replays every game
// move with the search's make-move, filling the key history; ply index 0.
void LoadSearchPosition(PositionStack& stack, const Game& game);

// Plays one game move on record 0 and keeps the key history (which restarts
// after a capture or a pawn move).
void MakeGameMoveInSearch(PositionStack& stack, Move move, int side);
