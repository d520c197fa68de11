// The Communicator's shared operations: the search status, search requests,
// sides, game moves with their clock events, and the bridge the search uses.
#include "frontend/communicator.h"

#include "app/xboard_mode.h"
#include "board/display.h"
#include "frontend/console_io.h"
#include "frontend/replies.h"
#include "frontend/search_bridge.h"

Communicator& Communicator::Instance() {
  static Communicator communicator;
  return communicator;
}

Communicator::Communicator() : opponentName(Word(kWordGuest)) {
  // The engine takes the side that is not to move: Black at the start.
  ClockOf(1 - SideToMove()).engine = true;
  ResetSearchStatus();
  searchCallbacks.poll = ::DealWithSearching;
  searchCallbacks.finished = ::OnSearchFinished;
  searchCallbacks.postEnabled = ::IsPostEnabled;
  searchCallbacks.ponderAnnotation = ::PrintPonderAnnotation;
}

void Communicator::ResetSearchStatus() {
  searchStatus.searchActive = false;
  searchStatus.resultPending = false;
  searchStatus.ownMoveText = Word(kWordInvalidMove);
  searchStatus.expectedMoveText = Word(kWordInvalidMove);
}

void Communicator::RequestSearch(int mode, Move ponder) {
  SearchParameters& p = searchStatus.parameters;
  p.mode = mode;
  ponderMove = ponder;
  if (mode == kModeAnalyze) {
    analyzeMode = true;
    p.maxDepth = p.hardLimit = p.allotment = 0;
  } else {
    analyzeMode = false;
    if (mode == kModeThink) ApplyInterfaceClocks();
    if (clockMode) {
      const ClockLimits limits = LimitsFromClock(ClockOf(SideToMove()));
      p.maxDepth = 0;
      p.hardLimit = limits.hardLimit;
      p.allotment = limits.allotment;
    } else {
      p.maxDepth = depthSetting;
      p.hardLimit = HardLimitForMoveTime(absoluteTimeSetting);
      p.allotment = variableTimeSetting;
    }
  }
  searchRequested = true;
}

void Communicator::EnginePlaysOtherSide() {
  ClockOf(SideToMove()).engine = false;
  ClockOf(1 - SideToMove()).engine = true;
  ResetSearchStatus();
}

bool Communicator::SetSideToMove(int side) {
  if (side != SideToMove()) {
    try {
      game.ToggleSide();
    } catch (const CommBoardException&) {
      return false;
    }
  }
  ClockOf(side).engine = false;
  ClockOf(1 - side).engine = true;
  ResetSearchStatus();
  ResetBothClocks();
  return true;
}

void Communicator::MakeGameMove(Move move) {
  game.PlayMove(move);
  if (GameOver()) {
    ResetSearchStatus();
    return;
  }
  if (clockMode && !analyzeMode && EnginePlaysEitherSide()) {
    const TimePoint now = Now();
    ClockOf(1 - SideToMove()).CompleteMove(now);
    ClockOf(SideToMove()).Start(now);
  }
}

void Communicator::TakeBackWithClocks() {
  game.TakeBack();
  const TimePoint now = Now();
  whiteClock.Stop(now);
  blackClock.Stop(now);
  ClockOf(SideToMove()).Start(now);
}

void Communicator::ResetBothClocks() {
  whiteClock.ResetFrom(timeControl);
  blackClock.ResetFrom(timeControl);
}

void Communicator::ResetClocksAndCounters() {
  ResetBothClocks();
  whiteClock.drawOffered = blackClock.drawOffered = false;
  movesSinceDrawOffer = 100;
  notAheadCount = drawishCount = losingCount = 0;
}

void Communicator::ResetForNewGame() {
  depthSetting = 0;
  game.NewGame();
  ResetClocksAndCounters();
  ResetSearchStatus();
  interfaceTime.reset();
  interfaceOtim.reset();
}

bool Communicator::EditGameCopy(const WordList& words) {
  CommBoard copy = game;
  try {
    copy.EditPosition(EngineInput(), EngineOutput());
  } catch (const CommBoardException&) {
    ReplyError(Word(kWordPositionNotLegal), words);
    return false;
  }
  game = copy;
  ResetClocksAndCounters();
  ResetSearchStatus();
  if (!xboardMode) {
    BeginReply();
    Display(game.currentPosition, EngineOutput());
  }
  return true;
}

std::string Communicator::NameOf(int side) const {
  return ClockOf(side).engine ? Word(kWordEngineName) : opponentName;
}

void Communicator::QueueWord(ProtocolWord word) { commandQueue.push_back(WordList{Word(word)}); }

bool Communicator::CheckFlagFall() {
  if (xboardMode || !clockMode || analyzeMode || GameOver() || !EnginePlaysEitherSide()) return false;
  const int side = SideToMove();
  PlayerClock& clock = ClockOf(side);
  if (!clock.running) return false;
  const TimePoint now = Now();
  clock.Update(now);
  if (clock.remaining >= 0) return false;
  Reply(NameOf(side) + " " + Word(kWordHasLostOnTime) + ".");
  game.currentPosition.result = side == kWhite ? kBlackWins : kWhiteWins;
  game.currentPosition.reason = kReasonLossOnTime;
  whiteClock.Stop(now);
  blackClock.Stop(now);
  PrintResult(game);
  return true;
}

// The search driver's calls into the front end.
void DealWithSearching() { Communicator::Instance().DealWithSearching(); }
void OnSearchFinished(bool discardResult) { Communicator::Instance().OnSearchFinished(discardResult); }
bool IsPostEnabled() { return Communicator::Instance().IsPostEnabled(); }
void PrintPonderAnnotation() { Communicator::Instance().PrintPonderAnnotation(); }
