// The game board: the referee's record of the game, kept apart from the
// search's bitboard position. The rules of chess (legal moves, attacks,
// make-move) are position/'s; the game record asks them through
// board/search_position.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"

// Game result codes of GamePosition::result.
enum GameResult : uint32_t {
  kGameRunning = 0,
  kWhiteWins = 1,
  kBlackWins = 2,
  kGameDrawn = 3,
  kGameUndecided = 4,  // "result *"
};

// Game-over reason codes of GamePosition::reason.
enum GameOverReason : uint32_t {
  kReasonMate = 0,
  kReasonResignation = 1,
  kReasonLossOnTime = 2,
  kReasonStalemate = 3,
  kReasonInsufficientMaterial = 4,
  kReasonRepetition = 5,
  kReasonAgreement = 6,
  kReasonFiftyMoves = 7,
  kReasonUnfinished = 8,
  kReasonUnknown = 9,
  // The side to move's flag fell, but the other side could never mate: a
  // draw.
  kReasonTimeoutDraw = 10,
};

// One game position. A plain value, copied whole.
struct GamePosition {
  int8_t squares[64];
  uint16_t sideToMove;
  uint16_t epSquare;       // square passed over by a double step, 0 = none
  uint16_t whiteCastling;  // bit 0 king's side, bit 1 queen's side
  uint16_t blackCastling;
  int16_t halfMoveCounter;
  uint32_t result;
  uint32_t reason;
  // The files of the rooks the castling rights castle with, by side and
  // wing ([side][0] the king's side, [side][1] the queen's side), fixed
  // for a game: h and a in standard chess.
  uint8_t castlingRookFile[2][2] = {{7, 0}, {7, 0}};
  // A Chess960 game: any king and rook files may castle, FEN is written
  // in Shredder's form (the rooks' files) and UCI writes castling as the
  // king taking its own rook. The rules of moving are the same either way.
  uint8_t chess960 = 0;

  // The initial chess position, White to move.
  static GamePosition Initial();
  // Chess960 start position `number` (0 to 959, by Scharnagl's numbering,
  // 518 the initial position), White to move, every castling right held.
  static GamePosition Chess960Start(int number);

  // The validity rules in order; the first failure decides the message,
  // which replaces *message when one is given. Never throws.
  bool IsValidPosition(std::string* message = nullptr) const;

  // Square of the king of the side to move; a missing king is fatal.
  Square FindOwnKing() const;

  // The castling rights that the placement allows `side`: its king on its
  // first rank (on e1/e8 in standard chess) and a rook of its own on the
  // right's rook file (h or a in standard chess), beyond the king on that
  // wing.
  uint16_t CastlingRightsOfPlacement(int side) const;

  // Does the en-passant square follow a double step that a pawn of the side
  // to move can take? The other side's pawn stands just past the square,
  // the square and the one that pawn came from are empty, and a pawn of the
  // side to move stands beside it. False without an en-passant square.
  bool HasValidEnPassantSquare() const;

  bool operator==(const GamePosition&) const = default;
};

// The placement rules of the validity check, square by square from a1: no
// pawn on the first or last rank, at most one king a side, known pieces
// only; then a king of each side. The first failure decides the message, as
// in IsValidPosition. Every position handed to position/ passes them.
bool IsValidPlacement(const int8_t squares[64], std::string* message = nullptr);

// Is `target` attacked by any piece of `attacker` (0 White, 1 Black) on this
// square array? The side to move plays no part. position/ answers, so the
// squares must pass IsValidPlacement (fatal otherwise).
bool IsSquareAttacked(const int8_t squares[64], Square target, int attacker);

// Is the king of the side to move attacked? The position must be one that
// position/ can load (see LoadTreePosition).
bool IsInCheck(const GamePosition& position);

// A rule violation caused by user input; carries the text to report.
class GameError {
 public:
  explicit GameError(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

class Game {
 public:
  Game();

  // Back to the initial position with an empty move list; `chess960`
  // marks the game as Chess960 (start 518).
  void NewGame(bool chess960 = false);

  // Restart the game record from `position` (it becomes start and current
  // position, the move list is emptied) and run the game-over test on it.
  // A position that fails the validity check is refused with the check's
  // message and the game stays as it was.
  void SetupPosition(const GamePosition& position);

  // Hand the move to the other side; on an invalid result the side is
  // restored and "cannot toggle side." is thrown. On success the toggled
  // position becomes the start position, the move list is emptied and the
  // game-over test runs (the new side to move may have no move).
  void ToggleSide();

  // Play a move after the legality test ("invalid move." when it fails),
  // append it to the move list and run the game-over test.
  void PlayMove(Move move);

  // Remove the last move (nothing with an empty list): the current position
  // is replayed from the start position and the game-over test runs again.
  void TakeBack();

  // Text of the current position's game-over reason.
  std::string GameOverReasonText() const;

  GamePosition startPosition;
  GamePosition currentPosition;
  std::vector<Move> moves;
};
