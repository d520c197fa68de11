// Square sets and per-square tables of the evaluation, built once at start-up
// together with the static tables of the search position.
#pragma once

#include "base/types.h"

// The two wings a king can shelter on: files a-c and files f-h.
enum Wing : int { kQueenSide = 0, kKingSide = 1 };

extern Bitboard FileMask[8];  // by file a = 0 .. h = 7
extern Bitboard RankMask[8];  // by rank 1 = 0 .. 8 = 7
extern Bitboard EdgeMask;     // ranks 1 and 8, files a and h
extern Bitboard CentreMask;   // d4, e4, d5, e5
extern Bitboard CentreRingMask;  // the twelve squares around the centre
extern Bitboard QueensideFilesMask;  // files a-c
extern Bitboard KingsideFilesMask;   // files f-h

// The nine squares in front of a castled king: [side][wing].
extern Bitboard ShelterZone[2][2];
// The corner in which a rook is shut in by its own king: [side][wing].
extern Bitboard RookCornerZone[2][2];

// [side of the pawn][square]: the squares ahead of the pawn on its own and
// the neighbouring files. A pawn is passed when no enemy pawn stands there.
extern Bitboard PassedMask[2][64];
// Squares of the file strictly ahead of the square toward rank 8 / strictly
// behind it toward rank 1.
extern Bitboard FrontSpan[64];
extern Bitboard RearSpan[64];
// Squares from which a pawn of that colour attacks the square now or after
// advancing: neighbouring files from rank 2 up to the rank below (White),
// from rank 7 down to the rank above (Black).
extern Bitboard WhitePawnReach[64];
extern Bitboard BlackPawnReach[64];
// The square of a White pawn on ranks 2-7 (rule of the square):
// [0] White to move, [1] Black to move. A lone king outside it cannot catch
// the pawn.
extern Bitboard PawnSquare[2][64];

// Builds every set above. Called once at start-up, after InitStaticTables.
void InitEvaluationMasks();
