// Static tables built once at start-up and only read afterwards: rotated
// bitboard indexes, sliding and leaping attacks, geometry and hash keys.
#pragma once

#include <cstdint>

#include "base/types.h"

extern Bitboard SquareMask[64];

// Rotated bit positions of every square; the shift to the first inner
// square of its diagonal in the rotated set and the mask of the diagonal's
// inner squares (see the slider tables below).
extern int32_t Rotate45[64];
extern int32_t Rotate90[64];
extern int32_t Rotate315[64];
extern int32_t Shift45[64];
extern int32_t Mask45[64];
extern int32_t Shift315[64];
extern int32_t Mask315[64];

// A square's bit in each of the four occupancy sets, in the order in which
// the search record keeps those sets (see OccupancyLanes in make_move.cpp).
struct alignas(32) OccupancyBits {
  Bitboard normal, rotated45, rotated90, rotated315;
};
extern OccupancyBits SquareOccupancyBits[64];

// Sliding attacks by square and the occupancy of the line's inner squares
// (at most six): whether the end squares are occupied never matters, since
// an attack reaches them either way. This keeps the four tables at 32 KiB
// each instead of 128, which the caches hold far better.
extern Bitboard RankAttacks[64][64];
extern Bitboard FileAttacks[64][64];
extern Bitboard DiagA1H8Attacks[64][64];
extern Bitboard DiagH1A8Attacks[64][64];

extern Bitboard KnightAttacks[64];
extern Bitboard KingAttacks[64];
extern Bitboard WhitePawnAttacks[64];  // squares a white pawn on the square attacks
extern Bitboard BlackPawnAttacks[64];

// Direction codes from the first square to the second: 1 west, 2 east,
// 3 north, 4 south, 5 north-west, 6 north-east, 7 south-west, 8 south-east,
// 0 when not aligned.
enum DirectionCode : int { kNoDirection = 0, kWest = 1, kEast, kNorth, kSouth, kNorthWest, kNorthEast, kSouthWest, kSouthEast };
extern int32_t Direction[64][64];
extern Bitboard Between[64][64];  // squares strictly between two aligned squares
extern Bitboard Rays[9][64];      // by direction code 1..8, the square excluded

extern int32_t KingDistance[64][64];
extern int32_t ManhattanDistance[64][64];
extern Bitboard DiagonalA1H8Through[64];
extern Bitboard DiagonalH1A8Through[64];

// Squares from which an enemy pawn could take en passant onto the square.
// The same value is the hash key of that en-passant square.
extern Bitboard EnPassantSources[64];

// Hash keys: one per piece code and square, by code + 6, then square (make-
// move's two keys of one piece share a row); the constant keys.
extern uint64_t PieceKeysByCode[13][64];
extern const uint64_t SideKey;
// By side and castling bit: [side][0] king's side, [side][1] queen's side.
extern const uint64_t CastlingKeys[2][2];
// Pawn-structure keys: the 32-bit halves of the first 64 keys drawn.
extern uint32_t WhitePawnKeys[64];
extern uint32_t BlackPawnKeys[64];

inline uint64_t PieceKey(Square s, int code) { return PieceKeysByCode[code + 6][s]; }
inline uint64_t CastlingRightsKey(int side, int flags) {
  uint64_t k = 0;
  if (flags & kCastleKingSide) k ^= CastlingKeys[side][0];
  if (flags & kCastleQueenSide) k ^= CastlingKeys[side][1];
  return k;
}

// Builds every table in start-up order. Called once, before any position is
// loaded.
void InitStaticTables();

// ---------------------------------------------------------------------------
// Slider look-ups on the four occupancy sets.
// ---------------------------------------------------------------------------
inline Bitboard RankAttacksOf(Square s, Bitboard occupied) {
  return RankAttacks[s][(occupied >> (RankOf(s) * 8 + 1)) & 63];
}
inline Bitboard FileAttacksOf(Square s, Bitboard occupied90) {
  return FileAttacks[s][(occupied90 >> ((7 - FileOf(s)) * 8 + 1)) & 63];
}
inline Bitboard DiagA1H8AttacksOf(Square s, Bitboard occupied45) {
  return DiagA1H8Attacks[s][(occupied45 >> Shift45[s]) & Mask45[s]];
}
inline Bitboard DiagH1A8AttacksOf(Square s, Bitboard occupied315) {
  return DiagH1A8Attacks[s][(occupied315 >> Shift315[s]) & Mask315[s]];
}
inline Bitboard RookAttacksOf(Square s, Bitboard occupied, Bitboard occupied90) {
  return RankAttacksOf(s, occupied) | FileAttacksOf(s, occupied90);
}
inline Bitboard BishopAttacksOf(Square s, Bitboard occupied45, Bitboard occupied315) {
  return DiagA1H8AttacksOf(s, occupied45) | DiagH1A8AttacksOf(s, occupied315);
}

// The four occupancy sets of a square array (for code outside the search).
struct Occupancy {
  Bitboard occupied = 0, occupied45 = 0, occupied90 = 0, occupied315 = 0;
  void Add(Square s) {
    occupied |= SquareMask[s];
    occupied45 |= SquareMask[Rotate45[s]];
    occupied90 |= SquareMask[Rotate90[s]];
    occupied315 |= SquareMask[Rotate315[s]];
  }
  Bitboard Rook(Square s) const { return RookAttacksOf(s, occupied, occupied90); }
  Bitboard Bishop(Square s) const { return BishopAttacksOf(s, occupied45, occupied315); }
};

// Lower-case square name ("e4").
inline void AppendSquareName(char* out, Square s) {
  out[0] = char('a' + FileOf(s));
  out[1] = char('1' + RankOf(s));
}
