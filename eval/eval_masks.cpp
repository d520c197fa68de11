#include "eval/eval_masks.h"

Bitboard FileMask[8];
Bitboard RankMask[8];
Bitboard EdgeMask;
Bitboard CentreMask;
Bitboard CentreRingMask;
Bitboard QueensideFilesMask;
Bitboard KingsideFilesMask;
Bitboard ShelterZone[2][2];
Bitboard RookCornerZone[2][2];
Bitboard PassedMask[2][64];
Bitboard FrontSpan[64];
Bitboard RearSpan[64];
Bitboard WhitePawnReach[64];
Bitboard BlackPawnReach[64];
Bitboard PawnSquare[2][64];

namespace {

Bitboard Bit(Square s) { return Bitboard(1) << s; }

// Squares of files f0..f1 and ranks r0..r1 (0-based), clipped to the board.
Bitboard Region(int f0, int f1, int r0, int r1) {
  Bitboard b = 0;
  for (int r = r0 < 0 ? 0 : r0; r <= r1 && r < 8; ++r)
    for (int f = f0 < 0 ? 0 : f0; f <= f1 && f < 8; ++f) b |= Bit(MakeSquare(f, r));
  return b;
}

Bitboard NeighbourFiles(int file) {
  return (file > 0 ? FileMask[file - 1] : 0) | (file < 7 ? FileMask[file + 1] : 0);
}

void InitSquareSets() {
  EdgeMask = RankMask[0] | RankMask[7] | FileMask[0] | FileMask[7];
  CentreMask = Bit(D4) | Bit(E4) | Bit(D5) | Bit(E5);
  CentreRingMask = Region(2, 5, 2, 5) & ~CentreMask;
  QueensideFilesMask = FileMask[0] | FileMask[1] | FileMask[2];
  KingsideFilesMask = FileMask[5] | FileMask[6] | FileMask[7];

  ShelterZone[kWhite][kQueenSide] = Region(0, 2, 0, 2);
  ShelterZone[kWhite][kKingSide] = Region(5, 7, 0, 2);
  ShelterZone[kBlack][kQueenSide] = Region(0, 2, 5, 7);
  ShelterZone[kBlack][kKingSide] = Region(5, 7, 5, 7);

  RookCornerZone[kWhite][kQueenSide] = Bit(A1) | Bit(B1) | Bit(C1) | Bit(A2) | Bit(B2) | Bit(A3) | Bit(B3);
  RookCornerZone[kWhite][kKingSide] = Bit(G1) | Bit(H1) | Bit(G2) | Bit(H2) | Bit(H3);
  RookCornerZone[kBlack][kQueenSide] = Bit(A8) | Bit(B8) | Bit(C8) | Bit(A7) | Bit(B7) | Bit(A6) | Bit(B6);
  RookCornerZone[kBlack][kKingSide] = Bit(G8) | Bit(H8) | Bit(G7) | Bit(H7) | Bit(H6);
}

void InitPawnTables() {
  for (Square s = 0; s < 64; ++s) {
    const int file = FileOf(s), rank = RankOf(s);
    const Bitboard adjacent = NeighbourFiles(file);
    const Bitboard above = rank < 7 ? Region(0, 7, rank + 1, 7) : 0;
    const Bitboard below = rank > 0 ? Region(0, 7, 0, rank - 1) : 0;

    FrontSpan[s] = FileMask[file] & above;
    RearSpan[s] = FileMask[file] & below;
    PassedMask[kWhite][s] = (FileMask[file] | adjacent) & above;
    PassedMask[kBlack][s] = (FileMask[file] | adjacent) & below;
    WhitePawnReach[s] = rank >= 2 ? adjacent & Region(0, 7, 1, rank - 1) : 0;
    BlackPawnReach[s] = rank <= 5 ? adjacent & Region(0, 7, rank + 1, 6) : 0;

    PawnSquare[kWhite][s] = PawnSquare[kBlack][s] = 0;
    if (rank >= 1 && rank <= 6) {
      const int start = rank == 1 ? 2 : rank;  // the double step counts as one move
      const int n = 7 - start;                 // moves to promotion
      PawnSquare[kWhite][s] = Region(file - n, file + n, start, 7);
      PawnSquare[kBlack][s] = Region(file - n - 1, file + n + 1, start - 1, 7);
    }
  }
}

}  // namespace

void InitEvaluationMasks() {
  for (int i = 0; i < 8; ++i) {
    FileMask[i] = Bitboard(0x0101010101010101ULL) << i;
    RankMask[i] = Bitboard(0xFF) << (8 * i);
  }
  InitSquareSets();
  InitPawnTables();
}
