// Move words as text: the upper-case coordinates of the console, the long
// form of the console's reports and the coordinate form of the protocol.
#include "base/fatal_error.h"
#include "base/tables.h"
#include "board/moves.h"

namespace {

// Upper-case letter of a piece type; '?' for a type no piece has.
char PieceLetter(int type) { return type >= kPawn && type <= kKing ? kPieceLetters[type] : '?'; }

// The promotion letter of a pawn move, 0 for every other move.
char PromotionLetter(Move m) {
  if (MovePiece(m) != kPawn || MoveSpecial(m) < kKnight || MoveSpecial(m) > kQueen) return 0;
  return PieceLetter(MoveSpecial(m));
}

void AppendSquare(std::string& text, Square s, bool upper) {
  text += char((upper ? 'A' : 'a') + FileOf(s));
  text += char('1' + RankOf(s));
}

}  // namespace

std::string MoveToText(const GamePosition& position, Move move, int form) {
  if (!IsLegalMove(position, move)) throw GameError("Invalid move.");
  switch (form) {
    case kMoveTextUpperCoordinates: {
      std::string text;
      AppendSquare(text, MoveFrom(move), true);
      AppendSquare(text, MoveTo(move), true);
      return text;
    }
    case kMoveTextAlgebraic:
      FatalError("Algebraic not implemented!");
    case kMoveTextLong:
      return LongMoveText(move);
    default:
      FatalError("MoveToText() switch fell through");
  }
}

std::string LongMoveText(Move move) {
  std::string text;
  if (MovePiece(move) != kPawn) text += PieceLetter(MovePiece(move));
  AppendSquare(text, MoveFrom(move), false);
  text += MoveCaptured(move) != 0 ? 'x' : '-';
  AppendSquare(text, MoveTo(move), false);
  if (char letter = PromotionLetter(move)) text += letter;
  return text;
}

void AppendCoordinateMoveText(std::string& text, Move move) {
  AppendSquare(text, MoveFrom(move), false);
  AppendSquare(text, MoveTo(move), false);
  if (char letter = PromotionLetter(move)) text += char(letter - 'A' + 'a');
}

std::string CoordinateMoveText(Move move) {
  std::string text;
  AppendCoordinateMoveText(text, move);
  return text;
}

void AppendCoordinateMoveText(std::string& text, Move move, const GamePosition& game) {
  if (!game.chess960 || MovePiece(move) != kKing || MoveSpecial(move) == 0) return AppendCoordinateMoveText(text, move);
  const Square from = MoveFrom(move);
  const int side = RankOf(from) == 0 ? kWhite : kBlack;
  AppendSquare(text, from, false);
  AppendSquare(text, MakeSquare(game.castlingRookFile[side][MoveSpecial(move) - 1], RankOf(from)), false);
}

std::string CoordinateMoveText(Move move, const GamePosition& game) {
  std::string text;
  AppendCoordinateMoveText(text, move, game);
  return text;
}
