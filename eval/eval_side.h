// Side-relative helpers for the evaluation's White/Black twins. "Ahead" is
// toward rank 8 for White and toward rank 1 for Black; a relative square or
// rank is seen from the side's own back rank.
#pragma once

#include "base/tables.h"
#include "eval/eval_masks.h"

template <int S>
constexpr Square Relative(Square s) {
  return S == kWhite ? s : s ^ 56;
}
template <int S>
constexpr int RelativeRank(Square s) {
  return S == kWhite ? RankOf(s) : 7 - RankOf(s);
}
// The square one step ahead.
template <int S>
constexpr Square Ahead(Square s) {
  return S == kWhite ? s + 8 : s - 8;
}
// A set moved one rank ahead.
template <int S>
constexpr Bitboard ShiftAhead(Bitboard b) {
  return S == kWhite ? b << 8 : b >> 8;
}
// The squares the pawns of side S attack.
template <int S>
constexpr Bitboard PawnAttacksOfSet(Bitboard pawns) {
  constexpr Bitboard kNotFileA = ~Bitboard(0x0101010101010101ULL);
  constexpr Bitboard kNotFileH = ~Bitboard(0x8080808080808080ULL);
  if constexpr (S == kWhite) return ((pawns & kNotFileH) << 9) | ((pawns & kNotFileA) << 7);
  else return ((pawns & kNotFileH) >> 7) | ((pawns & kNotFileA) >> 9);
}
// The squares from which a pawn of side S attacks s (its defenders or attackers).
template <int S>
inline Bitboard PawnAttackersOf(Square s) {
  return S == kWhite ? BlackPawnAttacks[s] : WhitePawnAttacks[s];
}
// Squares from which a pawn of side S attacks s now or after advancing.
template <int S>
inline Bitboard PawnReach(Square s) {
  return S == kWhite ? WhitePawnReach[s] : BlackPawnReach[s];
}
// The file squares strictly ahead of s.
template <int S>
inline Bitboard SpanAhead(Square s) {
  return S == kWhite ? FrontSpan[s] : RearSpan[s];
}
// The most advanced and the rearmost square of a non-empty set.
template <int S>
inline Square MostAdvanced(Bitboard b) {
  return S == kWhite ? HighestBit(b) : LowestBit(b);
}
template <int S>
inline Square Rearmost(Bitboard b) {
  return S == kWhite ? LowestBit(b) : HighestBit(b);
}
// Removes and returns the rearmost / the most advanced square of a set.
template <int S>
inline Square PopRearmost(Bitboard& b) {
  return S == kWhite ? PopLowest(b) : PopHighest(b);
}
template <int S>
inline Square PopMostAdvanced(Bitboard& b) {
  return S == kWhite ? PopHighest(b) : PopLowest(b);
}

inline int RankDistance(Square a, Square b) {
  const int d = RankOf(a) - RankOf(b);
  return d < 0 ? -d : d;
}

inline Bitboard NeighbourFilesOf(int file) {
  return (file > 0 ? FileMask[file - 1] : 0) | (file < 7 ? FileMask[file + 1] : 0);
}
