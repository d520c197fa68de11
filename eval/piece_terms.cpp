#include "eval/piece_terms.h"

#include <initializer_list>

#include "eval/eval_side.h"

namespace {

Bitboard Bit(Square s) { return SquareMask[s]; }

// Attacks on the centre and on the squares around it, by the weight's two
// entries.
template <class M, int S>
int CentreControl(const EvalScratch& e, WeightId weight, Bitboard attacks) {
  return WeightTimes<M, S>(e, weight, 0, PopCount(attacks & CentreMask)) +
         WeightTimes<M, S>(e, weight, 1, PopCount(attacks & CentreRingMask));
}

// Side S's relative squares in one set.
template <int S>
constexpr Bitboard Squares(std::initializer_list<Square> squares) {
  Bitboard b = 0;
  for (Square q : squares) b |= Bitboard(1) << Relative<S>(q);
  return b;
}

// The side's first two ranks.
template <int S>
Bitboard HomeRanks() {
  return S == kWhite ? RankMask[0] | RankMask[1] : RankMask[6] | RankMask[7];
}

}  // namespace

template <int S, class M>
int KnightTerms(const TreePosition& p, const EvalScratch& e) {
  constexpr int E = 1 - S;
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const bool endgame = EndgameMode(e);
  constexpr Bitboard kDevelopmentSquares = Squares<S>({C3, D3, E3});
  int v = 0;
  for (Bitboard knights = own.knight; knights;) {
    const Square s = PopRearmost<S>(knights);
    // Placement and centre control.
    v += TableWeight<M, S>(e, kKnightTable, s);
    if (!endgame) v += CentreControl<M, S>(e, kKnightCentreControl, KnightAttacks[s]);
    // Mobility: squares it can go to without being taken by a pawn.
    if constexpr (Reads<M>(kKnightMobility))
      v += WeightTimes<M, S>(e, kKnightMobility, 0, PopCount(KnightAttacks[s] & ~own.friendly & ~PawnAttacks<E>(e)));
    // Defended by pawns; an outpost when no enemy pawn can ever chase it.
    const int defenders = PopCount(PawnAttackersOf<S>(s) & own.pawn);
    if (defenders > 0) {
      v += Weight<M, S>(e, kKnightDefended);
      if (RelativeRank<S>(s) >= 4 && (PawnReach<E>(s) & enemy.pawn) == 0)
        v += WeightTimes<M, S>(e, kKnightOutpost, 0, defenders);
    }
    // Close to the enemy king.
    if (!endgame) {
      const int d = KingDistance[s][enemy.kingSquare];
      if (d < 4) v += Weight<M, S>(e, kKnightNearKing, d - 1);
    }
    // The last two terms concern only c3, d3 and e3: one test skips them
    // elsewhere.
    if ((Bit(s) & kDevelopmentSquares) == 0) continue;
    // A knight in front of the d- or e-pawn on its home square.
    if ((s == Relative<S>(D3) || s == Relative<S>(E3)) && (own.pawn & Bit(Ahead<E>(s))))
      v += Weight<M, S>(e, kKnightBlocksCentrePawn);
    // A knight blocking the c-pawn, worse when the centre is locked.
    if (s == Relative<S>(C3) && (own.pawn & Bit(Relative<S>(C2))))
      v += Weight<M, S>(e, kKnightBlocksCPawn, (p.white.pawn & Bit(D4)) && (p.black.pawn & Bit(D5)) ? 0 : 1);
  }
  return v;
}

