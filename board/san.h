// Standard algebraic notation (SAN) on game positions: the reader and the
// writer.
#pragma once

#include <string>
#include <vector>

#include "board/game.h"

// Reads a move in standard algebraic notation in `position` and returns the
// move word that ParseMove gives for the same move in coordinates. Accepted:
//  - piece moves "Nf3", "Bxc6", told apart by the from-square's file, rank
//    or both ("Nbd2", "R1e2", "Qh4e1"); more than needed is fine, too little
//    (two pieces fit the text) is not;
//  - pawn pushes "e4" and captures "exd5", the en-passant capture written
//    the same way; a pawn capture names its file, a push no file or rank;
//  - promotions "e8=Q", "e8Q", "exd8=N" to N, B, R or Q, required on a
//    pawn's move to the last rank and refused on any other move;
//  - castling "O-O", "O-O-O", "0-0", "0-0-0" (the king's two-file move
//    written "Kg1" is refused);
//  - "x" may be left out of a capture ("Nd5" taking on d5, "ed5"), but a
//    move that takes nothing may not carry it;
//  - any trailing run of "+", "#", "!", "?": ignored, not checked.
// Piece and promotion letters are upper case, files lower case ("bxc3" is a
// pawn's capture, "Bxc3" a bishop's); no spaces, no " e.p.". Any other text,
// and text that fits no legal move or more than one, throws
// GameError("Invalid move."), as ParseMove does. The position is
// not changed.
Move ParseSanMove(const GamePosition& position, const std::string& text);

// What a SAN text says, read without a position: castling, or the moving
// piece, the from-square's file and rank where given, the capture mark, the
// target and the promotion piece. A pawn's capture has its from-file, a
// pawn's push none.
struct SanText {
  bool castling = false;
  bool kingSide = false;  // castling "O-O"
  int piece = kPawn;
  int fromFile = -1;      // -1: not given
  int fromRank = -1;
  bool captureMark = false;
  Square to = 0;
  int promotion = 0;      // 0: none given
};

// Reads the shape of a SAN text by the rules of ParseSanMove that need no
// position (a promotion letter is allowed on any pawn move here). False
// when the text is no SAN at all.
bool ReadSanText(const std::string& text, SanText& san);

// Does the move word's piece, from-square and target fit the text (the
// capture mark and the promotion are left to the caller)?
bool FitsSanText(const SanText& san, Move move);

// The SAN of a legal move: piece letter (none for pawns), the least
// disambiguation that makes it unique (the from-file, else the from-rank,
// else both), "x" on captures, the target, "=Q" on promotions, "O-O" and
// "O-O-O", and "+" for a check or "#" for a mate. ParseSanMove reads it back
// as the same move. An illegal move throws GameError("Invalid move.").
std::string SanMoveText(const GamePosition& position, Move move);

// The SAN of every move of the game, replayed from its start position.
std::vector<std::string> SanMoves(const Game& game);
