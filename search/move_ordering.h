// Move keys shared by the alpha-beta and quiescence searches.
#pragma once

#include "base/tables.h"
#include "base/types.h"
#include "position/static_exchange.h"

// Key of a capture that gives up a more valuable piece than it takes: the
// static exchange from the mover's point of view when that is 0 or more,
// else only some negative number (every caller sets such captures aside
// as losing, whatever their exact loss).
template <int S>
inline int ExchangeForMover(const TreePosition& p, Move m) {
  // The enemy takes back first with its cheapest guard, so a mover worth
  // more than the captured piece and that guard together loses material
  // however the exchange goes on. Pawn and knight guards are found with
  // one look-up each, and then the exchange itself is saved.
  const Square to = MoveTo(m);
  const SidePieces& enemy = Enemy<S>(p);
  const int excess = kPieceValue[MovePiece(m)] - kPieceValue[MoveCaptured(m)];
  if (excess > kPawnValue && ((S == kWhite ? WhitePawnAttacks[to] : BlackPawnAttacks[to]) & enemy.pawn)) return -1;
  if (excess > kKnightValue && (KnightAttacks[to] & enemy.knight)) return -1;
  return ExchangeForSide<S>(p, MoveFrom(m), to);
}

// A key packed above the move's low 21 bits, so that sorting the packed
// words sorts by key first.
inline Move PackKey(int key, Move m) { return Move(key) << 21 | MoveLow21(m); }

// Sorts packed move words, highest first. The lists are short (a few
// captures, a few dozen quiet moves) and their words unique, so an
// insertion sort gives the order of any other sort without std::sort's
// set-up and calls.
inline void SortDescending(Move* begin, Move* end) {
  if (end - begin < 2) return;
  for (Move* i = begin + 1; i != end; ++i) {
    const Move m = *i;
    Move* j = i;
    for (; j != begin && *(j - 1) < m; --j) *j = *(j - 1);
    *j = m;
  }
}

// Material the move wins outright: the captured piece plus a promotion.
inline int MoveGain(Move m) {
  return kPieceValue[MoveCaptured(m)] + (MovePiece(m) == kPawn ? kPieceValue[MoveSpecial(m)] : 0);
}

// Orders the evasions of `p` in [begin, end) in place and returns the new end:
// captures by key, highest first (value of the captured piece minus value
// of the mover plus 50, or the static exchange when that difference is -50
// or less); then the non-captures grouped by moving piece (king, pawn,
// knight and bishop, rook, queen), each group in reverse order of
// generation; then the captures that lose material, in generation order.
// `excluded` (the hash move) is left out. With a gain threshold above 0 only
// the captures that win at least that much and do not lose material remain.
template <int S>
Move* OrderEvasions(const TreePosition& p, Move* begin, Move* end, Move excluded, int gainThreshold);
