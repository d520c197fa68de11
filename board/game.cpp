#include "board/game.h"

#include <cstring>

#include "base/fatal_error.h"
#include "base/tables.h"
#include "board/game_over.h"
#include "board/moves.h"

GamePosition GamePosition::Initial() {
  static const int8_t kBackRank[8] = {4, 2, 3, 5, 6, 3, 2, 4};
  GamePosition p;
  std::memset(p.squares, 0, sizeof p.squares);
  for (int f = 0; f < 8; ++f) {
    p.squares[MakeSquare(f, 0)] = kBackRank[f];
    p.squares[MakeSquare(f, 1)] = 1;
    p.squares[MakeSquare(f, 6)] = -1;
    p.squares[MakeSquare(f, 7)] = int8_t(-kBackRank[f]);
  }
  p.sideToMove = kWhite;
  p.epSquare = 0;
  p.whiteCastling = kCastleKingSide | kCastleQueenSide;
  p.blackCastling = kCastleKingSide | kCastleQueenSide;
  p.halfMoveCounter = 0;
  p.result = kGameRunning;
  p.reason = kReasonUnknown;
  return p;
}

bool IsSquareAttacked(const int8_t squares[64], Square target, int attacker) {
  const Bitboard targetMask = SquareMask[target];
  bool occupancyBuilt = false;
  Occupancy occupancy;
  for (Square i = 0; i < 64; ++i) {
    int code = squares[i];
    if (code == 0 || (code > 0) != (attacker == kWhite)) continue;
    int type = code < 0 ? -code : code;
    bool hit = false;
    switch (type) {
      case kPawn:
        hit = (attacker == kWhite ? WhitePawnAttacks[i] : BlackPawnAttacks[i]) & targetMask;
        break;
      case kKnight:
        hit = KnightAttacks[i] & targetMask;
        break;
      case kKing:
        hit = KingAttacks[i] & targetMask;
        break;
      case kBishop:
      case kRook:
      case kQueen: {
        if (!occupancyBuilt) {
          occupancy = Occupancy::FromSquares(squares);
          occupancyBuilt = true;
        }
        Bitboard attacks = 0;
        if (type != kRook) attacks |= occupancy.Bishop(i);
        if (type != kBishop) attacks |= occupancy.Rook(i);
        hit = attacks & targetMask;
        break;
      }
      default:
        FatalError("GamePosition: switch durchgefallen!");
    }
    if (hit) return true;
  }
  return false;
}

Square GamePosition::FindOwnKing() const {
  const int king = sideToMove == kWhite ? kKing : -kKing;
  for (Square s = 0; s < 64; ++s)
    if (squares[s] == king) return s;
  FatalError("GamePosition::FindOwnKing() found no king.");
}

namespace {

bool Fail(std::string* message, const char* text) {
  if (message != nullptr) *message = text;
  return false;
}

// The en-passant rule: the pawn that just made a double step stands beyond
// the square, the square and the one it came from are empty, and a pawn of
// the side to move stands beside it.
bool ValidEnPassant(const GamePosition& p) {
  const int ep = p.epSquare;
  if (p.sideToMove == kWhite) {
    if (ep < A6 || ep > H6) return false;
    if (p.squares[ep - 8] != -1 || p.squares[ep] != 0 || p.squares[ep + 8] != 0) return false;
    return (FileOf(ep) > 0 && p.squares[ep - 9] == 1) || (FileOf(ep) < 7 && p.squares[ep - 7] == 1);
  }
  if (ep < A3 || ep > H3) return false;
  if (p.squares[ep + 8] != 1 || p.squares[ep] != 0 || p.squares[ep - 8] != 0) return false;
  return (FileOf(ep) > 0 && p.squares[ep + 7] == -1) || (FileOf(ep) < 7 && p.squares[ep + 9] == -1);
}

bool ValidCastlingFlags(const GamePosition& p) {
  const int8_t* sq = p.squares;
  if ((p.whiteCastling & kCastleKingSide) && !(sq[E1] == kKing && sq[H1] == kRook)) return false;
  if ((p.whiteCastling & kCastleQueenSide) && !(sq[E1] == kKing && sq[A1] == kRook)) return false;
  if ((p.blackCastling & kCastleKingSide) && !(sq[E8] == -kKing && sq[H8] == -kRook)) return false;
  if ((p.blackCastling & kCastleQueenSide) && !(sq[E8] == -kKing && sq[A8] == -kRook)) return false;
  return true;
}

}  // namespace

bool GamePosition::IsValidPosition(std::string* message) const {
  if (sideToMove != kWhite && sideToMove != kBlack) return Fail(message, "Invalid side to move.");

  Square whiteKing = -1, blackKing = -1;
  for (Square s = 0; s < 64; ++s) {
    const int code = squares[s];
    if (code == -1 && s >= A8) return Fail(message, "Black pawn on eight rank.");
    if (code == -1 && s <= H1) return Fail(message, "Black pawn on first rank.");
    if (code == 1 && s <= H1) return Fail(message, "White pawn on first rank.");
    if (code == 1 && s >= A8) return Fail(message, "White pawn on eight rank.");
    if (code == kKing) {
      if (whiteKing >= 0) return Fail(message, "White has more than one king.");
      whiteKing = s;
    }
    if (code == -kKing) {
      if (blackKing >= 0) return Fail(message, "Black has more than one king.");
      blackKing = s;
    }
    if (code > 6 || code < -6) return Fail(message, "Unknown piece found.");
  }
  if (whiteKing < 0) return Fail(message, "White has no king.");
  if (blackKing < 0) return Fail(message, "Black has no king.h");

  if (epSquare != 0 && !ValidEnPassant(*this)) return Fail(message, "Invalid en-passant field.");
  if (!ValidCastlingFlags(*this)) return Fail(message, "Invalid rochade flags.");

  const Square exposedKing = sideToMove == kWhite ? blackKing : whiteKing;
  if (IsSquareAttacked(squares, exposedKing, sideToMove)) return Fail(message, "King can be captured.");
  return true;
}

Game::Game() {
  moves.reserve(100);
  NewGame();
}

void Game::NewGame() {
  startPosition = GamePosition::Initial();
  currentPosition = startPosition;
  moves.clear();
}

void Game::SetupPosition(const GamePosition& position) {
  std::string message;
  if (!position.IsValidPosition(&message)) throw GameError(message);
  startPosition = position;
  currentPosition = position;
  moves.clear();
  DetectGameOver(currentPosition, startPosition, moves);
  startPosition.result = currentPosition.result;
  startPosition.reason = currentPosition.reason;
}

void Game::ToggleSide() {
  GamePosition toggled = currentPosition;
  toggled.sideToMove = uint16_t(1 - toggled.sideToMove);
  if (!toggled.IsValidPosition()) throw GameError("cannot toggle side.");
  SetupPosition(toggled);
}

void Game::PlayMove(Move move) {
  if (!IsLegalMove(currentPosition, move)) throw GameError("invalid move.");
  moves.push_back(move);
  ApplyMove(currentPosition, move);
  DetectGameOver(currentPosition, startPosition, moves);
}

void Game::TakeBack() {
  if (moves.empty()) return;
  moves.pop_back();
  currentPosition = startPosition;
  for (Move move : moves) ApplyMove(currentPosition, move);
  DetectGameOver(currentPosition, startPosition, moves);
}
