// The Communicator's shared operations: the search status, search requests,
// sides, game moves with their clock events, and the bridge the search uses.
#include "frontend/communicator.h"

#include <ostream>

#include "base/end_of_input.h"
#include "board/display.h"
#include "board/moves.h"
#include "board/san.h"
#include "frontend/replies.h"
#include "frontend/thinking_output.h"

Communicator::Communicator(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, bool xboard,
                           ClockSource clock)
    : xboardMode(xboard),
      opponentName(Word(kWordGuest)),
      engine_(engine),
      output_(out),
      input_(in, inputDescriptor),
      clock_(clock) {
  // The engine takes the side that is not to move: Black at the start.
  ClockOf(1 - SideToMove()).engine = true;
  ResetSearchStatus();
  StartOptions(Options(), Dialogue::kConsoleXboard);
}

void Communicator::Run() {
  try {
    DealWithNotSearching();
  } catch (const end_of_input&) {
    // The input has ended: so has the dialogue, whatever it was doing.
  }
  EngineOutput().flush();
}

// Replies.

void Communicator::WriteLine(const std::string& line) {
  std::ostream& out = EngineOutput();
  out << line << '\n';
  out.flush();
}

void Communicator::BeginReply() {
  if (engine_.Info().searching != 0 && output_.MidLine()) {
    EngineOutput() << '\n';
    EngineOutput().flush();
  }
}

void Communicator::Reply(const std::string& line) {
  BeginReply();
  WriteLine(line);
}

void Communicator::ReplyError(const std::string& reason, const WordList& words) { Reply(ErrorText(reason, words)); }

void Communicator::ReplyIllegalMove(const std::string& reason, const WordList& words) {
  Reply(IllegalMoveText(reason, words));
}

void Communicator::PrintResult(const Game& board) { Reply(ResultText(board, xboardMode)); }

void Communicator::PrintHelp() {
  for (const std::string& line : HelpLines()) Reply(line);
}

// The search's reports: markers and headers on the console only, the
// thinking line on the console or, when posting, as the xboard post line.

void Communicator::PrintMarker(const char* text) {
  if (xboardMode) return;
  EngineOutput() << text;
  EngineOutput().flush();
}

void Communicator::PrintIterationHeader(const SearchInfo& info) {
  if (xboardMode) return;
  std::ostream& out = EngineOutput();
  out << Word(kWordDepth) << ' ' << info.displayDepth;
  if (info.mode == kModePonder) {
    out << ' ';
    PrintPonderAnnotation();
  }
  out << '\n';
  out.flush();
}

// The search's times are readings of the monotonic clock, like its start.
void Communicator::ReportThinking(const SearchInfo& info) {
  const std::vector<std::string> texts = MoveTexts(info.pvMoves, xboardMode);
  if (!xboardMode)
    WriteLine(ConsoleThinkingLine(info, texts, Now()));
  else if (settings.post)
    WriteLine(PostLineText(info, texts, Now(), protocolVersion));
}

void Communicator::OnSearchEvent(SearchEvent event, const SearchInfo& info) {
  switch (event) {
    case SearchEvent::kIterationStarted: PrintIterationHeader(info); break;
    case SearchEvent::kFailLow: PrintMarker("?"); break;
    case SearchEvent::kFailHigh: PrintMarker("!"); break;
    case SearchEvent::kNewBestCandidate: PrintMarker("!?"); break;
    case SearchEvent::kResearchEnded: PrintMarker(" "); break;
    case SearchEvent::kCandidateAccepted:
      if (!xboardMode) WriteLine(std::string(" ") + Word(kWordTrue));
      break;
    case SearchEvent::kCandidateRejected:
      if (!xboardMode) WriteLine(std::string(" ") + Word(kWordFalse));
      break;
    case SearchEvent::kNewBestLine: ReportThinking(info); break;
    case SearchEvent::kAborted:
      if (!xboardMode) WriteLine(Word(kWordSearchAborted));
      break;
  }
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
      const ClockLimits limits = LimitsFromClock(ClockOf(SideToMove()).Reading(settings.moveOverhead), settings.timeRule);
      p.maxDepth = 0;
      p.hardLimit = limits.hardLimit;
      p.allotment = limits.allotment;
    } else {
      p.maxDepth = settings.depth;
      p.hardLimit = HardLimitForMoveTime(settings.absoluteTime);
      p.allotment = settings.variableTime;
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
    } catch (const GameError&) {
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
    const TimePoint now = ClockNow();
    ClockOf(1 - SideToMove()).CompleteMove(now);
    ClockOf(SideToMove()).Start(now);
  }
}

Move Communicator::ReadGameMove(const std::string& word) const {
  try {
    return ParseMove(game.currentPosition, word);
  } catch (const GameError&) {
    if (xboardMode) throw;
  }
  return ParseSanMove(game.currentPosition, word);
}

void Communicator::TakeBackWithClocks() {
  game.TakeBack();
  const TimePoint now = ClockNow();
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
  settings.depth = 0;
  game.NewGame();
  ResetClocksAndCounters();
  ResetSearchStatus();
  interfaceTime.reset();
  interfaceOtim.reset();
}

bool Communicator::EditGameCopy(const WordList& words) {
  Game copy = game;
  try {
    copy.EditPosition(input_.Stream(), EngineOutput(), !xboardMode);
  } catch (const GameError&) {
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
  const TimePoint now = ClockNow();
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
