// Basic vocabulary shared by every subsystem: squares, sets of squares,
// piece codes, sides and the 32-bit move word.
#pragma once

#include <bit>
#include <cstdint>

using Bitboard = uint64_t;  // bit n stands for square n
using Square = int;         // rank * 8 + file, a1 = 0, h1 = 7, a8 = 56, h8 = 63
using Move = uint32_t;      // the move word below; 0 = no move

enum Side : int { kWhite = 0, kBlack = 1 };

// Piece codes: White positive, Black negated, 0 empty.
enum PieceType : int { kEmpty = 0, kPawn = 1, kKnight = 2, kBishop = 3, kRook = 4, kQueen = 5, kKing = 6 };

// Letters by absolute piece code.
inline constexpr char kPieceLetters[] = " PNBRQK";

// Castling flags of one side.
inline constexpr int kCastleKingSide = 1;
inline constexpr int kCastleQueenSide = 2;

// Material values used by the search position and the search.
inline constexpr int kPawnValue = 100;
inline constexpr int kKnightValue = 300;
inline constexpr int kBishopValue = 320;
inline constexpr int kRookValue = 475;
inline constexpr int kQueenValue = 980;
inline constexpr int kKingValue = 25000;

// Value by piece type 0..6 (kings 25000, as the move ordering counts them).
inline constexpr int kPieceValue[8] = {0, kPawnValue, kKnightValue, kBishopValue, kRookValue, kQueenValue, kKingValue, 0};

constexpr int FileOf(Square s) { return s & 7; }
constexpr int RankOf(Square s) { return s >> 3; }
constexpr Square MakeSquare(int file, int rank) { return rank * 8 + file; }

// Square names used throughout the code.
enum : int {
  A1, B1, C1, D1, E1, F1, G1, H1,
  A2, B2, C2, D2, E2, F2, G2, H2,
  A3, B3, C3, D3, E3, F3, G3, H3,
  A4, B4, C4, D4, E4, F4, G4, H4,
  A5, B5, C5, D5, E5, F5, G5, H5,
  A6, B6, C6, D6, E6, F6, G6, H6,
  A7, B7, C7, D7, E7, F7, G7, H7,
  A8, B8, C8, D8, E8, F8, G8, H8
};

// ---------------------------------------------------------------------------
// The move word: bits 0-5 from, 6-11 to, 12-14 moving type, 15-17 captured
// type (1 for en passant), 18-20 special (castling 1/2 on a king move,
// promotion type on a pawn move), 21-31 zero in generated moves.
// ---------------------------------------------------------------------------
constexpr Square MoveFrom(Move m) { return m & 63; }
constexpr Square MoveTo(Move m) { return (m >> 6) & 63; }
constexpr int MovePiece(Move m) { return (m >> 12) & 7; }
constexpr int MoveCaptured(Move m) { return (m >> 15) & 7; }
constexpr int MoveSpecial(Move m) { return (m >> 18) & 7; }
constexpr Move MoveLow21(Move m) { return m & 0x1FFFFF; }

constexpr Move MakeMoveWord(Square from, Square to, int piece, int captured = 0, int special = 0) {
  return Move(from) | Move(to) << 6 | Move(piece) << 12 | Move(captured) << 15 | Move(special) << 18;
}

inline constexpr Move kWhiteCastleShort = MakeMoveWord(E1, G1, kKing, 0, 1);  // 287108
inline constexpr Move kWhiteCastleLong = MakeMoveWord(E1, C1, kKing, 0, 2);   // 548996
inline constexpr Move kBlackCastleShort = MakeMoveWord(E8, G8, kKing, 0, 1);  // 290748
inline constexpr Move kBlackCastleLong = MakeMoveWord(E8, C8, kKing, 0, 2);   // 552636
static_assert(kWhiteCastleShort == 287108 && kWhiteCastleLong == 548996);
static_assert(kBlackCastleShort == 290748 && kBlackCastleLong == 552636);

// ---------------------------------------------------------------------------
// Bit scans, on the processor's own instructions.
// ---------------------------------------------------------------------------
inline int LowestBit(Bitboard b) { return std::countr_zero(b); }           // b != 0
inline int HighestBit(Bitboard b) { return 63 - std::countl_zero(b); }     // b != 0
inline int PopCount(Bitboard b) { return std::popcount(b); }
inline int PopLowest(Bitboard& b) {
  int s = LowestBit(b);
  b &= b - 1;
  return s;
}
inline int PopHighest(Bitboard& b) {
  int s = HighestBit(b);
  b ^= Bitboard(1) << s;
  return s;
}
