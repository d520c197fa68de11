#include "eval/pawns.h"

#include "eval/eval_side.h"
#include "eval/evaluator.h"

namespace {

Bitboard Bit(Square s) { return SquareMask[s]; }

uint16_t PasserFlags(const EvalScratch& e) {
  const int white = PopCount(e.whitePassers), black = PopCount(e.blackPassers);
  return uint16_t((white > 3 ? 3 : white) << 1 | (black > 3 ? 3 : black) << 3);
}

// Side S's passers, most advanced first; the scan stops after `bound`
// passers (3 stands for three or more: scan all).
template <int S>
Bitboard ScanPassers(const TreePosition& p, int bound) {
  // Every square behind an enemy pawn on its own or a neighbouring file (as
  // seen from side S): a pawn of S there is not passed. One pass over the
  // sets instead of a look-up per pawn.
  constexpr Bitboard kNotFileA = ~FileMask[0], kNotFileH = ~FileMask[7];
  Bitboard behind = ShiftAhead<1 - S>(Enemy<S>(p).pawn);
  behind |= S == kWhite ? behind >> 8 : behind << 8;
  behind |= S == kWhite ? behind >> 16 : behind << 16;
  behind |= S == kWhite ? behind >> 32 : behind << 32;
  behind |= ((behind & kNotFileH) << 1) | ((behind & kNotFileA) >> 1);
  Bitboard passers = Own<S>(p).pawn & ~behind;
  if (bound >= 3 || PopCount(passers) <= bound) return passers;
  // The `bound` most advanced ones.
  Bitboard kept = 0;
  for (int found = 0; found < bound; ++found) kept |= Bit(PopMostAdvanced<S>(passers));
  return kept;
}

// Side S's passed pawns, S's view.
template <int S, class M>
int PassedOf(const TreePosition& p, const EvalScratch& e) {
  constexpr int E = 1 - S;
  const Bitboard ownPawns = Own<S>(p).pawn;
  const Bitboard passers = Passers<S>(e);
  int v = 0;
  for (Bitboard walk = passers; walk;) {
    const Square s = PopRearmost<S>(walk);
    v += TableWeight<M, S>(e, (DefendedPawns<S>(e) & Bit(s)) ? kPassedDefendedTable : kPassedTable, s);
    // Beyond the fourth rank: the way ahead and, in the endgame, the kings'
    // distances to the square in front, more the further it has come.
    if constexpr (Reads<M>(kPasserPath) || Reads<M>(kPasserKingDistance)) {
      const int advance = RelativeRank<S>(s) - 3;
      if (advance > 0) {
        const Square ahead = Ahead<S>(s);
        if (Enemy<S>(p).friendly & Bit(ahead)) v += WeightTimes<M, S>(e, kPasserPath, 0, advance);
        else if ((SpanAhead<S>(s) & p.occupied) == 0) v += WeightTimes<M, S>(e, kPasserPath, 1, advance);
        if (EndgameMode(e)) {
          v += WeightTimes<M, S>(e, kPasserKingDistance, 0, advance * KingDistance[Own<S>(p).kingSquare][ahead]);
          v += WeightTimes<M, S>(e, kPasserKingDistance, 1, advance * KingDistance[Enemy<S>(p).kingSquare][ahead]);
        }
      }
    }
    // A pawn beside it on the right (toward the h-file, for both colours).
    if (FileOf(s) == 7 || (ownPawns & Bit(s + 1)) == 0) continue;
    // Two passers side by side against enemy pieces score as a passed duo.
    // On the seventh both pawns are always passed, and the plain duo table
    // has no seventh rank: a pair there is a passed duo even against a bare
    // king.
    const bool passedDuo = (passers & Bit(s + 1)) && (!Bare<E>(e) || RelativeRank<S>(s) == 6);
    v += TableWeight<M, S>(e, passedDuo ? kPassedDuoTable : kDuoTable, s);
  }
  return v;
}

enum class KingPawnVerdict { kNone, kWin, kDraw };

// King and pawns against a lone king, for side S's passer on `pawnSquare`
// with the lone king inside its square. Wins are claimed only for patterns
// that win whatever the other pawns do; draws only with a single pawn.
template <int S>
KingPawnVerdict KingAndPawnRules(const TreePosition& p, const EvalScratch& e, Square pawnSquare) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  // Everything in S's frame: S's pawn runs toward rank 8.
  const Square pawn = Relative<S>(pawnSquare);
  const Square king = Relative<S>(own.kingSquare);
  const Square loneKing = Relative<S>(enemy.kingSquare);
  const int file = FileOf(pawn), rank = RankOf(pawn);
  const bool strongToMove = p.side == S;
  const bool singlePawn = PopCount(own.pawn) == 1;

