// The console and xboard dialogue: one session with its input, its output,
// the game session it plays, the dialect it speaks, the search status and
// the runner of its searches, whose queue also holds the commands that wait
// for the idle loop. Lines go through the command table
// (frontend/commands.h); a line that no command takes is a move. It asks
// for the engine's searches and finishes them (search_end.cpp).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/protocol_words.h"
#include "frontend/dialect.h"
#include "frontend/dialogue_output.h"
#include "search/engine.h"
#include "search/search_info.h"
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"
#include "session/options.h"
#include "session/search_runner.h"

class Communicator : public SearchDialogue {
 public:
  // A session on `engine` that reads `in` (with `inputDescriptor` behind it,
  // -1 for none) and writes `out`, in xboard mode from the start or not.
  Communicator(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, bool xboard,
               ClockSource clock = Now);

  Communicator(const Communicator&) = delete;
  Communicator& operator=(const Communicator&) = delete;

  // Runs the dialogue until "quit" or "end" or the end of the input, or
  // until "uci" comes as the very first command (UciRequested then holds
  // and the streams are left to the UCI dialogue, the line of a console
  // prompt ended).
  void Run();
  bool UciRequested() const { return uciRequested_; }

  // What the runner of its searches asks of the dialogue: a fallen flag
  // ends the game and the search; each line read during a search runs as
  // the command table has it for a running search; the reports are the
  // dialect's.
  void OnPoll() override;
  void AnswerDuringSearch(const std::string& line) override;
  void Report(SearchEvent event, const SearchInfo& info) override;

  // What the commands work on.
  GameSession& session() { return session_; }
  const GameSession& session() const { return session_; }
  Dialect& dialect() { return dialect_; }
  const Dialect& dialect() const { return dialect_; }
  const Engine& engine() const { return engine_; }
  const SearchStatus& Status() const { return searchStatus_; }
  OptionHost Options() { return OptionHost{engine_, session_.Settings()}; }
  Move PonderMove() const { return ponderMove_; }
  void ForgetPonderMove() { ponderMove_ = 0; }
  // The engine analyses (also between two analysis searches).
  bool AnalyzeMode() const { return analyzeMode_; }
  void LeaveAnalyzeMode() { analyzeMode_ = false; }

  // Runs one line's words as they arrive, while idle or during a search:
  // the command they name (unless `commands` is off), or else the move.
  void Handle(const WordList& words, CommandState state, bool commands = true);
  void HandleIdle(const WordList& words) { Handle(words, CommandState::kIdle); }

  DialogueOutput& out() { return output_; }
  void PrintResult() { output_.PrintResult(session_.game()); }
  void PrintEvaluation();

  // The idle loop's queue (the runner's kept lines): commands that a search
  // hands over, or that wait for its end.
  void Queue(const WordList& words) { runner_.Keep(words); }
  void QueueWord(ProtocolWord word) { Queue(WordList{Word(word)}); }
  void RequestQuit() { quitRequested_ = true; }
  // Ends the running search once the line's command is done; true, for
  // the command's answer.
  bool EndSearch(bool discardResult);
  // During a search: the command waits for the search's end, and an
  // analysis is restarted for it.
  void WaitForSearchEnd(const WordList& words);

  // The search status and search requests.
  void ResetSearchStatus();
  // Asks the idle loop for a search: an analysis without limits, or a
  // search on the engine's move (mode think, or ponder on `ponder`) under
  // the session's limits.
  void RequestSearch(int mode, Move ponder);
  // The opponent played the expected move: the ponder search becomes the
  // engine's real search.
  void PonderHit();
  // A finished ponder search had found the move for the expected reply that
  // has just been played: the move is played at once.
  void PlayPonderResult();
  // The end of every search: an open-ended one keeps its result, a search on
  // the engine's move plays it (see search_end.cpp).
  void OnSearchFinished(bool discardResult);

  // The game as the commands change it. The engine takes the side that is
  // not to move.
  void EnginePlaysOtherSide();
  // Puts `side` on move, the engine on the other; false after the error
  // reply when the side cannot be put on move.
  bool SetSideToMove(int side, const WordList& words);
  // Plays a legal move on the game (throws GameError otherwise), the
  // clocks running unless the engine analyses.
  void MakeGameMove(Move move);
  // The legal move a word names in the game: coordinates first ("g1f3"),
  // then, where the dialect reads it, standard notation ("Nf3", "O-O").
  // Throws GameError when it names none.
  Move ReadGameMove(const std::string& word) const;
  // Runs the edit dialogue on a copy of the game; false (and the error
  // reply) when the edited position is not legal.
  bool EditGameCopy(const WordList& words);

 private:
  // The idle loop: queued commands, requested searches, prompt and input.
  // Returns after "quit" or "end"; throws end_of_input at the end of the
  // input.
  void DealWithNotSearching();
  // True for the very first line of the session when it is "uci".
  bool OpensUciDialogue(const std::string& line);
  // Under the console's referee, the side to move loses on time when its
  // clock has run out. True when the flag has fallen now.
  bool CheckFlagFall();
  // A search from its start to its end.
  void StartSearch();
  // The texts of the engine's last move and the expected reply for a
  // ponder search; false when there is nothing to ponder on.
  bool PreparePonderTexts();

  Engine& engine_;
  GameSession session_;
  Dialect dialect_;
  DialogueOutput output_;
  LineReader input_;
  SearchRunner runner_;
  SearchStatus searchStatus_;
  bool analyzeMode_ = false;
  Move ponderMove_ = 0;
  bool quitRequested_ = false;
  bool uciRequested_ = false;
  bool searchRequested_ = false;
  bool anyLineRead_ = false;
};