template <int S, class M>
int BishopTerms(const TreePosition& p, const EvalScratch& e) {
  constexpr int E = 1 - S;
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const bool endgame = EndgameMode(e);
  constexpr Bitboard kSpecialSquares = Squares<S>({D3, E3, C1, D2, F1, E2, A7, H7});
  // The diagonals through the enemy king: a bishop on them shares one with it.
  const Bitboard kingDiagonals = DiagonalA1H8Through[enemy.kingSquare] | DiagonalH1A8Through[enemy.kingSquare];
  // The pair.
  int v = PopCount(own.bishop) >= 2 ? Weight<M, S>(e, kBishopPair) : 0;
  for (Bitboard bishops = own.bishop; bishops;) {
    const Square s = PopRearmost<S>(bishops);
    // Placement, centre control and mobility.
    v += TableWeight<M, S>(e, kBishopTable, s);
    const Bitboard attacks = BishopAttacksOf(s, p.occupied45, p.occupied315);
    if (!endgame) v += CentreControl<M, S>(e, kBishopCentreControl, attacks);
    v += WeightTimes<M, S>(e, kBishopMobility, 0, PopCount(attacks & ~own.friendly));
    // On a diagonal of the enemy king.
    if (kingDiagonals & Bit(s)) v += Weight<M, S>(e, kBishopOnKingDiagonal);
    // Enemy pawns on the bishop's own colour are its targets.
    if (endgame) {
      const Bitboard colour = (kDarkSquares & Bit(s)) ? kDarkSquares : ~kDarkSquares;
      v += WeightTimes<M, S>(e, kBishopPawnTargets, 0, PopCount(enemy.pawn & colour));
    }
    // The last three terms concern only eight squares: one test skips them
    // elsewhere.
    if ((Bit(s) & kSpecialSquares) == 0) continue;
    // In front of the d- or e-pawn on its home square.
    if ((s == Relative<S>(D3) || s == Relative<S>(E3)) && (own.pawn & Bit(Ahead<E>(s))))
      v += Weight<M, S>(e, kBishopBlocksCentrePawn);
    // Hemmed in by its own centre pawns or pieces.
    if (s == Relative<S>(C1) || s == Relative<S>(D2)) {
      if (own.pawn & Bit(Relative<S>(E3))) v += Weight<M, S>(e, kBishopHemmedIn, 0);
      else if (s == Relative<S>(C1) && p.squares[Relative<S>(D2)] != 0) v += Weight<M, S>(e, kBishopHemmedIn, 1);
    }
    if (s == Relative<S>(F1) || s == Relative<S>(E2)) {
      if (own.pawn & Bit(Relative<S>(D3))) v += Weight<M, S>(e, kBishopHemmedIn, 0);
      else if (s == Relative<S>(F1) && p.squares[Relative<S>(E2)] != 0) v += Weight<M, S>(e, kBishopHemmedIn, 1);
    }
    // Trapped on a7 / h7 behind a defended pawn on b6 / g6.
    const Bitboard enemyDefended = DefendedPawns<E>(e);
    if (s == Relative<S>(A7) && (enemyDefended & Bit(Relative<S>(B6)))) v += Weight<M, S>(e, kBishopTrapped);
    if (s == Relative<S>(H7) && (enemyDefended & Bit(Relative<S>(G6)))) v += Weight<M, S>(e, kBishopTrapped);
  }
  return v;
}

template <class M>
int BishopCountTerm(const TreePosition& p, const EvalScratch& e) {
  const int k = PopCount(p.white.bishop) - PopCount(p.black.bishop);
  const Bitboard pawns = p.white.pawn | p.black.pawn;
  const bool bothWings = (pawns & QueensideFilesMask) && (pawns & KingsideFilesMask);
  return WeightTimes<M, kWhite>(e, kBishopCount, bothWings ? 0 : 1, k);
}

