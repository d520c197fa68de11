// One life of a search for every dialogue, from its start to its move: the
// position it searches (the game's, or for a ponder search the position
// after the expected reply), the poll of the input with one budget of lines,
// a ponder search turned into the engine's search on its move by a ponder
// hit, a stop that keeps or drops the move, the lines kept for after the
// move, the report stream, and the wait of an open-ended search that has
// ended by itself.
//
// The search runs on the dialogue's own thread (its helper threads, if
// any, beside it): the runner is the search's listener, and every couple
// of milliseconds it reads the lines that have arrived and hands each to
// the dialogue, which answers it through its command table. A dialogue
// supplies what is its own (SearchDialogue): how a line read during the
// search is answered, and how reports are written.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "base/clock.h"
#include "board/game.h"
#include "search/engine.h"
#include "search/search_listener.h"
#include "session/command_table.h"
#include "session/line_input.h"

// What a dialogue supplies to the runner of its searches.
class SearchDialogue {
 public:
  virtual ~SearchDialogue() = default;

  // A line read during the search (or while an open-ended search that has
  // ended waits, see SearchRunner::WaitForStop), answered through the
  // dialogue's command table: it may stop the search, bring the ponder hit
  // or keep the line for after the move (see SearchRunner).
  virtual void AnswerDuringSearch(const std::string& line) = 0;
  // At every poll, before the input: the dialogue may stop the search (a
  // flag has fallen).
  virtual void OnPoll() {}
  // Whether the runner reads the input now; lines not read stay for the
  // dialogue's idle loop.
  virtual bool Listens() const { return true; }
  // Whether the running search goes on to its move when the input ends;
  // otherwise end_of_input passes on to whoever started the search.
  virtual bool SearchesOnAtEndOfInput() const { return false; }
  // The search's reports as they happen, and its progress about once a
  // second.
  virtual void Report(SearchEvent, const SearchInfo&) {}
  virtual void ReportProgress(const SearchInfo&) {}
};

// A line kept during a search for the dialogue's idle loop.
enum class KeptKind {
  kAfterMove,  // a command for after the engine's move
  kMove,       // a move typed ahead, for after the engine's move
  kFirst,      // the line that stopped the search: it comes before the others
};
struct KeptLine {
  WordList words;
  KeptKind kind = KeptKind::kAfterMove;
};

// How a search ended.
enum class SearchEnd {
  kNotStarted,  // a ponder search on a reply that is not legal
  kWithMove,    // by itself or stopped with its best move
  kDiscarded,   // stopped with its result dropped
};

class SearchRunner : public SearchListener {
 public:
  // Searches on `engine` for `dialogue`, reading `input`; `clock` paces the
  // progress reports.
  SearchRunner(Engine& engine, LineSource& input, SearchDialogue& dialogue, ClockSource clock = Now);

  SearchRunner(const SearchRunner&) = delete;
  SearchRunner& operator=(const SearchRunner&) = delete;

  // Searches the game's current position under `parameters` or, with
  // `expected`, the position after that reply (a ponder search, until the
  // ponder hit), until the search ends by itself or a line stops it.
  // Lines the dialogue does not answer at once are kept in order.
  SearchEnd Run(const Game& game, const SearchParameters& parameters, Move expected = 0);
  // After an open-ended search that ended by itself: lines are read,
  // waiting for each, and answered as during the search until one stops
  // it or brings the ponder hit. False when it was stopped with its result
  // dropped.
  bool WaitForStop();

  // From the dialogue's answers during a search or its wait (nothing
  // otherwise). The search ends once the line's answer is done; with
  // `keepMove` its best move stands, otherwise its result is dropped.
  void Stop(bool keepMove);
  // The ponder search becomes the search on the engine's move under these
  // limits, counted from its start (the time spent pondering counts, so
  // the clock is never overstepped). A ponder search that has already
  // ended and waits ends its wait with its move.
  void PonderHit(Milliseconds hardLimit, Milliseconds allotment);

  // The running search, or the one that waits for its stop.
  bool Running() const { return state_ != State::kIdle; }
  int Mode() const { return mode_; }
  // The input ended during a search that went on to its move.
  bool InputEnded() const { return inputEnded_; }

  // The lines kept for after the move, in order: a kFirst line before the
  // others. Each dialogue's idle loop takes them.
  void Keep(const WordList& words, KeptKind kind = KeptKind::kAfterMove);
  bool HasKept() const { return !kept_.empty(); }
  const KeptLine& NextKept() const { return kept_.front(); }
  KeptLine TakeKept();
  // The move typed ahead, taken out of the kept lines (a new one replaces
  // it, a command that stops the search drops it); none when there is none.
  std::optional<WordList> WithdrawKeptMove();

  // The search's listener.
  void Poll() override;
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override { dialogue_.Report(event, info); }

 private:
  enum class State { kIdle, kSearching, kWaiting };
  enum class StopRequest { kNone, kKeepMove, kDropResult };

  // Reads and answers the lines that have arrived, at most a budget of them.
  void AnswerWaitingLines();

  Engine& engine_;
  LineSource& input_;
  SearchDialogue& dialogue_;
  ClockSource clock_;
  State state_ = State::kIdle;
  int mode_ = kModeThink;
  StopRequest stop_ = StopRequest::kNone;
  bool inputEnded_ = false;
  TimePoint lastProgress_ = 0;
  std::deque<KeptLine> kept_;
};
