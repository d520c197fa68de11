// The console and xboard dialogue: one session with its streams, the game
// session it plays, the dialect it speaks, the search status and the queue
// of commands that wait for the idle loop. Lines go through the command
// table (frontend/commands.h); a line that no command takes is a move. It
// drives the engine and turns the search's reports into its texts.
#pragma once

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/protocol_words.h"
#include "frontend/dialect.h"
#include "frontend/output_tracking.h"
#include "search/engine.h"
#include "search/search_info.h"
#include "search/search_listener.h"
#include "session/command_table.h"
#include "session/game_session.h"
#include "session/line_input.h"
#include "session/options.h"

// The running or last search as the dialogue sees it.
struct SearchStatus {
  bool searchActive = false;     // the search driver is running
  SearchParameters parameters;   // handed to the driver
  bool resultPending = false;    // an analysis or ponder search ended by itself
  std::string ownMoveText;       // "invalid move" = none
  std::string expectedMoveText;  // "invalid move" = none
};

class Communicator : public SearchListener {
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

  // The search's reports; Poll reads the input during a search and may
  // throw search_aborted_exception.
  void Poll() override;
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override;

  // What the commands work on.
  GameSession& session() { return session_; }
  const GameSession& session() const { return session_; }
  Dialect& dialect() { return dialect_; }
  const SearchStatus& Status() const { return searchStatus_; }
  OptionHost Options() { return OptionHost{engine_, session_.Settings()}; }
  Move PonderMove() const { return ponderMove_; }
  void ForgetPonderMove() { ponderMove_ = 0; }
  // The engine analyses (also between two analysis searches).
  bool AnalyzeMode() const { return analyzeMode_; }
  void LeaveAnalyzeMode() { analyzeMode_ = false; }

  // Runs one line's words as they arrive: while idle, or during a search.
  void HandleIdle(const WordList& words);
  void HandleSearching(const WordList& words);

  // Replies: each a whole line, flushed; during a search it starts on a
  // line of its own.
  void Reply(const std::string& line);
  void Reply(const std::optional<std::string>& line);
  void ReplyError(const std::string& reason, const WordList& words);
  void ReplyUnreadableMove(const WordList& words);
  void PrintResult();
  void DisplayBoard();
  void PrintEvaluation();
  // The "stat01: " line of a running or finished search.
  void PrintAnalysisStatus();

  // The idle loop's queue: commands that a search hands over, or that wait
  // for its end.
  void Queue(const WordList& words) { commandQueue_.push_back(words); }
  void QueueWord(ProtocolWord word) { Queue(WordList{Word(word)}); }
  void RequestQuit() { quitRequested_ = true; }
  // Ends the running search (see search_aborted_exception).
  [[noreturn]] void EndSearch(bool discardResult);
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

  // The game as the commands change it.
  // The engine takes the side that is not to move.
  void EnginePlaysOtherSide();
  // Puts `side` on move, the engine on the other; false after the error
  // reply when the side cannot be put on move.
  bool SetSideToMove(int side, const WordList& words);
  // Plays a legal move on the game (throws GameError otherwise), the
  // clocks running unless the engine analyses.
  void MakeGameMove(Move move);
  // Runs the edit dialogue on a copy of the game; false (and the error
  // reply) when the edited position is not legal.
  bool EditGameCopy(const WordList& words);
  // A line that no command took: a move to play, while idle or during a
  // search, or the reply to an unreadable word.
  void IdleMove(const WordList& words);
  void SearchingMove(const WordList& words);

 private:
  // The idle loop: queued commands, requested searches, prompt and input.
  // Returns after "quit" or "end"; throws end_of_input at the end of the
  // input.
  void DealWithNotSearching();
  void PrintPrompt();
  // True for the very first line of the session when it is "uci".
  bool OpensUciDialogue(const std::string& line);
  // Under the console's referee, the side to move loses on time when its
  // clock has run out. True when the flag has fallen now.
  bool CheckFlagFall();
  // The legal move a word names in the game: coordinates first ("g1f3"),
  // then, where the dialect reads it, standard notation ("Nf3", "O-O").
  Move ReadGameMove(const std::string& word) const;

  // A search from its start to its end.
  void StartSearch();
  bool PreparePonderPosition();
  void PrintIterationHeader(const SearchInfo& info);
  void PrintMarker(const char* text);
  void PrintPonderAnnotation();
  void WriteLine(const std::string& line);
  // Before anything that is not a whole line of its own making: while a
  // search runs, a line that the search's markers left open is ended.
  void BeginReply();

  // The end of every search: the move, draws, resignation, pondering.
  void OnSearchFinished(bool discardResult);
  void ReportNoLegalMove();
  bool AnswerDrawOffer(int score, int margin);
  void AnnounceMove(const std::string& text);
  void OfferOrResign(const SearchInfo& info, int margin);

  std::ostream& EngineOutput() { return output_.Stream(); }

  Engine& engine_;
  GameSession session_;
  Dialect dialect_;
  TrackedOutput output_;
  LineReader input_;
  SearchStatus searchStatus_;
  bool analyzeMode_ = false;
  Move ponderMove_ = 0;
  std::deque<WordList> commandQueue_;
  bool quitRequested_ = false;
  bool uciRequested_ = false;
  bool searchRequested_ = false;
  bool anyLineRead_ = false;
  WordList searchWords_;  // the line read during a search
};
