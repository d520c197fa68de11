#include "session/game_session.h"

#include <chrono>
#include <cstdlib>
#include <random>

#include "base/protocol_words.h"
#include "board/game_over.h"

namespace {

// The engine's view of its scores: at or below the draw score it is not
// ahead, below the resign score it is losing.
constexpr int kDrawScore = 0;
constexpr int kResignScore = -475;
// Stretches that make the engine offer or take a draw.
constexpr int kLongStretch = 9;
constexpr int kDrawMarginWithQueens = 20;
constexpr int kDrawMarginWithoutQueens = 25;

// The interface's reading of a clock replaces Ravok's own count; a running
// clock counts on from now.
void SetRemaining(PlayerClock& clock, Milliseconds reading, TimePoint now) {
  clock.remaining = reading;
  if (clock.running) clock.runStart = now;
}

}  // namespace

int DrawMargin(const GamePosition& root) {
  for (const int8_t piece : root.squares)
    if (std::abs(piece) == kQueen) return kDrawMarginWithQueens;
  return kDrawMarginWithoutQueens;
}

uint64_t FreshStrengthSeed() {
  std::random_device device;
  uint64_t z = ((uint64_t(device()) << 32) | device()) +
               uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count()) * 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

GameSession::GameSession(ClockSource clock) : clock_(clock) {
  SetEngineSide(1 - SideToMove());
  settings_.strengthSeed = FreshStrengthSeed();
}

void GameSession::PlayMove(Move move, bool clocksRun) {
  game_.PlayMove(move);
  if (GameOver() || !clocksRun || !clockMode_ || !EnginePlaysEitherSide()) return;
  const TimePoint now = clock_();
  ClockOf(1 - SideToMove()).CompleteMove(now);
  ClockOf(SideToMove()).Start(now);
}

void GameSession::TakeBack() {
  game_.TakeBack();
  RunClockOfSideToMove();
}

void GameSession::RunClockOfSideToMove() {
  StopClocks();
  ClockOf(SideToMove()).Start(clock_());
}

void GameSession::StopClocks() {
  const TimePoint now = clock_();
  clocks_[kWhite].Stop(now);
  clocks_[kBlack].Stop(now);
}

void GameSession::SetResult(uint32_t result, uint32_t reason) {
  game_.currentPosition.result = result;
  game_.currentPosition.reason = reason;
}

void GameSession::NewGame() {
  settings_.depth = 0;
  game_.NewGame(settings_.chess960);
  ResetClocksAndCounters();
  interfaceTime_.reset();
  interfaceOtim_.reset();
}

void GameSession::ReplaceGame(const Game& game) {
  game_ = game;
  ResetClocksAndCounters();
}

void GameSession::SetUpPosition(const GamePosition& position) {
  game_.SetupPosition(position);
  ResetClocksAndCounters();
  interfaceTime_.reset();
  interfaceOtim_.reset();
}

bool GameSession::SetSideToMove(int side) {
  if (side != SideToMove()) {
    try {
      game_.ToggleSide();
    } catch (const GameError&) {
      return false;
    }
  }
  SetEngineSide(1 - side);
  ResetClocks();
  return true;
}

void GameSession::SetEngineSide(int side) {
  ClockOf(side).engine = true;
  ClockOf(1 - side).engine = false;
}

void GameSession::EnginePlaysNeither() { clocks_[kWhite].engine = clocks_[kBlack].engine = false; }

std::string GameSession::NameOf(int side) const { return EnginePlays(side) ? Word(kWordEngineName) : Word(kWordGuest); }

void GameSession::SetTimeControl(const TimeControl& control) {
  timeControl_ = control;
  ResetClocks();
  clockMode_ = true;
  StartClock(SideToMove());
}

void GameSession::ClearTimeControl() {
  timeControl_ = TimeControl{};
  ResetClocks();
  clockMode_ = false;
}

void GameSession::ResetClocks() {
  clocks_[kWhite].ResetFrom(timeControl_);
  clocks_[kBlack].ResetFrom(timeControl_);
}

void GameSession::ResetClocksAndCounters() {
  ResetClocks();
  clocks_[kWhite].drawOffered = clocks_[kBlack].drawOffered = false;
  counters_ = EngineCounters{};
}

bool GameSession::FlagFalls() {
  if (!clockMode_ || GameOver() || !EnginePlaysEitherSide()) return false;
  const int side = SideToMove();
  PlayerClock& clock = ClockOf(side);
  if (!clock.running) return false;
  const TimePoint now = clock_();
  clock.Update(now);
  if (clock.remaining >= 0) return false;
  if (CannotEverMate(game_.currentPosition, 1 - side))
    SetResult(kGameDrawn, kReasonTimeoutDraw);
  else
    SetResult(side == kWhite ? kBlackWins : kWhiteWins, kReasonLossOnTime);
  clocks_[kWhite].Stop(now);
  clocks_[kBlack].Stop(now);
  return true;
}

void GameSession::NoteInterfaceClock(bool engineClock, Milliseconds reading) {
  (engineClock ? interfaceTime_ : interfaceOtim_) = reading;
}

int32_t GameSession::MovesMadeBy(int side) const {
  const int32_t moves = int32_t(game_.moves.size());
  return game_.startPosition.sideToMove == side ? (moves + 1) / 2 : moves / 2;
}

void GameSession::ApplyInterfaceClocks() {
  const TimePoint now = clock_();
  // An interface counts a period's moves from the game's first move, the
  // moves it sent while the engine played neither side among them; its
  // reading of a clock stands for that count too.
  const auto take = [&](int side, Milliseconds reading) {
    PlayerClock& clock = ClockOf(side);
    SetRemaining(clock, reading, now);
    if (clock.movesPerControl > 0) clock.movesToGo = clock.movesPerControl - MovesMadeBy(side) % clock.movesPerControl;
  };
  if (interfaceTime_) take(SideToMove(), *interfaceTime_);
  if (interfaceOtim_) take(1 - SideToMove(), *interfaceOtim_);
  interfaceTime_.reset();
  interfaceOtim_.reset();
}

SearchRequest GameSession::RequestForMove() const {
  SearchRequest request;
  if (clockMode_) {
    request.clock = Clock(SideToMove()).Reading();
    return request;
  }
  request.depth = settings_.depth;
  if (settings_.absoluteTime != 0) request.moveTime = settings_.absoluteTime;
  request.targetTime = settings_.variableTime;
  return request;
}

SearchParameters GameSession::Limits(const SearchRequest& request) const {
  return BuildSearchLimits(request, settings_, StrengthSeedForMove());
}

uint64_t GameSession::StrengthSeedForMove() const {
  // A seed of its own for every position of the game, the same again when
  // a move is taken back and thought about anew.
  return settings_.strengthSeed ^ (uint64_t(game_.moves.size()) * 0x9E3779B97F4A7C15ull);
}

void GameSession::CountEngineMove(int score, int margin) {
  ++counters_.movesSinceDrawOffer;
  counters_.notAhead = score > kDrawScore ? 0 : counters_.notAhead + 1;
  counters_.drawish = std::abs(score) > margin ? 0 : counters_.drawish + 1;
  counters_.losing = score >= kResignScore ? 0 : counters_.losing + 1;
}

bool GameSession::AcceptsDraw(int score, int margin) const {
  return (score <= kDrawScore + margin && counters_.notAhead > 1) || counters_.losing > 0 ||
         counters_.drawish > kLongStretch;
}

bool GameSession::WantsToOfferDraw(int score, int margin) const {
  return counters_.movesSinceDrawOffer > kLongStretch && std::abs(score) <= margin && counters_.drawish > kLongStretch;
}
