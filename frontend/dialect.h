// Where the console and the xboard protocol part ways, in one place: the
// console talks to a person (a prompt, notes on what happened, the board
// after an edit, moves in long notation and standard notation read, its own
// referee for lost flags, agreed draws and resignations), xboard to an
// interface that keeps the game itself (coordinates, the protocol's own
// lines, silence otherwise). The protocol version decides the mate scores
// of the post lines and the reply to an unreadable word.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/types.h"
#include "search/search_info.h"

class Game;

// The notes the console gives and xboard leaves out.
enum class ConsoleNote {
  kEmptyLine,  // "ok."
  kRestartingAnalysis,
  kCannotTakeBack,
  kPredictedMoveMade,
  kAnalysisComplete,
  kPonderingComplete,
  kPonderingEnabled,
  kPonderingDisabled,
};

class Dialect {
 public:
  explicit Dialect(bool xboard) : xboard_(xboard) {}

  bool Xboard() const { return xboard_; }
  // "xboard" enters xboard mode (true when it was not in it yet); "exit"
  // outside an analysis leaves it.
  bool EnterXboard();
  void LeaveXboard() { xboard_ = false; }
  int ProtocolVersion() const { return protocolVersion_; }
  void SetProtocolVersion(int version) { protocolVersion_ = version; }

  // What the console shows and xboard does not.
  bool ShowsPrompt() const { return !xboard_; }
  bool ShowsSearchProgress() const { return !xboard_; }  // depth headers, fail markers, candidates
  bool EditsInteractively() const { return !xboard_; }   // the edit dialogue's board and prompts, the board after it
  bool ReadsStandardNotation() const { return !xboard_; }
  // The console keeps the score of the game itself: a fallen flag, an
  // accepted draw and a resignation end the game there; xboard leaves them
  // to the interface.
  bool RefereesTheGame() const { return !xboard_; }
  std::optional<std::string> Note(ConsoleNote note) const;

  // A line of moves: coordinates under xboard ("e7e8q"), the long form on
  // the console ("e7-e8Q", "Ng1-f3", "e4xd5").
  // In a Chess960 game castling is "O-O" or "O-O-O".
  std::vector<std::string> MoveTexts(const std::vector<Move>& moves, bool chess960) const;
  // The result line of a finished game.
  std::string ResultLine(const Game& game) const;
  // The engine's move: "move e2e4", or "Ravok played: e2-e4" with the
  // seconds it took when the engine made it.
  std::string MoveLine(const std::string& mover, const std::string& text, std::optional<int64_t> seconds) const;
  // The thinking line for a new best line; none under xboard without post.
  std::optional<std::string> ThinkingLine(const SearchInfo& info, TimePoint now, bool post, bool chess960) const;
  // Draw offers: the engine's own ("offer draw"), the opponent's as the
  // console notes it, the engine's answer to one (xboard offers back to
  // accept and is silent to decline).
  std::string EngineDrawOffer() const;
  std::optional<std::string> OpponentDrawOffer(const std::string& name) const;
  std::optional<std::string> DrawAnswer(bool accepted, const std::string& name) const;
  // The engine resigns: "resign", or "Ravok has resigned".
  std::string Resignation() const;
  // A move sent while the engine thinks on its own.
  std::optional<std::string> NotYourTurn(const std::string& mover) const;

  // The reply to a first word that is neither a command nor a legal move:
  // the illegal-move line under protocol version 1 (the interface may be in
  // a game that Ravok does not know of) and for any word with the shape of
  // a move; under version 2 an error line, "invalid command" for a known
  // command with unusable arguments and "unknown command" for anything
  // else.
  std::string UnreadableMoveReply(const std::vector<std::string>& words, bool knownCommand) const;

 private:
  bool xboard_;
  int protocolVersion_ = 1;  // as the interface announced with "protover"
};

// A word with the shape of a coordinate move: two square names ("e2e4",
// "E7E8q", "e2e4" followed by anything).
bool LooksLikeMove(const std::string& word);
