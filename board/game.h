// The game board: the referee's record of the game, kept apart from the
// search's bitboard position.
#pragma once

#include <cstdint>
#include <iosfwd>
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

  // The initial chess position, White to move.
  static GamePosition Initial();

  // The validity rules in order; the first failure decides the message,
  // which replaces *message when one is given. Never throws.
  bool IsValidPosition(std::string* message = nullptr) const;

  // Square of the king of the side to move; a missing king is fatal.
  Square FindOwnKing() const;

  bool operator==(const GamePosition&) const = default;
};

// Is `target` attacked by any piece of `attacker` (0 White, 1 Black) on this
// square array? The side to move plays no part.
bool IsSquareAttacked(const int8_t squares[64], Square target, int attacker);

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

  // Back to the initial position with an empty move list.
  void NewGame();

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

  // The interactive edit dialogue on the current position, reading lines
  // from `in` and writing to `out`; the board and the prompts are shown
  // only when `console` is set. Throws "invalid position." when the edited
  // position fails the validity check at its end; the game is then
  // unchanged. A valid end restarts the record from the edited position and
  // runs the game-over test. The end of `in` throws end_of_input.
  void EditPosition(std::istream& in, std::ostream& out, bool console);

  GamePosition startPosition;
  GamePosition currentPosition;
  std::vector<Move> moves;
};