  // The lone king to move takes the pawn at once.
  const bool pawnHangs = !strongToMove && KingDistance[loneKing][pawn] == 1 && KingDistance[king][pawn] > 1;
  // The lone king to move without a legal move: stalemate, never a win.
  const Bitboard guarded = PawnAttacks<S>(e) | KingAttacks[own.kingSquare];
  const bool stalemated = !strongToMove && (KingAttacks[enemy.kingSquare] & ~guarded) == 0;
  const bool safe = !pawnHangs && !stalemated;

  if (file == 0 || file == 7) {
    // Rook pawn. The lone king on the promotion corner or next to it on the
    // back rank cannot be driven out: a draw.
    const int knightFile = file == 0 ? 1 : 6;
    if (singlePawn && (loneKing == MakeSquare(file, 7) || loneKing == MakeSquare(knightFile, 7)))
      return KingPawnVerdict::kDraw;
    // The own king on the knight file's seventh square holds the corner;
    // from the fifth rank on the pawn reaches its side in one step.
    if (king == MakeSquare(knightFile, 6) && rank >= 4 && safe) return KingPawnVerdict::kWin;
    return KingPawnVerdict::kNone;
  }
  // A key square: the own king two ranks in front of a pawn on ranks 2-5,
  // on its own or a neighbouring file. One step ahead puts the pawn next to
  // its king, so only an immediate capture can save the lone king.
  const int fileGap = FileOf(king) > file ? FileOf(king) - file : file - FileOf(king);
  if (rank <= 4 && RankOf(king) == rank + 2 && fileGap <= 1 && safe) return KingPawnVerdict::kWin;
  // The lone king blocks the pawn with the opposition: kings on the pawn's
  // file directly in front of and behind it, the strong side to move.
  if (singlePawn && strongToMove && rank <= 5 && loneKing == pawn + 8 && king == pawn - 8)
    return KingPawnVerdict::kDraw;
  return KingPawnVerdict::kNone;
}

// Side S's pawn terms other than the file terms, S's view: table values,
// defended pawns, duos and backward pawns of the pawns that are not passed.
template <int S, class M>
int PawnTermsOf(const TreePosition& p, const EvalScratch& e) {
  constexpr int E = 1 - S;
  const SidePieces& own = Own<S>(p);
  const Bitboard allPawns = p.white.pawn | p.black.pawn;
  int v = 0;
  for (Bitboard pawns = own.pawn & ~Passers<S>(e); pawns;) {
    const Square s = PopRearmost<S>(pawns);
    v += TableWeight<M, S>(e, kPawnTable, s);
    if (DefendedPawns<S>(e) & Bit(s)) v += TableWeight<M, S>(e, kDefendedTable, s);
    if (FileOf(s) != 7 && (own.pawn & Bit(s + 1))) v += TableWeight<M, S>(e, kDuoTable, s);

    // Backward: a step ahead (or the double step) that an enemy pawn
    // controls and no own pawn does. Squares holding a pawn are passed over.
    const int rank = RelativeRank<S>(s);
    if (rank != 1 && rank != 2) continue;
    const Square steps[2] = {Ahead<S>(s), Ahead<S>(Ahead<S>(s))};
    for (int i = 0; i < (rank == 1 ? 2 : 1); ++i) {
      const Bitboard step = Bit(steps[i]);
      if (allPawns & step) continue;
      if ((PawnAttacks<E>(e) & step) && !(PawnAttacks<S>(e) & step)) {
        const Bitboard x = (Enemy<S>(p).pawn | DefendedPawns<S>(e)) & SpanAhead<S>(s);
        v += Weight<M, S>(e, kBackwardPawn, x ? RankDistance(s, Rearmost<S>(x)) : 0);
        break;
      }
    }
  }
  return v;
}

// Side S's doubled and isolated pawns, file by file, S's view.
template <int S, class M>
int FileTermsOf(const TreePosition& p, const EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  const Bitboard enemyPawns = Enemy<S>(p).pawn;
  int v = 0;
  for (int file = 0; file < 8; ++file) {
    const Bitboard onFile = own.pawn & FileMask[file];
    if (onFile == 0) continue;
    const bool isolated = (own.pawn & NeighbourFilesOf(file)) == 0;
    const int n = PopCount(onFile);
    if (!isolated && n == 1) continue;
    // The front pawn and the enemy pawns ahead of it on the file.
    const Square front = MostAdvanced<S>(onFile);
    const Bitboard blockers = enemyPawns & SpanAhead<S>(front);
    const int k = blockers ? RankDistance(front, Rearmost<S>(blockers)) - 1 : 0;
    // Lists by k: entry 0 without an enemy pawn ahead, k + 1 with one.
    const int byBlocker = blockers ? k + 1 : 0;
    if (n >= 3) {
      v += Weight<M, S>(e, kTripledPawns, isolated ? 0 : 1);
    } else if (n == 2) {
      if (isolated)
        v += Weight<M, S>(e, kDoubledIsolatedPawns);
      else
        v += Weight<M, S>(e, (DefendedPawns<S>(e) & Bit(front)) ? kDoubledDefendedPawns : kDoubledPawns, byBlocker);
    } else if (blockers) {
      v += Weight<M, S>(e, kIsolatedPawn, byBlocker);
    } else {
      // An isolated queen's pawn in the centre is milder with pieces on.
      const bool isolatedQueenPawn = file == 3 && (own.pawn & Bit(Relative<S>(D4))) && p.pieceUnits > 32;
      v += isolatedQueenPawn ? Weight<M, S>(e, kIsolatedQueenPawn) : Weight<M, S>(e, kIsolatedPawn, 0);
    }
  }
  return v;
}

}  // namespace

