// Loading the game record into the search position: the root record is built
// from the game's start position and every game move is replayed with the
// search's own make-move, so that all incremental fields and the key history
// are exactly what the search itself would have produced.
#include "board/search_position.h"

#include <cstring>

#include "position/build.h"
#include "position/make_move.h"

void LoadSearchRoot(PositionStack& stack, const GamePosition& position) {
  stack.ply = 0;
  TreePosition& root = stack.Root();
  root.side = int16_t(position.sideToMove);
  root.epSquare = int16_t(position.epSquare);
  root.white.castling = int16_t(position.whiteCastling);
  root.black.castling = int16_t(position.blackCastling);
  std::memcpy(root.squares, position.squares, sizeof root.squares);
  BuildFromSquares(root);
  stack.keyHistoryRoot = 0;
  stack.keyHistory[0] = root.hashKey;
  root.halfMoveClock = 0;
  root.lastMove = 0;
}

void LoadSearchPosition(PositionStack& stack, const Game& game) {
  // Steps 1-4: ply 0, record 0 from the start position, key history of one
  // entry, half-move clock 0.
  LoadSearchRoot(stack, game.startPosition);
  // Step 5: replay the game, oldest move first.
  for (const Move move : game.moves) MakeGameMoveInSearch(stack, move, stack.Root().side);
}

void MakeGameMoveInSearch(PositionStack& stack, Move move, int side) {
  // 1. Make the move from ply 0; this writes record 1 and its key one entry
  //    after the root entry.
  stack.ply = 0;
  if (side == kWhite)
    MakeWhiteMove(stack, move);
  else
    MakeBlackMove(stack, move);

  // 2. A reversible move extends the history; a capture or pawn move makes
  //    every earlier position unreachable, so the history restarts.
  if (stack.positions[1].halfMoveClock != 0) {
    ++stack.keyHistoryRoot;
    // A game played on past the fifty-move rule (force mode) would run the
    // search part of the history off its end: drop the oldest key instead.
    // Positions more than 100 plies back cannot matter, since the search
    // scores such a node as a fifty-move draw anyway.
    if (stack.keyHistoryRoot > kKeyHistorySize - kMaxPly) {
      std::memmove(stack.keyHistory, stack.keyHistory + 1, stack.keyHistoryRoot * sizeof stack.keyHistory[0]);
      --stack.keyHistoryRoot;
    }
  } else {
    stack.keyHistoryRoot = 0;
    stack.keyHistory[0] = stack.positions[1].hashKey;
  }

  // 3. The new position becomes the root.
  stack.positions[0] = stack.positions[1];
  stack.ply = 0;
}
