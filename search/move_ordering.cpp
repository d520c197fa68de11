#include "search/move_ordering.h"

#include "position/movegen.h"

namespace {

// Group of a non-capture by its moving piece: king, pawn, minor, rook, queen.
int QuietGroup(Move m) {
  switch (MovePiece(m)) {
    case kKing: return 0;
    case kPawn: return 1;
    case kKnight:
    case kBishop: return 2;
    case kRook: return 3;
    default: return 4;
  }
}

struct KeyedMove {
  int key;
  Move move;
};

}  // namespace

template <int S>
Move* OrderEvasions(const TreePosition& p, Move* begin, Move* end, Move excluded, int gainThreshold) {
  KeyedMove captures[kMaxMovesPerPosition];
  Move losing[kMaxMovesPerPosition];
  Move quiet[5][kMaxMovesPerPosition];
  int captureCount = 0, losingCount = 0, quietCount[5] = {0, 0, 0, 0, 0};

  for (Move* m = begin; m != end; ++m) {
    const Move move = *m;
    if (move == excluded) continue;
    const bool capture = MoveCaptured(move) != 0;
    if (gainThreshold > 0 && (!capture || MoveGain(move) < gainThreshold)) continue;
    if (!capture) {
      const int group = QuietGroup(move);
      quiet[group][quietCount[group]++] = move;
      continue;
    }
    const int difference = kPieceValue[MoveCaptured(move)] - kPieceValue[MovePiece(move)];
    int key = difference + 50;
    if (difference <= -50) {
      key = ExchangeForMover<S>(p, move);
      if (key < 0) {
        losing[losingCount++] = move;
        continue;
      }
    }
    captures[captureCount++] = {key, move};
  }

  // Highest key first, equal keys in generation order: an insertion sort,
  // which is stable and, unlike std::stable_sort, needs no buffer from the heap.
  for (int i = 1; i < captureCount; ++i) {
    const KeyedMove keyed = captures[i];
    int j = i;
    for (; j > 0 && captures[j - 1].key < keyed.key; --j) captures[j] = captures[j - 1];
    captures[j] = keyed;
  }
  Move* out = begin;
  for (int i = 0; i < captureCount; ++i) *out++ = captures[i].move;
  if (gainThreshold > 0) return out;
  for (int g = 0; g < 5; ++g)
    for (int i = quietCount[g] - 1; i >= 0; --i) *out++ = quiet[g][i];
  for (int i = 0; i < losingCount; ++i) *out++ = losing[i];
  return out;
}

template Move* OrderEvasions<kWhite>(const TreePosition&, Move*, Move*, Move, int);
template Move* OrderEvasions<kBlack>(const TreePosition&, Move*, Move*, Move, int);
