// A game as a dialogue plays it: the game record, which sides the engine
// plays, both players' clocks under a time control, the interface's clock
// readings, the standing draw offers, the counters behind the engine's own
// draw offers and resignation, and the settings. It knows no protocol: the
// dialogues ask it and tell it, and say what they like.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/clock.h"
#include "board/game.h"
#include "search/search_info.h"
#include "session/player_clock.h"
#include "session/search_limits.h"
#include "session/settings.h"

// The counters behind the engine's draw decisions and resignation, over the
// engine's moves since the game started.
struct EngineCounters {
  int32_t movesSinceDrawOffer = 100;  // since the engine last offered a draw
  int32_t notAhead = 0;               // moves in a row without a score above the draw score
  int32_t drawish = 0;                // moves in a row with a score within the draw margin
  int32_t losing = 0;                 // moves in a row with a score below the resign score
};

// How close to the draw score a score counts as drawish when the engine
// moves from `root`: a little closer with queens on the board.
int DrawMargin(const GamePosition& root);

// A seed for the chance moves below full strength that differs from run to
// run and from game to game: the system's random source mixed with the
// clock (a random source that repeats itself still gives fresh seeds).
uint64_t FreshStrengthSeed();

class GameSession {
 public:
  explicit GameSession(ClockSource clock = Now);

  // The game.
  const Game& game() const { return game_; }
  int SideToMove() const { return game_.currentPosition.sideToMove; }
  bool GameOver() const { return game_.currentPosition.result != kGameRunning; }
  // Plays a legal move (throws GameError otherwise). With `clocksRun`, a
  // game under a time control in which the engine plays a side completes
  // the mover's clock and starts the other.
  void PlayMove(Move move, bool clocksRun);
  // Takes back the last move; both clocks stop and the clock of the side
  // now to move runs.
  void TakeBack();
  // Both clocks stop and the clock of the side to move runs (after moves
  // taken back or played again without the clocks).
  void RunClockOfSideToMove();
  // The game ends by the players' word ("result", a resignation, an agreed
  // draw, mate or stalemate found by the search).
  void SetResult(uint32_t result, uint32_t reason);
  // "new": a fresh game, clocks and counters as at the start, the
  // interface's readings dropped, no depth limit; a Chess960 game (from the
  // initial position, start 518) when the settings say so.
  void NewGame();
  // An edited or set-up position replaces the game; clocks and counters as
  // at the start, the draw offers withdrawn.
  void ReplaceGame(const Game& game);
  // As ReplaceGame, and the interface's readings are dropped.
  void SetUpPosition(const GamePosition& position);
  // Puts `side` on move (the record restarts from the toggled position),
  // gives the engine the other side and resets the clocks; false, with
  // nothing changed, when the side cannot be put on move.
  bool SetSideToMove(int side);

  // The sides. The engine starts as Black.
  bool EnginePlays(int side) const { return clocks_[side].engine; }
  bool EnginePlaysEitherSide() const { return EnginePlays(kWhite) || EnginePlays(kBlack); }
  // The engine plays `side` and the opponent the other.
  void SetEngineSide(int side);
  void EnginePlaysNeither();
  // The side's name in replies: "Ravok" when the engine plays it.
  std::string NameOf(int side) const;

  // The clocks.
  const PlayerClock& Clock(int side) const { return clocks_[side]; }
  bool ClockMode() const { return clockMode_; }
  // "level": from now on both clocks run under `control`; they start afresh
  // and the side to move's runs.
  void SetTimeControl(const TimeControl& control);
  const TimeControl& timeControl() const { return timeControl_; }
  // No time control from now on: the clocks stand empty and no flag falls.
  void ClearTimeControl();
  // Both clocks back to the start of the time control, standing.
  void ResetClocks();
  // Both clocks stop where they are (the game has ended).
  void StopClocks();
  void StartClock(int side) { clocks_[side].Start(clock_()); }
  // The side to move's clock has run out under a time control: the game is
  // lost on time, or drawn when the other side could never mate, and both
  // clocks stop. True when the flag has fallen now.
  bool FlagFalls();
  // The interface's readings of the engine's clock ("time") and of the
  // opponent's ("otim"), kept until the engine starts to think on its move.
  void NoteInterfaceClock(bool engineClock, Milliseconds reading);
  // The engine is on move: its clock and the opponent's take the readings,
  // which are then used up. Under a control with periods a clock that takes
  // a reading also takes the interface's count of the moves to go: the
  // period's moves counted from the game's first move.
  void ApplyInterfaceClocks();
  // What a search on the engine's move asks: the side to move's clock under
  // a time control, the settings' depth and times otherwise.
  SearchRequest RequestForMove() const;
  // The limits of a search under the session's settings, its chance moves
  // below full strength drawn for the current position (see
  // BuildSearchLimits).
  SearchParameters Limits(const SearchRequest& request) const;
  SearchParameters LimitsForMove() const { return Limits(RequestForMove()); }
  // The seed of the chance moves of a search in the current position.
  uint64_t StrengthSeedForMove() const;

  // Draw offers and the engine's counters.
  bool DrawOffered(int side) const { return clocks_[side].drawOffered; }
  void SetDrawOffer(int side, bool offered) { clocks_[side].drawOffered = offered; }
  const EngineCounters& Counters() const { return counters_; }
  // A game taken up in the middle, or a test, sets the counters.
  void SetCounters(const EngineCounters& counters) { counters_ = counters; }
  // The engine resigns after this many losing moves in a row.
  void SetResignMoves(int32_t moves) { resignMoves_ = moves; }
  // The engine's score for its move (`margin`: how close to the draw score
  // counts as drawish) counts on.
  void CountEngineMove(int score, int margin);
  // The engine takes the opponent's draw offer with this score.
  bool AcceptsDraw(int score, int margin) const;
  // After a long drawish stretch, and not again within ten moves.
  bool WantsToOfferDraw(int score, int margin) const;
  void NoteEngineDrawOffer() { counters_.movesSinceDrawOffer = 0; }
  bool WantsToResign() const { return counters_.losing >= resignMoves_; }

  // The settings, which the commands and the options table change.
  const SessionSettings& settings() const { return settings_; }
  SessionSettings& Settings() { return settings_; }

 private:
  PlayerClock& ClockOf(int side) { return clocks_[side]; }
  // The moves `side` has made since the game record's start.
  int32_t MovesMadeBy(int side) const;
  void ResetClocksAndCounters();

  Game game_;
  PlayerClock clocks_[2];
  bool clockMode_ = false;
  TimeControl timeControl_;
  std::optional<Milliseconds> interfaceTime_;
  std::optional<Milliseconds> interfaceOtim_;
  EngineCounters counters_;
  int32_t resignMoves_ = 10;
  SessionSettings settings_;
  ClockSource clock_;
};
