// The search position: one record per ply, copied forward by make-move.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/types.h"

// One side's pieces and counters.
struct SidePieces {
  Bitboard pawn;
  Bitboard knight;
  Bitboard bishop;
  Bitboard rook;
  Bitboard queen;
  Bitboard queen_and_rook;
  Bitboard queen_and_bishop;
  Bitboard friendly;   // all the side's pieces, king included
  int32_t kingSquare;
  int32_t valMinors;   // 3 per knight and per bishop
  int32_t valMajors;   // 1 per rook, 2 per queen
  int32_t numPawns;
  int32_t castling;    // kCastleKingSide | kCastleQueenSide
};

// The search position of one ply. Every field is kept exact by make-move;
// BuildFromSquares computes the same record from scratch.
//
// Make-move copies the record, so its layout is chosen for the copy: no
// padding holes, the record aligned to and sized in whole 64-byte cache
// lines, and the fields that every move rewrites (the occupancy sets, the
// key, the last move and the side to move) together in the first 48 bytes,
// which make-move therefore does not need to copy (kRewrittenByEveryMove).
struct alignas(64) TreePosition {
  Bitboard occupied;
  Bitboard occupied45;   // bit positions by Rotate45
  Bitboard occupied90;   // bit positions by Rotate90
  Bitboard occupied315;  // bit positions by Rotate315
  uint64_t hashKey;
  uint32_t lastMove;
  int32_t side;             // side to move
  SidePieces white;
  SidePieces black;
  int32_t pieceUnits;       // both sides: 3 per minor, 5 per rook, 9 per queen
  int32_t materialBalance;  // White minus Black
  int32_t epSquare;         // 0 = none; set only when an enemy pawn can take
  uint32_t pawnHashKey;
  int32_t halfMoveClock;
  uint8_t kingAttacked;     // the king of the side to move is attacked
  int8_t squares[64];
  // The square of the rook each castling right castles with, by side and
  // wing ([side][0] the king's side, [side][1] the queen's side): h1, a1,
  // h8 and a8 in standard chess, wherever the start put them in Chess960.
  // Fixed for a game; it rides in the padding after the board.
  uint8_t castlingRook[2][2];
};
static_assert(sizeof(TreePosition) == 320, "five cache lines");

// Bytes at the start of the record that every make-move writes afresh.
inline constexpr unsigned kRewrittenByEveryMove = 48;
static_assert(offsetof(TreePosition, side) + sizeof(int32_t) == kRewrittenByEveryMove);

// Bytes up to the end of the castling rooks in whole 16-byte chunks; what
// follows is padding, which the copy skips.
inline constexpr unsigned kUsedBytes = (offsetof(TreePosition, castlingRook) + 4 + 15) / 16 * 16;
static_assert(kUsedBytes == (offsetof(TreePosition, squares) + 64 + 15) / 16 * 16, "the rooks cost no copying");
static_assert(kUsedBytes <= sizeof(TreePosition));

// Copies a record from byte `first` on (a multiple of 16) with plain 16-byte
// moves; the library's block copy costs more start-up time than the copy
// itself at this size.
template <unsigned first = 0>
inline void CopyPosition(TreePosition& to, const TreePosition& from) {
  static_assert(first % 16 == 0);
  typedef long long Chunk __attribute__((vector_size(16), may_alias));
  Chunk* out = reinterpret_cast<Chunk*>(&to);
  const Chunk* in = reinterpret_cast<const Chunk*>(&from);
#pragma GCC unroll 20
  for (unsigned i = first / sizeof(Chunk); i < kUsedBytes / sizeof(Chunk); ++i) out[i] = in[i];
}

// The deepest path the searches may walk (the classic search stops at 38
// plies, the selective one at kSelectiveLastPly), and room in the key
// history for a game's reversible moves before it plus such a path.
inline constexpr int kMaxPly = 100;
inline constexpr int kKeyHistorySize = 210;

// The search position: one record per ply of the path from the root, made
// by copy-make, and the keys that the repetition test compares.
struct PositionStack {
  // The per-ply records, index = ply (0 = root), and the current ply.
  TreePosition positions[kMaxPly];
  int ply = 0;
  // Keys of the game positions since the last capture or pawn move, the
  // root last (at keyHistoryRoot), followed by the key of each ply of the
  // search path: the position at ply p is at keyHistoryRoot + p.
  uint64_t keyHistory[kKeyHistorySize];
  int keyHistoryRoot = 0;

  TreePosition& Current() { return positions[ply]; }
  const TreePosition& Current() const { return positions[ply]; }
  TreePosition& Root() { return positions[0]; }
  const TreePosition& Root() const { return positions[0]; }
};

// Side-generic access for the White/Black twins.
template <int S>
inline SidePieces& Own(TreePosition& p) {
  if constexpr (S == kWhite) return p.white; else return p.black;
}
template <int S>
inline const SidePieces& Own(const TreePosition& p) {
  if constexpr (S == kWhite) return p.white; else return p.black;
}
template <int S>
inline SidePieces& Enemy(TreePosition& p) {
  if constexpr (S == kWhite) return p.black; else return p.white;
}
template <int S>
inline const SidePieces& Enemy(const TreePosition& p) {
  if constexpr (S == kWhite) return p.black; else return p.white;
}
