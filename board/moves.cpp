// Reading move text into move words. The legal moves, the legality test and
// the game make-move are position/'s: the game position is loaded into the
// root record of a scratch position stack, and position/'s generators and
// make-move answer there.
#include "board/moves.h"

#include <cstring>

#include "base/tables.h"
#include "board/search_position.h"
#include "position/make_move.h"
#include "position/movegen.h"

namespace {

constexpr int Abs(int v) { return v < 0 ? -v : v; }

// Upper-case for ASCII letters only; other bytes (also non-ASCII ones) stay.
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// A finished game takes no more moves, nor does a position whose side to
// move is neither White nor Black.
bool TakesMoves(const GamePosition& p) {
  return p.result == kGameRunning && (p.sideToMove == kWhite || p.sideToMove == kBlack);
}

bool OnFirstOrLastRank(Square s) { return RankOf(s) == 0 || RankOf(s) == 7; }

}  // namespace

bool ReadSquareName(char file, char rank, Square& square) {
  const char letter = AsciiUpper(file);
  if (letter < 'A' || letter > 'H' || rank < '1' || rank > '8') return false;
  square = MakeSquare(letter - 'A', rank - '1');
  return true;
}

int PromotionOfLetter(char letter) {
  switch (AsciiUpper(letter)) {
    case 'B':
    case 'L':
      return kBishop;
    case 'N':
    case 'S':
      return kKnight;
    case 'R':
    case 'T':
      return kRook;
    default:
      return kQueen;
  }
}

Move BuildMoveWord(const GamePosition& p, Square from, Square to, int promotion) {
  const int piece = Abs(p.squares[from]);
  Move m = MakeMoveWord(from, to, piece, Abs(p.squares[to]));
  if (piece == kPawn) {
    if (!OnFirstOrLastRank(to)) {
      if (p.epSquare != 0 && to == p.epSquare) m = MakeMoveWord(from, to, kPawn, kPawn);
    } else {
      m |= Move(promotion) << 18;
    }
  }
  // The king's move to its castling square two files or more away is
  // castling; in Chess960 so is the king taking its own rook. Only the
  // castling word with exactly the king's square counts, so that text
  // naming the other side's king never turns into a castling of the side to
  // move.
  if (piece == kKing && (p.sideToMove == kWhite || p.sideToMove == kBlack)) {
    const int sign = p.sideToMove == kWhite ? 1 : -1;
    const int wing = to > from ? 0 : 1;
    const bool sideways = RankOf(to) == RankOf(from);
    const bool takesOwnRook = p.chess960 && sideways && p.squares[to] == sign * kRook &&
                              FileOf(to) == p.castlingRookFile[p.sideToMove][wing];
    if ((sideways && Abs(to - from) >= 2) || takesOwnRook) {
      const Move castling = CastlingWordOf(p.sideToMove, wing, from);
      if (MoveFrom(castling) == from && (MoveTo(castling) == to || takesOwnRook)) m = castling;
    }
  }
  return m;
}

Move CastlingMove(const GamePosition& p, int wing) { return CastlingWordOf(p.sideToMove, wing, p.FindOwnKing()); }

Move ParseMove(const GamePosition& p, const std::string& text) {
  const GameError invalid("Invalid move.");
  if (text.size() < 4) throw invalid;
  Square from = 0, to = 0;
  if (!ReadSquareName(text[0], text[1], from) || !ReadSquareName(text[2], text[3], to)) throw invalid;
  const int promotion = text.size() > 4 ? PromotionOfLetter(text[4]) : kQueen;
  const Move m = BuildMoveWord(p, from, to, promotion);
  if (!IsLegalMove(p, m)) throw invalid;
  return m;
}

std::vector<Move> LegalMoves(const GamePosition& p) {
  PositionStack stack;
  LoadTreePosition(stack.Root(), p);
  RootMove list[kMaxMovesPerPosition];
  const RootMove* end = GenerateLegalMoves(stack, list);
  std::vector<Move> moves;
  moves.reserve(end - list);
  for (const RootMove* m = list; m != end; ++m) moves.push_back(m->move);
  return moves;
}

std::vector<Move> PseudoLegalMoves(const GamePosition& p) {
  PositionStack stack;
  LoadTreePosition(stack.Root(), p);
  Move moves[2 * kMaxMovesPerPosition];
  const TreePosition& root = stack.Root();
  Move* end = p.sideToMove == kWhite ? GenerateQuiets<kWhite>(root, GenerateCaptures<kWhite>(root, moves))
                                     : GenerateQuiets<kBlack>(root, GenerateCaptures<kBlack>(root, moves));
  return {moves, end};
}

std::vector<Move> PlayableMoves(const GamePosition& p) { return TakesMoves(p) ? LegalMoves(p) : std::vector<Move>(); }

bool IsLegalMove(const GamePosition& p, Move m) {
  if (!TakesMoves(p)) return false;
  PositionStack stack;
  LoadTreePosition(stack.Root(), p);
  return IsLegal(stack, m);
}

void ApplyMove(GamePosition& p, Move m) {
  PositionStack stack;
  LoadTreePosition(stack.Root(), p);
  MakeMoveOfSideToMove(stack, m);
  const TreePosition& after = stack.Current();
  std::memcpy(p.squares, after.squares, sizeof p.squares);
  p.sideToMove = uint16_t(after.side);
  p.epSquare = uint16_t(after.epSquare);
  p.whiteCastling = uint16_t(after.white.castling);
  p.blackCastling = uint16_t(after.black.castling);
  p.halfMoveCounter = int16_t(after.halfMoveClock);
}
