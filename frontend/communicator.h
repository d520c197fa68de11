// The console and xboard dialogue: one session with its streams and clock,
// the game, the settings, the clocks, the draw and resign bookkeeping, the
// search status and the queue of commands that wait for the idle loop. It
// drives the engine and turns the search's reports into its texts.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/protocol_words.h"
#include "board/game.h"
#include "session/line_input.h"
#include "frontend/output_tracking.h"
#include "session/options.h"
#include "session/player_clock.h"
#include "session/settings.h"
#include "search/engine.h"
#include "search/search_info.h"
#include "search/search_listener.h"

using WordList = std::vector<std::string>;

// The running or last search as the front end sees it.
struct SearchStatus {
  bool searchActive = false;     // the search driver is running
  SearchParameters parameters;   // handed to the driver
  bool resultPending = false;    // an analysis or ponder search ended by itself
  std::string ownMoveText;       // "invalid move" = none
  std::string expectedMoveText;  // "invalid move" = none
};

// The source of the session's time readings (the players' clocks and flag
// fall); the monotonic clock unless a test hands in its own. The search
// keeps its own times on the monotonic clock.
using ClockSource = TimePoint (*)();

class Communicator : public SearchListener {
 public:
  // A session on `engine` that reads `in` (with `inputDescriptor` behind it,
  // -1 for none) and writes `out`, in xboard mode from the start or not.
  Communicator(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, bool xboard,
               ClockSource clock = Now);

  Communicator(const Communicator&) = delete;
  Communicator& operator=(const Communicator&) = delete;

  // Runs the dialogue until "quit" or "end" or the end of the input, or
  // until "uci" comes as the very first command (uciRequested is then set
  // and the streams are left to the UCI dialogue, the line of a console
  // prompt ended).
  void Run();

  // The main loop: queued commands, requested searches, prompt and input.
  // Returns after "quit" or "end"; throws end_of_input at the end of the
  // input.
  void DealWithNotSearching();

  // Input during a search (polled by the search); may throw
  // search_aborted_exception.
  void DealWithSearching();

  // The search's reports.
  void Poll() override { DealWithSearching(); }
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override;

  // End of every search: the move, draws, resignation, pondering.
  void OnSearchFinished(bool discardResult);

  bool IsPostEnabled() const { return settings.post; }
  void PrintPonderAnnotation();
  // The "stat01: " line of a running or finished search.
  void PrintAnalysisStatus();

  // Operations shared by the idle loop, the polls and the end of a search.

  // No search running or pending, no move texts.
  void ResetSearchStatus();
  // Fills the search parameters (an analysis has no limits; otherwise the
  // settings, or the clock of the side to move in clock mode), remembers
  // the ponder move and asks the idle loop to start the search.
  void RequestSearch(int mode, Move ponder);
  // The engine takes the side that is not to move.
  void EnginePlaysOtherSide();
  // Puts `side` on move (the game record restarts from the toggled
  // position) and gives the engine the other side; false, with nothing
  // changed, when the side cannot be put on move.
  bool SetSideToMove(int side);
  // Plays a legal move on the game (throws "invalid move." otherwise) and
  // runs the clocks in clock mode.
  void MakeGameMove(Move move);
  // The legal move a word names in the game: coordinates first ("g1f3"),
  // then, on the console only, standard notation ("Nf3", "O-O", "exd5").
  // Throws GameError when it names none.
  Move ReadGameMove(const std::string& word) const;
  // The commands that behave alike with and without a running search;
  // false when the words are none of them.
  bool HandleCommonCommand(const WordList& words);
  // Takes back one move; the clock of the side now to move runs.
  void TakeBackWithClocks();
  // The opponent played the expected move: the ponder search becomes the
  // engine's real search.
  void PonderHit();

  // Members, in the order the engine's state is described.
  bool xboardMode = false;
  int protocolVersion = 1;  // as the interface announced with "protover"
  Game game;
  bool clockMode = false;
  bool analyzeMode = false;
  Move ponderMove = 0;
  SessionSettings settings;  // started by the options table
  TimeControl timeControl;
  std::string opponentName;
  SearchStatus searchStatus;
  int32_t resignMoves = 10;
  int32_t resignScore = -475;
  int32_t drawScore = 0;
  int32_t movesSinceDrawOffer = 100;
  int32_t notAheadCount = 0;
  int32_t drawishCount = 0;
  int32_t losingCount = 0;
  PlayerClock whiteClock;
  PlayerClock blackClock;
  std::deque<WordList> commandQueue;
  bool quitRequested = false;
  bool uciRequested = false;
  bool searchRequested = false;
  // The interface's last readings of the engine's clock ("time") and of
  // the opponent's ("otim"); taken over by the clocks when the engine
  // starts to think on its move (also after a ponder hit).
  std::optional<Milliseconds> interfaceTime;
  std::optional<Milliseconds> interfaceOtim;

 private:
  OptionHost Options() { return OptionHost{engine_, settings}; }

  // The session's streams and time.
  std::ostream& EngineOutput() { return output_.Stream(); }
  TimePoint ClockNow() const { return clock_(); }