template <int S, class M>
int RookTerms(const TreePosition& p, const EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const bool endgame = EndgameMode(e);
  const int enemyKingRank = RelativeRank<S>(enemy.kingSquare);
  const Bitboard seventh = RankMask[S == kWhite ? 6 : 1];
  // The corners that shut a rook in with the king: those the king stands in.
  Bitboard kingCorners = 0;
  for (int wing : {kQueenSide, kKingSide})
    if (RookCornerZone[S][wing] & Bit(own.kingSquare)) kingCorners |= RookCornerZone[S][wing];
  int v = 0;
  // The rooks not yet walked are the "later" rooks.
  for (Bitboard later = own.rook; later;) {
    const Square s = PopRearmost<S>(later);
    const Bitboard file = FileMask[FileOf(s)];
    // Placement, activity and mobility.
    v += TableWeight<M, S>(e, kRookTable, s);
    const Bitboard attacks = RookAttacksOf(s, p.occupied, p.occupied90);
    v += endgame ? Weight<M, S>(e, kRookEndgameActivity) : CentreControl<M, S>(e, kRookCentreControl, attacks);
    v += WeightTimes<M, S>(e, kRookMobility, 0, PopCount(attacks));
    // Connected with a later rook, doubly so on the seventh.
    if (attacks & later) v += Weight<M, S>(e, kRookConnected, (attacks & later & seventh) ? 0 : 1);
    // Open and half-open files.
    if ((own.pawn & file) == 0) {
      v += Weight<M, S>(e, kRookNoOwnPawn, (file & Bit(enemy.kingSquare)) ? 0 : 1);
      if (enemy.queen & file) v += Weight<M, S>(e, kRookFacesQueen);
      if ((enemy.pawn & file) == 0) v += Weight<M, S>(e, kRookOpenFile, (later & file) ? 0 : 1);
    }
    // On the seventh with the enemy king behind it.
    if (RelativeRank<S>(s) == 6 && enemyKingRank >= 6) v += Weight<M, S>(e, kRookOnSeventh);
    if (endgame) continue;
    // Shut in a corner by its own king and pawns.
    if (kingCorners & Bit(s)) {
      for (int wing : {kQueenSide, kKingSide}) {
        const Bitboard zone = RookCornerZone[S][wing];
        if ((zone & Bit(s)) && (zone & Bit(own.kingSquare)) &&
            (attacks & ~(own.pawn | Bit(own.kingSquare) | zone)) == 0)
          v += Weight<M, S>(e, kRookShutIn);
      }
    }
    // Advanced with no way back to its own first two ranks.
    if (RelativeRank<S>(s) >= 2 && (attacks & ~p.occupied & HomeRanks<S>()) == 0)
      v += Weight<M, S>(e, kRookCutOff, OpeningTables(e) ? 0 : 1);
  }
  return v;
}

template <int S, class M>
int QueenTerms(const TreePosition& p, const EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const bool endgame = EndgameMode(e);
  const bool opening = OpeningTables(e);
  const Bitboard firstRank = RankMask[S == kWhite ? 0 : 7];
  const Bitboard secondRank = RankMask[S == kWhite ? 1 : 6];
  int v = 0;
  for (Bitboard queens = own.queen; queens;) {
    const Square s = PopRearmost<S>(queens);
    // Its attacks, worked out once for the mobility and the sortie.
    const bool sortie = !endgame && RelativeRank<S>(s) >= 2;
    const Bitboard attacks = sortie || Reads<M>(kQueenMobility)
                                 ? RookAttacksOf(s, p.occupied, p.occupied90) |
                                       BishopAttacksOf(s, p.occupied45, p.occupied315)
                                 : 0;
    if constexpr (Reads<M>(kQueenMobility))
      v += WeightTimes<M, S>(e, kQueenMobility, 0, PopCount(attacks & ~own.friendly));
    // An early queen sortie: far from home and cut off from it.
    if (sortie) {
      const Bitboard free = attacks & ~p.occupied;
      if ((free & firstRank) == 0) {
        const bool reachesSecond = (free & secondRank) != 0;
        v += Weight<M, S>(e, kQueenSortie, (opening ? 0 : 2) + (reachesSecond ? 0 : 1));
      }
      if (opening) v += Weight<M, S>(e, kQueenEarlyOut, ((CentreMask | CentreRingMask) & Bit(s)) ? 0 : 1);
    }
    // Close to an enemy king that can no longer castle.
    if (enemy.castling == 0) v += WeightTimes<M, S>(e, kQueenKingDistance, 0, KingDistance[s][enemy.kingSquare]);
    // On the seventh with the enemy king behind it.
    if (RelativeRank<S>(s) == 6 && RelativeRank<S>(enemy.kingSquare) >= 6) v += Weight<M, S>(e, kQueenOnSeventh);
  }
  return v;
}

#define RAVOK_INSTANTIATE(M)                                                 \
  template int KnightTerms<kWhite, M>(const TreePosition&, const EvalScratch&); \
  template int KnightTerms<kBlack, M>(const TreePosition&, const EvalScratch&); \
  template int BishopTerms<kWhite, M>(const TreePosition&, const EvalScratch&); \
  template int BishopTerms<kBlack, M>(const TreePosition&, const EvalScratch&); \
  template int RookTerms<kWhite, M>(const TreePosition&, const EvalScratch&);   \
  template int RookTerms<kBlack, M>(const TreePosition&, const EvalScratch&);   \
  template int QueenTerms<kWhite, M>(const TreePosition&, const EvalScratch&);  \
  template int QueenTerms<kBlack, M>(const TreePosition&, const EvalScratch&);  \
  template int BishopCountTerm<M>(const TreePosition&, const EvalScratch&);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE
