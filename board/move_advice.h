// Reading a move a person types, in standard notation or in coordinates,
// and saying in a person's words why a word is no legal move.
#pragma once

#include <string>

#include "board/game.h"

enum class MoveProblem {
  kNone,                   // a legal move
  kNotAMove,               // the word reads as no move at all
  kGameOver,               // the game has ended: no move is legal
  kNoSuchMove,             // no own piece fits the move's piece and squares
  kLeavesKingInCheck,      // the move fails only because the own king would be attacked
  kAmbiguous,              // more than one legal move fits the text
  kPromotionPieceMissing,  // a pawn reaching the last rank without the piece it becomes
  kCastlingNotAllowed,
};

struct TypedMove {
  Move move = 0;  // the legal move when `problem` is kNone
  MoveProblem problem = MoveProblem::kNotAMove;
  // Why not, without a full stop: "not a move", "the game is over", "no
  // knight can go to f5", "the pawn on e2 cannot go to e5", "there is no
  // piece on e3", "there is nothing to take on f3", "your king would be in
  // check", "Nce2 or Nge2?" (the candidates in SAN), "say which piece the
  // pawn becomes: e8=Q, e8=R, e8=B or e8=N", "castling is not allowed now:
  // your king is in check". Empty for a legal move.
  std::string message;
};

// Reads `word` in `position`: standard notation as ParseSanMove reads it,
// else two square names and an optional promotion letter ("e2e4", "E7E8q",
// castling as the king's move "e1g1") in coordinates (no word is both but
// "B1e2" and its like, which are a bishop's move).
// Unlike ParseMove, a pawn's move to the last rank needs its promotion
// letter, and a promotion letter on any other move is refused. The
// position is not changed; nothing is thrown.
TypedMove ReadTypedMove(const GamePosition& position, const std::string& word);

// Reads what a person types as forgivingly as it can be read without a
// guess: as ReadTypedMove, and where that finds no legal move, the word
// with small piece letters ("nf3", "qd4", "ke2"), capital files ("NF3",
// "E4"), small castling letters ("o-o", "o-o-o"), a small promotion letter
// ("e8=q", "e8q") read as meant; an en-passant mark after a capture
// ("exf6ep", "exf6e.p.") is dropped. "bxc3" stays a pawn's capture, but
// where a bishop's capture on c3 is legal too (or the word is "BXC3") both
// readings are offered: kAmbiguous, "the pawn's capture (type b2c3) or the
// bishop's (type Bxc3)?". The problem of a word that no reading makes
// legal is that of the word as typed, else of its first reading that is a
// move at all.
TypedMove ReadForgivingMove(const GamePosition& position, const std::string& word);

// "e.p.", "ep" or "e.p" in either case: the en-passant mark a person may
// write after a capture, also as a word of its own.
bool IsEnPassantMark(const std::string& word);

// The word as it may be shown in a message: printable ASCII kept, any other
// byte as '?', cut after 40 characters with "...".
std::string ShownWord(const std::string& word);