  // Replies: each a whole line, flushed; during a search it starts on a line
  // of its own (see BeginReply).
  void WriteLine(const std::string& line);
  void Reply(const std::string& line);
  void ReplyError(const std::string& reason, const WordList& words);
  void ReplyIllegalMove(const std::string& reason, const WordList& words);
  void PrintResult(const Game& game);
  void PrintHelp();
  // Call before printing anything that is not a whole line of its own
  // making (the board display): while a search runs, a line that the
  // search's markers left open is ended first.
  void BeginReply();
  // The reply to a first word that is neither a command nor a legal move:
  // the illegal-move line under protocol version 1 (the interface may be in
  // a game that Ravok does not know of) and for any word with the shape of
  // a move; under version 2 an error line, "invalid command" for a known
  // command with unusable arguments and "unknown command" for anything
  // else.
  void ReplyUnreadableMove(const WordList& words);
  // The thinking output for one search event.
  void PrintMarker(const char* text);
  void PrintIterationHeader(const SearchInfo& info);
  void ReportThinking(const SearchInfo& info);

  // The idle loop's pieces.
  void HandleIdleCommand(const WordList& words);
  void StartSearch();
  bool PreparePonderPosition();
  void IdleGo();
  void IdleTakeBack();
  void IdleMove(const WordList& words);
  void PrintPrompt();
  // True for the very first line of the session when it is "uci".
  bool OpensUciDialogue(const std::string& line);

  // Shared pieces.
  bool HandleSettingsCommand(const WordList& words);
  // "easy"/"hard", "pondering on|off": the setting and its console reply.
  void SetPondering(bool enabled);
  void PrintEvaluation();
  // "new": a fresh game with fresh clocks and counters, no depth limit.
  void ResetForNewGame();
  // After "new" and an edit: clocks from the time control without draw
  // offers, counters as at the start.
  void ResetClocksAndCounters();
  void ResetBothClocks();
  // Runs the edit dialogue on a copy of the game; false (and the error
  // reply) when the edited position is not legal.
  bool EditGameCopy(const WordList& words);
  // The side's name in replies: "Ravok" when the engine plays it.
  std::string NameOf(int side) const;
  int SideToMove() const { return game.currentPosition.sideToMove; }
  bool GameOver() const { return game.currentPosition.result != kGameRunning; }
  bool EnginePlaysEitherSide() const { return whiteClock.engine || blackClock.engine; }
  PlayerClock& ClockOf(int side) { return side == kWhite ? whiteClock : blackClock; }
  const PlayerClock& ClockOf(int side) const { return side == kWhite ? whiteClock : blackClock; }
  void QueueWord(ProtocolWord word);
  // Console mode under a time control: the side to move loses on time when
  // its clock has run out. True when the flag has fallen now.
  bool CheckFlagFall();

  // The interface's commands beyond the loop's own: those that behave alike
  // with and without a search, those of the idle loop and those during a
  // search; false when the words are none of them.
  bool HandleProtocolCommand(const WordList& words);
  bool IdleProtocolCommand(const WordList& words);
  bool SearchingProtocolCommand(const WordList& words);
  // The number after the command word; nothing, after the error reply, when
  // it is missing or unreadable.
  std::optional<int32_t> ReadNumberWord(const WordList& words);
  // "option NAME=VALUE": sets the named option, or gives the error reply;
  // one that cannot change under a search waits as WaitForSearchEnd does.
  void SetOption(const WordList& words);
  // During a search: the command waits for the search's end, and an
  // analysis is restarted for it.
  void WaitForSearchEnd(const WordList& words);
  // The engine is on move: its clock and the opponent's take the
  // interface's readings, which are then used up.
  void ApplyInterfaceClocks();
  // "setboard": the game restarts from the FEN position, with clocks and
  // counters as for "new"; false, after the error reply naming the problem,
  // when the FEN is refused (nothing changes then).
  bool SetBoardFromWords(const WordList& words);
  // "remove": the last two moves are taken back; false, after the error
  // reply, when there are fewer than two.
  bool RemoveTwoMoves(const WordList& words);
  // "memory N": N MiB for both hash tables together, or nothing after the
  // error reply.
  std::optional<int32_t> MemoryMebibytesOf(const WordList& words);
  // Resizes both tables to share N MiB, or neither (error reply).
  void SetHashMemory(const WordList& words, int32_t mebibytes);

  // The input during a search, by the running search's mode.
  void SearchingCommand(const WordList& words);
  void SearchingMove(const WordList& words);
  [[noreturn]] void EndSearch(bool discardResult);

  // The end of a search that had no move to play.
  void ReportNoLegalMove();
  bool DecideDrawOffer(int score, int margin);
  void AnnounceMove(Move move, const std::string& text);
  void UpdateCounters(int score, int margin);

  Engine& engine_;
  TrackedOutput output_;
  LineReader input_;
  ClockSource clock_;
  WordList searchWords_;  // the line read during a search
  bool anyLineRead_ = false;
};