void FindPassedPawns(const TreePosition& p, const PawnHashEntry* hit, EvalScratch& e) {
  e.whitePassers = ScanPassers<kWhite>(p, hit ? WhitePasserCount(hit->flags) : 3);
  e.blackPassers = ScanPassers<kBlack>(p, hit ? BlackPasserCount(hit->flags) : 3);
}

template <int S, class M>
int PawnRace(const TreePosition& p, EvalScratch& e) {
  const SidePieces& own = Own<S>(p);
  const SidePieces& enemy = Enemy<S>(p);
  const int toMove = p.side == S ? 0 : 1;  // PawnSquare index in S's frame
  const Bitboard loneKing = Bit(Relative<S>(enemy.kingSquare));
  const bool kingAndPawns = enemy.pawn == 0 && Bare<S>(e);
  bool consulted = false;
  // Only the most advanced passer of each file races.
  for (Bitboard passers = Passers<S>(e); passers;) {
    const Square s = PopMostAdvanced<S>(passers);
    passers &= ~FileMask[FileOf(s)];
    // Rule of the square.
    if ((PawnSquare[toMove][Relative<S>(s)] & loneKing) == 0) return Weight<M, S>(e, kUnstoppablePasser);
    if (!kingAndPawns) continue;
    consulted = true;
    switch (KingAndPawnRules<S>(p, e, s)) {
      case KingPawnVerdict::kWin: return Weight<M, S>(e, kUnstoppablePasser);
      case KingPawnVerdict::kDraw: e.drawDetected = true; return 0;
      case KingPawnVerdict::kNone: break;
    }
  }
  if (!Bare<S>(e)) return Weight<M, S>(e, kPasserAgainstBareKing);
  return (PopCount(own.pawn) >= 2 && consulted) ? Weight<M, S>(e, kPasserAgainstBareKing) : 0;
}

int PassedPawnRace(const TreePosition& p, EvalScratch& e) { return PawnRace<kWhite>(p, e); }

template <class M>
int PassedPawnScore(const TreePosition& p, EvalScratch& e) {
  // Both sides' passers.
  int score = PassedOf<kWhite, M>(p, e) - PassedOf<kBlack, M>(p, e);
  // Passers against a king without pieces. Black's passers race White's
  // bare king exactly as White's race Black's.
  if (e.blackBare && e.whitePassers && (!e.whiteBare || !e.blackPassers)) score += PawnRace<kWhite, M>(p, e);
  if (e.whiteBare && e.blackPassers && (!e.blackBare || !e.whitePassers)) score -= PawnRace<kBlack, M>(p, e);
  return score;
}

template <class M>
int PawnStructure(const TreePosition& p, const EvalScratch& e, PawnHashEntry& entry, int s, int alpha, int beta,
                  int positionalMargin) {
  const uint16_t counts = PasserFlags(e);

  // Far outside the window the structure cannot matter: a partial entry.
  // (The traced evaluation has the full window.)
  if constexpr (!M::kTrace) {
    const int shortcutMargin = positionalMargin / 2;
    const int u = s + MaterialBalance<M>(p, e);
    if (u + shortcutMargin < alpha || u - shortcutMargin > beta) {
      entry = PawnHashEntry{p.pawnHashKey, 0, uint16_t(counts | kPawnEntryPartial)};
      return 0;
    }
  }
  // Pawn values, backward, doubled and isolated pawns of both sides.
  const int score = PawnTermsOf<kWhite, M>(p, e) - PawnTermsOf<kBlack, M>(p, e) + FileTermsOf<kWhite, M>(p, e) -
                    FileTermsOf<kBlack, M>(p, e);
  // The complete entry.
  entry = PawnHashEntry{p.pawnHashKey, int16_t(score), counts};
  return score;
}

#define RAVOK_INSTANTIATE(M)                                                                                      \
  template int PawnRace<kWhite, M>(const TreePosition&, EvalScratch&);                                           \
  template int PawnRace<kBlack, M>(const TreePosition&, EvalScratch&);                                           \
  template int PassedPawnScore<M>(const TreePosition&, EvalScratch&);                                            \
  template int PawnStructure<M>(const TreePosition&, const EvalScratch&, PawnHashEntry&, int, int, int, int);
RAVOK_FOR_EACH_EVAL_MODE(RAVOK_INSTANTIATE)
#undef RAVOK_INSTANTIATE
