#include "eval/pieces.h"

#include <initializer_list>

#include "eval/eval_side.h"
#include "position/attacks.h"
#include "position/tree_position.h"

namespace eval_pieces {

namespace {

// Every square on the ranks strictly ahead of s.
template <int S>
Bitboard RanksAhead(Square s) {
  const int rank = RankOf(s);
  if constexpr (S == kWhite) return rank == 7 ? 0 : ~Bitboard(0) << (8 * (rank + 1));
  else return (Bitboard(1) << (8 * rank)) - 1;
}

}  // namespace

void CPawn::Analyse(const TreePosition& p) {
  passed = IsPassed(p);
  defended = IsDefended(p);
  backward = IsBackward(p);
  opposed = FindOpposingPawn(p, opposingDistance, opposingSquare);
  isolated = IsIsolated(p);
  detached = isolated ? false : IsDetached(p);
  doubled = IsDoubled(p);
}

template <int S>
bool CSidePawn<S>::IsPassed(const TreePosition& p) {
  return (PassedMask[S][square] & Enemy<S>(p).pawn) == 0;
}

template <int S>
bool CSidePawn<S>::IsDefended(const TreePosition& p) {
  return (PawnAttackersOf<S>(square) & Own<S>(p).pawn) != 0;
}

// Backward: a pawn on its second or third rank whose step ahead is attacked
// by an enemy pawn and that has no own pawn beside or behind it on a
// neighbouring file.
template <int S>
bool CSidePawn<S>::IsBackward(const TreePosition& p) {
  const int rank = RelativeRank<S>(square);
  if (rank != 1 && rank != 2) return false;
  constexpr int E = 1 - S;
  if ((PawnAttackersOf<E>(Ahead<S>(square)) & Enemy<S>(p).pawn) == 0) return false;
  const Bitboard neighbours = Own<S>(p).pawn & NeighbourFilesOf(FileOf(square));
  return (neighbours & ~RanksAhead<S>(square)) == 0;
}

template <int S>
bool CSidePawn<S>::FindOpposingPawn(const TreePosition& p, int32_t& distance, int32_t& opposing) {
  const Bitboard blockers = SpanAhead<S>(square) & Enemy<S>(p).pawn;
  if (blockers == 0) {
    distance = opposing = -1;
    return false;
  }
  opposing = Rearmost<S>(blockers);
  distance = RankDistance(square, opposing) - 1;
  return true;
}

template <int S>
bool CSidePawn<S>::IsIsolated(const TreePosition& p) {
  return (Own<S>(p).pawn & NeighbourFilesOf(FileOf(square))) == 0;
}

// Detached: the nearest own pawns of the neighbouring files are at least
// three king steps away (more than three when only one file has pawns).
template <int S>
bool CSidePawn<S>::IsDetached(const TreePosition& p) {
  const int file = FileOf(square);
  int filesWithPawns = 0, distance = 0;
  for (int f : {file - 1, file + 1}) {
    if (f < 0 || f > 7) continue;
    const Bitboard pawns = Own<S>(p).pawn & FileMask[f];
    if (pawns == 0) continue;
    const int high = KingDistance[square][HighestBit(pawns)];
    const int low = KingDistance[square][LowestBit(pawns)];
    distance = high < low ? high : low;
    if (distance < 3) return false;
    ++filesWithPawns;
  }
  if (filesWithPawns == 2) return true;
  return filesWithPawns == 1 && distance > 3;
}

template <int S>
bool CSidePawn<S>::IsDoubled(const TreePosition& p) {
  return PopCount(Own<S>(p).pawn & FileMask[FileOf(square)]) > 1;
}

template class CSidePawn<kWhite>;
template class CSidePawn<kBlack>;

// A pin: along the line from the minor piece to the own king, queen or rook
// stands an enemy slider that moves along that line.
void CMinorPiece::FindPin(const TreePosition& p) {
  const SidePieces& own = code > 0 ? p.white : p.black;
  const SidePieces& enemy = code > 0 ? p.black : p.white;
  Bitboard shields[3] = {SquareMask[own.kingSquare], own.queen, own.rook};
  for (Bitboard& set : shields) {
    while (set) {
      const Square target = PopLowest(set);
      const int dir = Direction[square][target];
      if (dir == kNoDirection) continue;
      const Bitboard line = LineAttacks(p, square, dir);
      const Bitboard sliders = dir <= kSouth ? enemy.queen_and_rook : enemy.queen_and_bishop;
      if ((line & SquareMask[target]) && (line & sliders)) {
        pinned = 1;
        pinnerSquare = LowestBit(line & sliders);
        shieldedSquare = target;
        return;
      }
    }
  }
  pinned = 0;
  pinnerSquare = shieldedSquare = -1;
}

void CKnight::Analyse(const TreePosition& p) {
  FindPin(p);
  knightFlag = 1;
  firstTarget = KnightAttacks[square] ? LowestBit(KnightAttacks[square]) : -1;
  const bool enemyPawnNear = code > 0 ? (BlackPawnReach[square] & p.black.pawn) != 0
                                      : (WhitePawnReach[square] & p.white.pawn) != 0;
  pawnThreat = enemyPawnNear ? 2 : 0;
}

void CBishop::Analyse(const TreePosition& p) {
  FindPin(p);
  const int whiteUnits = 5 * p.white.valMajors + p.white.valMinors;
  const int blackUnits = 5 * p.black.valMajors + p.black.valMinors;
  if (whiteUnits <= 13 && blackUnits <= 13) {
    cornerFlag = 0;
    return;
  }
  const Bitboard corners = code > 0 ? SquareMask[A1] | SquareMask[B2] | SquareMask[G2] | SquareMask[H1]
                                    : SquareMask[A8] | SquareMask[B7] | SquareMask[G7] | SquareMask[H8];
  cornerFlag = (corners & SquareMask[square]) != 0;
}

}  // namespace eval_pieces
