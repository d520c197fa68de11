// The UCI dialogue: one session with its streams, a game session (the game
// the interface last set up and the option settings) and the running
// search. Its command table says what each command does while idle and
// during a search: it runs each "go" as a search that polls the input for
// "isready", "stop", "ponderhit", "debug" and "quit", and keeps the other
// commands for after the bestmove. It formats the search's reports as UCI
// lines.
#pragma once

#include <deque>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "base/clock.h"
#include "board/game.h"
#include "search/engine.h"
#include "search/search_listener.h"
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"
#include "session/settings.h"
#include "uci/go_command.h"
#include "uci/uci_options.h"

class UciSession : public SearchListener {
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

  // The search's reports. Poll handles the commands that matter during a
  // search and throws search_aborted_exception for "stop" and "quit".
  void Poll() override;
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override;

 private:
  // What a command read during a search asks of it.
  enum class SearchControl { kGoOn, kStop, kQuit };

  // The running "go".
  struct RunningGo {
    SearchParameters parameters;
    // The go has a limit of its own: once it is no longer pondering the
    // search ends by itself; without one it searches until "stop".
    bool limited = false;
    bool pondering = false;      // a ponder search that has had no "ponderhit"
    bool waitsForStop = false;   // no bestmove before "stop" (or "ponderhit")
    TimePoint lastProgress = 0;  // the last progress line, or the start
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
  // Commands during a search, or while a finished open-ended search waits
  // for "stop"; others are kept for after the bestmove.
  SearchControl HandleSearchTimeCommand(const WordList& words);
  SearchControl PonderHit();
  // Reads commands until "stop", "ponderhit" or "quit" ends the wait of a
  // search that ended by itself. False after "quit".
  bool WaitForStop();
  void ReportProgress();
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
  SearchControl control_ = SearchControl::kGoOn;  // what the last command asks of the search
  // Commands that came during a search, for after its bestmove.
  std::deque<WordList> deferred_;
  ClockSource clock_;
};
