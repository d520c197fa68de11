// Loading the game record into the search position: the root record is built
// from the game's start position and every game move is replayed with the
// search's own make-move, so that all incremental fields and the key history
// are exactly what the search itself would have produced.
#include "position/load_game.h"

#include <cstring>

#include "board/comm_board.h"
#include "position/build.h"
#include "position/make_move.h"

void LoadSearchPosition(const CommBoard& game) {
  // Steps 1-4: ply 0, record 0 from the start position, key history of one
  // entry, half-move clock 0.
  LoadSearchRoot(game.startPosition);
  // Step 5: replay the game, oldest move first.
  for (const Move move : game.moves) MakeGameMoveInSearch(move, TreePositions[0].side);
}

void MakeGameMoveInSearch(Move move, int side) {
  // 1. Make the move from ply 0; this writes record 1 and its key one entry
  //    after the root entry.
  currentPly = 0;
  if (side == kWhite)
    MakeWhiteMove(move);
  else
    MakeBlackMove(move);

  // 2. A reversible move extends the history; a capture or pawn move makes
  //    every earlier position unreachable, so the history restarts.
  if (TreePositions[1].halfMoveClock != 0) {
    ++keyHistoryRoot;
    // A game played on past the fifty-move rule (force mode) would run the
    // search part of the history off its end: drop the oldest key instead.
    // Positions more than 100 plies back cannot matter, since the search
    // scores such a node as a fifty-move draw anyway.
    if (keyHistoryRoot > kKeyHistorySize - kMaxPly) {
      std::memmove(KeyHistory, KeyHistory + 1, keyHistoryRoot * sizeof KeyHistory[0]);
      --keyHistoryRoot;
    }
  } else {
    keyHistoryRoot = 0;
    KeyHistory[0] = TreePositions[1].hashKey;
  }

  // 3. The new position becomes the root.
  TreePositions[0] = TreePositions[1];
  currentPly = 0;
}
