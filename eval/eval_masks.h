// Square sets and per-square tables of the evaluation. They are constants
// computed by the compiler: a look-up with a fixed index folds into the
// code, and nothing needs building at start-up.
#pragma once

#include <array>

#include "base/types.h"

// The two wings a king can shelter on: files a-c and files f-h.
enum Wing : int { kQueenSide = 0, kKingSide = 1 };

namespace eval_masks {

constexpr Bitboard Bit(Square s) { return Bitboard(1) << s; }

// Squares of files f0..f1 and ranks r0..r1 (0-based), clipped to the board.
constexpr Bitboard Region(int f0, int f1, int r0, int r1) {
  Bitboard b = 0;
  for (int r = r0 < 0 ? 0 : r0; r <= r1 && r < 8; ++r)
    for (int f = f0 < 0 ? 0 : f0; f <= f1 && f < 8; ++f) b |= Bit(MakeSquare(f, r));
  return b;
}

constexpr Bitboard File(int file) { return Bitboard(0x0101010101010101ULL) << file; }
constexpr Bitboard Rank(int rank) { return Bitboard(0xFF) << (8 * rank); }
constexpr Bitboard NeighbourFiles(int file) {
  return (file > 0 ? File(file - 1) : 0) | (file < 7 ? File(file + 1) : 0);
}

using SquareTable = std::array<Bitboard, 64>;

// Fills a table square by square from `f(square)`.
template <typename F>
constexpr SquareTable BySquare(F f) {
  SquareTable table{};
  for (Square s = 0; s < 64; ++s) table[s] = f(s);
  return table;
}

constexpr Bitboard Above(Square s) { return RankOf(s) < 7 ? Region(0, 7, RankOf(s) + 1, 7) : 0; }
constexpr Bitboard Below(Square s) { return RankOf(s) > 0 ? Region(0, 7, 0, RankOf(s) - 1) : 0; }

// The square of a White pawn on ranks 2-7; `blackToMove` widens it by one.
constexpr Bitboard PawnSquareOf(Square s, bool blackToMove) {
  const int file = FileOf(s), rank = RankOf(s);
  if (rank < 1 || rank > 6) return 0;
  const int start = rank == 1 ? 2 : rank;  // the double step counts as one move
  const int n = 7 - start;                 // moves to promotion
  return blackToMove ? Region(file - n - 1, file + n + 1, start - 1, 7) : Region(file - n, file + n, start, 7);
}

// By file a = 0 .. h = 7 and by rank 1 = 0 .. 8 = 7.
inline constexpr Bitboard FileMask[8] = {File(0), File(1), File(2), File(3), File(4), File(5), File(6), File(7)};
inline constexpr Bitboard RankMask[8] = {Rank(0), Rank(1), Rank(2), Rank(3), Rank(4), Rank(5), Rank(6), Rank(7)};
// Ranks 1 and 8, files a and h.
inline constexpr Bitboard EdgeMask = RankMask[0] | RankMask[7] | FileMask[0] | FileMask[7];
// d4, e4, d5, e5.
inline constexpr Bitboard CentreMask = Bit(D4) | Bit(E4) | Bit(D5) | Bit(E5);
// The twelve squares around the centre.
inline constexpr Bitboard CentreRingMask = Region(2, 5, 2, 5) & ~CentreMask;
inline constexpr Bitboard QueensideFilesMask = FileMask[0] | FileMask[1] | FileMask[2];  // files a-c
inline constexpr Bitboard KingsideFilesMask = FileMask[5] | FileMask[6] | FileMask[7];   // files f-h

// The nine squares in front of a castled king: [side][wing].
inline constexpr Bitboard ShelterZone[2][2] = {
    {Region(0, 2, 0, 2), Region(5, 7, 0, 2)},
    {Region(0, 2, 5, 7), Region(5, 7, 5, 7)},
};
// The corner in which a rook is shut in by its own king: [side][wing].
inline constexpr Bitboard RookCornerZone[2][2] = {
    {Bit(A1) | Bit(B1) | Bit(C1) | Bit(A2) | Bit(B2) | Bit(A3) | Bit(B3),
     Bit(G1) | Bit(H1) | Bit(G2) | Bit(H2) | Bit(H3)},
    {Bit(A8) | Bit(B8) | Bit(C8) | Bit(A7) | Bit(B7) | Bit(A6) | Bit(B6),
     Bit(G8) | Bit(H8) | Bit(G7) | Bit(H7) | Bit(H6)},
};

// Squares of the file strictly ahead of the square toward rank 8 / strictly
// behind it toward rank 1.
inline constexpr SquareTable FrontSpan = BySquare([](Square s) { return File(FileOf(s)) & Above(s); });
inline constexpr SquareTable RearSpan = BySquare([](Square s) { return File(FileOf(s)) & Below(s); });
// Squares from which a pawn of that colour attacks the square now or after
// advancing: neighbouring files from rank 2 up to the rank below (White),
// from rank 7 down to the rank above (Black).
inline constexpr SquareTable WhitePawnReach =
    BySquare([](Square s) { return RankOf(s) >= 2 ? NeighbourFiles(FileOf(s)) & Region(0, 7, 1, RankOf(s) - 1) : 0; });
inline constexpr SquareTable BlackPawnReach =
    BySquare([](Square s) { return RankOf(s) <= 5 ? NeighbourFiles(FileOf(s)) & Region(0, 7, RankOf(s) + 1, 6) : 0; });
// The square of a White pawn on ranks 2-7 (rule of the square):
// [0] White to move, [1] Black to move. A lone king outside it cannot catch
// the pawn.
inline constexpr SquareTable PawnSquare[2] = {
    BySquare([](Square s) { return PawnSquareOf(s, false); }),
    BySquare([](Square s) { return PawnSquareOf(s, true); }),
};

}  // namespace eval_masks

using eval_masks::BlackPawnReach;
using eval_masks::CentreMask;
using eval_masks::CentreRingMask;
using eval_masks::EdgeMask;
using eval_masks::FileMask;
using eval_masks::FrontSpan;
using eval_masks::KingsideFilesMask;
using eval_masks::PawnSquare;
using eval_masks::QueensideFilesMask;
using eval_masks::RankMask;
using eval_masks::RearSpan;
using eval_masks::RookCornerZone;
using eval_masks::ShelterZone;
using eval_masks::WhitePawnReach;
