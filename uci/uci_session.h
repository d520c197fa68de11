// The UCI dialogue: one session with its streams, a game session (the game
// the interface last set up and the option settings) and the runner of its
// searches. Its command table says what each command does while idle and
// during a search: during a "go" it answers "isready", "stop",
// "ponderhit", "debug" and "quit", and the runner keeps the other commands
// for after the bestmove. It writes the search's reports as UCI lines.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "base/clock.h"
#include "board/game.h"
#include "search/engine.h"
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"
#include "session/search_runner.h"
#include "session/settings.h"
#include "uci/go_command.h"
#include "uci/uci_options.h"

class UciSession : public SearchDialogue {
 public:
  // A session on `engine` that reads `in` (with `inputDescriptor` behind
  // it, -1 for none) and writes `out`. The options start as the options
  // table has them for UCI; the engine's tables as they are give the Hash
  // option's value. `clock` paces the progress lines during a search (the
  // search's own times come from the monotonic clock).
  UciSession(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, ClockSource clock = Now);

  UciSession(const UciSession&) = delete;
  UciSession& operator=(const UciSession&) = delete;

  // Runs the dialogue until "quit" or the end of the input. With
  // `answerUci` the "uci" that opened the dialogue elsewhere is answered
  // first.
  void Run(bool answerUci);

  // What the runner of its searches asks of the dialogue: a line during a
  // search goes through the command table (for "stop", "ponderhit" and
  // "quit" too); the best lines and the progress become info lines.
  void AnswerDuringSearch(const std::string& line) override;
  void Report(SearchEvent event, const SearchInfo& info) override;
  void ReportProgress(const SearchInfo& info) override;

 private:
  // The running "go".
  struct RunningGo {
    SearchParameters parameters;
    // The go has a limit of its own: once it is no longer pondering the
    // search ends by itself; without one it searches until "stop".
    bool limited = false;
    bool pondering = false;     // a ponder search that has had no "ponderhit"
    bool waitsForStop = false;  // no bestmove before "stop" (or "ponderhit")
  };

  // Idle commands (uci_session.cpp).
  void HandleCommand(const WordList& words);
  void AnswerUci();
  void NewGame();
  void SetOption(const WordList& words);
  void SetPosition(const WordList& words);
  void SetDebug(const WordList& words);

  // The search (uci_search.cpp).
  void Go(const WordList& words);
  // The searchmoves of a go read on the game's position; each text that is
  // no legal move there is reported and left out.
  std::vector<Move> ReadSearchMoves(const WordList& texts);
  void PonderHit();
  void ReportBestMove();

  void WriteLine(const std::string& line);
  void InfoString(const std::string& text);
  OptionHost Options() { return OptionHost{engine_, session_.Settings()}; }
  static std::span<const Command<UciSession>> Commands();

  Engine& engine_;
  LineReader input_;
  std::ostream& out_;
  // The game the interface last set up, and the settings.
  GameSession session_;
  bool debug_ = false;
  bool quitRequested_ = false;
  RunningGo go_;
  SearchRunner runner_;
};
