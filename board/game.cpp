#include "board/game.h"

#include <algorithm>
#include <cstring>

#include "base/fatal_error.h"
#include "board/game_over.h"
#include "board/moves.h"
#include "board/search_position.h"
#include "position/attacks.h"

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

GamePosition GamePosition::Chess960Start(int number) {
  // Bishops on a light and a dark square, the queen on one of the six
  // squares left, the knights on two of the five left (the ten pairs in
  // order), rook, king, rook on the last three.
  static const int kKnightPairs[10][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2},
                                          {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
  int back[8] = {};
  int n = number;
  back[2 * (n % 4) + 1] = kBishop;
  n /= 4;
  back[2 * (n % 4)] = kBishop;
  n /= 4;
  const auto emptyFile = [&back](int index) {
    for (int f = 0; f < 8; ++f)
      if (back[f] == 0 && index-- == 0) return f;
    return -1;
  };
  back[emptyFile(n % 6)] = kQueen;
  n /= 6;
  const int firstKnight = emptyFile(kKnightPairs[n][0]), secondKnight = emptyFile(kKnightPairs[n][1]);
  back[firstKnight] = back[secondKnight] = kKnight;
  back[emptyFile(0)] = kRook;
  back[emptyFile(0)] = kKing;
  back[emptyFile(0)] = kRook;

  GamePosition p = Initial();
  for (int f = 0; f < 8; ++f) {
    p.squares[MakeSquare(f, 0)] = int8_t(back[f]);
    p.squares[MakeSquare(f, 7)] = int8_t(-back[f]);
    if (back[f] != kRook) continue;
    const bool kingSide = std::find(back + f, back + 8, int(kKing)) == back + 8;
    p.castlingRookFile[kWhite][kingSide ? 0 : 1] = p.castlingRookFile[kBlack][kingSide ? 0 : 1] = uint8_t(f);
  }
  p.chess960 = 1;
  return p;
}

bool IsSquareAttacked(const int8_t squares[64], Square target, int attacker) {
  GamePosition board{};
  std::memcpy(board.squares, squares, sizeof board.squares);
  board.sideToMove = attacker == kWhite ? kBlack : kWhite;
  TreePosition record;
  LoadTreePosition(record, board);
  return attacker == kWhite ? IsAttackedBy<kWhite>(record, target) : IsAttackedBy<kBlack>(record, target);
}

bool IsInCheck(const GamePosition& position) {
  TreePosition record;
  LoadTreePosition(record, position);
  return record.kingAttacked;
}

Square GamePosition::FindOwnKing() const {
  const int king = sideToMove == kWhite ? kKing : -kKing;
  for (Square s = 0; s < 64; ++s)
    if (squares[s] == king) return s;
  FatalError("GamePosition::FindOwnKing() found no king.");
}

uint16_t GamePosition::CastlingRightsOfPlacement(int side) const {
  const int sign = side == kWhite ? 1 : -1;
  const Square rank = side == kWhite ? A1 : A8;
  int kingFile = 0;
  while (kingFile < 8 && squares[rank + kingFile] != sign * kKing) ++kingFile;
  if (kingFile == 8 || (!chess960 && kingFile != FileOf(E1))) return 0;
  uint16_t rights = 0;
  const int kingSideRook = castlingRookFile[side][0], queenSideRook = castlingRookFile[side][1];
  if (kingSideRook > kingFile && squares[rank + kingSideRook] == sign * kRook) rights |= kCastleKingSide;
  if (queenSideRook < kingFile && squares[rank + queenSideRook] == sign * kRook) rights |= kCastleQueenSide;
  return rights;
}

bool GamePosition::HasValidEnPassantSquare() const {
  const int ep = epSquare;
  if (sideToMove == kWhite) {
    if (ep < A6 || ep > H6) return false;
    if (squares[ep - 8] != -1 || squares[ep] != 0 || squares[ep + 8] != 0) return false;
    return (FileOf(ep) > 0 && squares[ep - 9] == 1) || (FileOf(ep) < 7 && squares[ep - 7] == 1);
  }
  if (ep < A3 || ep > H3) return false;
  if (squares[ep + 8] != 1 || squares[ep] != 0 || squares[ep - 8] != 0) return false;
  return (FileOf(ep) > 0 && squares[ep + 7] == -1) || (FileOf(ep) < 7 && squares[ep + 9] == -1);
}

namespace {

bool Fail(std::string* message, const char* text) {
  if (message != nullptr) *message = text;
  return false;
}

// Castling flags only where the placement allows them; the bits above the
// two rights play no part.
bool ValidCastlingFlags(const GamePosition& p) {
  constexpr uint16_t kBothRights = kCastleKingSide | kCastleQueenSide;
  return (p.whiteCastling & kBothRights & ~p.CastlingRightsOfPlacement(kWhite)) == 0 &&
         (p.blackCastling & kBothRights & ~p.CastlingRightsOfPlacement(kBlack)) == 0;
}

}  // namespace

bool IsValidPlacement(const int8_t squares[64], std::string* message) {
  bool whiteKing = false, blackKing = false;
  for (Square s = 0; s < 64; ++s) {
    const int code = squares[s];
    if (code == 0) continue;
    if (code == -1 && s >= A8) return Fail(message, "Black pawn on eight rank.");
    if (code == -1 && s <= H1) return Fail(message, "Black pawn on first rank.");
    if (code == 1 && s <= H1) return Fail(message, "White pawn on first rank.");
    if (code == 1 && s >= A8) return Fail(message, "White pawn on eight rank.");
    if (code == kKing) {
      if (whiteKing) return Fail(message, "White has more than one king.");
      whiteKing = true;
    }
    if (code == -kKing) {
      if (blackKing) return Fail(message, "Black has more than one king.");
      blackKing = true;
    }
    if (code > 6 || code < -6) return Fail(message, "Unknown piece found.");
  }
  if (!whiteKing) return Fail(message, "White has no king.");
  if (!blackKing) return Fail(message, "Black has no king.h");
  return true;
}

bool GamePosition::IsValidPosition(std::string* message) const {
  if (sideToMove != kWhite && sideToMove != kBlack) return Fail(message, "Invalid side to move.");
  if (!IsValidPlacement(squares, message)) return false;
  if (epSquare != 0 && !HasValidEnPassantSquare()) return Fail(message, "Invalid en-passant field.");
  if (!ValidCastlingFlags(*this)) return Fail(message, "Invalid rochade flags.");

  // The side that has just moved may not have left its king attacked: with
  // the move handed back to it, it would stand in check.
  GamePosition moveHandedBack = *this;
  moveHandedBack.sideToMove = uint16_t(1 - sideToMove);
  if (IsInCheck(moveHandedBack)) return Fail(message, "King can be captured.");
  return true;
}

Game::Game() {
  moves.reserve(100);
  NewGame();
}

void Game::NewGame(bool chess960) {
  startPosition = GamePosition::Initial();
  startPosition.chess960 = chess960;
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
