// Loading the game record into position/'s records. The search's root is
// built from the game's start position and every game move is replayed with
// the search's own make-move, so that all incremental fields and the key
// history are exactly what the search itself would have produced.
#include "board/search_position.h"

#include <cstring>
#include <string>

#include "base/fatal_error.h"
#include "position/build.h"
#include "position/make_move.h"

void LoadTreePosition(TreePosition& record, const GamePosition& position) {
  std::string fault = "Invalid side to move.";
  if ((position.sideToMove != kWhite && position.sideToMove != kBlack) ||
      !IsValidPlacement(position.squares, &fault))
    FatalError("LoadTreePosition: " + fault);
  record.side = position.sideToMove;
  record.epSquare = position.HasValidEnPassantSquare() ? position.epSquare : 0;
  record.white.castling = position.whiteCastling & position.CastlingRightsOfPlacement(kWhite);
  record.black.castling = position.blackCastling & position.CastlingRightsOfPlacement(kBlack);
  std::memcpy(record.squares, position.squares, sizeof record.squares);
  for (const int side : {kWhite, kBlack})
    for (const int wing : {0, 1})
      record.castlingRook[side][wing] = uint8_t((side == kWhite ? A1 : A8) + position.castlingRookFile[side][wing]);
  BuildFromSquares(record);
  record.halfMoveClock = position.halfMoveCounter;
  record.lastMove = 0;
}

void LoadSearchRoot(PositionStack& stack, const GamePosition& position) {
  stack.ply = 0;
  TreePosition& root = stack.Root();
  LoadTreePosition(root, position);
  root.halfMoveClock = 0;
  stack.keyHistoryRoot = 0;
  stack.keyHistory[0] = root.hashKey;
}

void LoadSearchPosition(PositionStack& stack, const Game& game) {
  LoadSearchRoot(stack, game.startPosition);
  for (const Move move : game.moves) MakeGameMoveInSearch(stack, move, stack.Root().side);
}

void MakeGameMoveInSearch(PositionStack& stack, Move move, int side) {
  // The move is made from ply 0: record 1 and its key, one entry after the
  // root's, are written.
  stack.ply = 0;
  if (side == kWhite)
    MakeWhiteMove(stack, move);
  else
    MakeBlackMove(stack, move);

  // A reversible move extends the history; a capture or pawn move makes
  // every earlier position unreachable, so the history restarts.
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

  // The new position becomes the root.
  stack.positions[0] = stack.positions[1];
  stack.ply = 0;
}
