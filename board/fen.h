// Forsyth-Edwards notation for game positions (tests, tools, "setboard").
#pragma once

#include <string>

#include "board/game.h"

// A refused FEN: the message, in the words the dialogues have always given
// it, and the same problem in plain words for a person, naming the field
// and what is wrong ("the castling rights (third field) must be K, Q, k, q
// or -, not 'x'").
class FenError : public GameError {
 public:
  FenError(std::string message, std::string plain) : GameError(std::move(message)), plain_(std::move(plain)) {}
  const std::string& plain() const { return plain_; }

 private:
  std::string plain_;
};

// Reads a FEN text of four to six fields. Malformed text and positions that
// fail the validity check throw FenError with the reason. An
// en-passant square is kept only where the game board would keep one (a pawn
// of the side to move stands beside the pawn that just made the double
// step); an en-passant square that no double step can explain is an error.
// `chess960` reads a Chess960 position: castling rights in Shredder-FEN
// (the rooks' files, "HAha") or X-FEN ("KQkq" for the outermost rooks, a
// file letter for another), the king anywhere on its first rank; the
// position is marked as Chess960.
GamePosition ParseFen(const std::string& fen, bool chess960 = false);

// A Chess960 FEN, or a standard one: read as standard chess where it can
// be, else as Chess960 (what the tools and the play mode's "load" take);
// refused with the standard reading's reason when neither fits.
GamePosition ParseAnyFen(const std::string& fen);

// Writes the position as FEN with the given move number; a Chess960
// position's castling rights in Shredder-FEN.
std::string ToFen(const GamePosition& position, int moveNumber = 1);
