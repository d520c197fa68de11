// Reading the moves of test-suite files: standard algebraic notation
// ("Nf3", "exd5", "Qxd5+", "e8=Q", "Nbd2", "O-O", "0-0-0") or coordinates
// ("g1f3", "e7e8q"), matched against the legal moves of the position.
#pragma once

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "position/basics.h"

namespace move_reader {

// What a move text says: the moving piece type, the target, the promotion
// piece (0 none) and, when given, the file (0-7) or rank (0-7) it leaves.
struct MoveText {
  int piece = kPawn;
  Square to = 0;
  int promotion = 0;
  int fromFile = -1;
  int fromRank = -1;
  Square from = -1;  // coordinate notation names the square itself
};

inline int PieceOfLetter(char c) {
  switch (c) {
    case 'N': return kKnight;
    case 'B': return kBishop;
    case 'R': return kRook;
    case 'Q': return kQueen;
    case 'K': return kKing;
    default: return 0;
  }
}

inline bool IsFile(char c) { return c >= 'a' && c <= 'h'; }
inline bool IsRank(char c) { return c >= '1' && c <= '8'; }

// Castling names the king's move of the side to move.
inline std::optional<MoveText> ReadCastling(const std::string& text, int side) {
  std::string letters;
  for (char c : text) letters += c == '0' ? 'O' : c;
  const Square home = side == kWhite ? E1 : E8;
  if (letters == "O-O") return MoveText{kKing, home + 2, 0, -1, -1, home};
  if (letters == "O-O-O") return MoveText{kKing, home - 2, 0, -1, -1, home};
  return std::nullopt;
}

// Parses one move text; nullopt when it is neither form.
inline std::optional<MoveText> Parse(std::string text, int side) {
  while (!text.empty() && (text.back() == '+' || text.back() == '#' || text.back() == '!' || text.back() == '?'))
    text.pop_back();
  if (auto castling = ReadCastling(text, side)) return castling;

  // Coordinates: from, to and a promotion letter of either case.
  if ((text.size() == 4 || text.size() == 5) && IsFile(text[0]) && IsRank(text[1]) && IsFile(text[2]) &&
      IsRank(text[3])) {
    MoveText move;
    move.from = MakeSquare(text[0] - 'a', text[1] - '1');
    move.to = MakeSquare(text[2] - 'a', text[3] - '1');
    move.piece = 0;  // read from the board
    if (text.size() == 5) {
      move.promotion = PieceOfLetter(char(std::toupper(static_cast<unsigned char>(text[4]))));
      if (move.promotion == 0 || move.promotion == kKing) return std::nullopt;
    }
    return move;
  }

  MoveText move;
  std::string rest = text;
  if (!rest.empty() && PieceOfLetter(rest[0]) != 0) {
    move.piece = PieceOfLetter(rest[0]);
    rest.erase(0, 1);
  }
  // A promotion ends the text: "e8=Q" or "e8Q".
  if (move.piece == kPawn && !rest.empty() && PieceOfLetter(rest.back()) != 0) {
    move.promotion = PieceOfLetter(rest.back());
    rest.pop_back();
    if (!rest.empty() && rest.back() == '=') rest.pop_back();
    if (move.promotion == kKing) return std::nullopt;
  }
  std::string squares;
  for (char c : rest)
    if (c != 'x' && c != ':' && c != '-') squares += c;
  if (squares.size() < 2 || squares.size() > 4) return std::nullopt;
  const size_t target = squares.size() - 2;
  if (!IsFile(squares[target]) || !IsRank(squares[target + 1])) return std::nullopt;
  move.to = MakeSquare(squares[target] - 'a', squares[target + 1] - '1');
  for (size_t i = 0; i < target; ++i) {
    if (IsFile(squares[i]))
      move.fromFile = squares[i] - 'a';
    else if (IsRank(squares[i]))
      move.fromRank = squares[i] - '1';
    else
      return std::nullopt;
  }
  return move;
}

inline bool Matches(const MoveText& text, Move move) {
  if (MoveTo(move) != text.to) return false;
  if (text.piece != 0 && MovePiece(move) != text.piece) return false;
  if (text.from >= 0 && MoveFrom(move) != text.from) return false;
  if (text.fromFile >= 0 && FileOf(MoveFrom(move)) != text.fromFile) return false;
  if (text.fromRank >= 0 && RankOf(MoveFrom(move)) != text.fromRank) return false;
  const int promotion = MovePiece(move) == kPawn ? MoveSpecial(move) : 0;
  return promotion == text.promotion;
}

// The one legal move that the text names; nullopt when it names none, or
// more than one (an ambiguous text).
inline std::optional<Move> Find(const std::string& text, int side, const std::vector<Move>& legalMoves) {
  const std::optional<MoveText> parsed = Parse(text, side);
  if (!parsed) return std::nullopt;
  std::optional<Move> found;
  for (Move move : legalMoves) {
    if (!Matches(*parsed, move)) continue;
    if (found) return std::nullopt;
    found = move;
  }
  return found;
}

}  // namespace move_reader
