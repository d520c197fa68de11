// The dialogue's loop and its shared operations: the idle loop and the polls
// during a search, replies, the search from its request to its driver, the
// search's reports, and the game moves the commands make.
#include "frontend/communicator.h"

#include <ostream>

#include "base/end_of_input.h"
#include "base/fatal_error.h"
#include "board/display.h"
#include "board/moves.h"
#include "board/san.h"
#include "frontend/commands.h"
#include "frontend/replies.h"
#include "session/string_utils.h"

namespace {

// Lines handled in one poll at most: a flood of input is worked off quickly
// without starving the search when the input never stops.
constexpr int kMaxLinesPerPoll = 64;

}  // namespace

Communicator::Communicator(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, bool xboard,
                           ClockSource clock)
    : engine_(engine), session_(clock), dialect_(xboard), output_(out), input_(in, inputDescriptor) {
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

// The idle loop: everything queued in order, then a requested search to its
// end, then the prompt and the next line. "uci" as the first line of all
// hands the streams over to the UCI dialogue.
void Communicator::DealWithNotSearching() {
  for (;;) {
    if (quitRequested_) return;
    while (!commandQueue_.empty()) {
      const WordList words = commandQueue_.front();
      commandQueue_.pop_front();
      HandleIdle(words);
    }
    if (quitRequested_) return;
    if (searchRequested_) {
      StartSearch();
      continue;
    }
    if (dialect_.ShowsPrompt()) PrintPrompt();
    const std::string line = input_.ReadLine();
    if (OpensUciDialogue(line)) {
      if (output_.MidLine()) WriteLine("");
      uciRequested_ = true;
      return;
    }
    CheckFlagFall();
    commandQueue_.push_back(Tokenize(line));
  }
}

// During a search: a fallen flag ends the game and with it the search; the
// lines waiting are handled, each by the running search's mode.
void Communicator::Poll() {
  if (CheckFlagFall()) EndSearch(true);
  for (int handled = 0; handled < kMaxLinesPerPoll; ++handled) {
    if (!input_.InputAvailable()) return;
    Tokenize(input_.ReadLine(), searchWords_);
    HandleSearching(searchWords_);
  }
}

void Communicator::HandleIdle(const WordList& words) {
  if (words.empty()) {
    Reply(dialect_.Note(ConsoleNote::kEmptyLine));
    return;
  }
  if (!RunCommand(DialogueCommands(), *this, words, CommandState::kIdle, DialogueBitOf(dialect_))) IdleMove(words);
}

void Communicator::HandleSearching(const WordList& words) {
  if (words.empty()) {
    Reply(dialect_.Note(ConsoleNote::kEmptyLine));
    return;
  }
  if (!RunCommand(DialogueCommands(), *this, words, CommandState::kSearching, DialogueBitOf(dialect_)))
    SearchingMove(words);
}

void Communicator::PrintPrompt() {
  std::ostream& out = EngineOutput();
  out << Word(session_.SideToMove() == kWhite ? kWordWhite : kWordBlack) << ' '
      << session_.game().moves.size() / 2 + 1 << "> ";
  out.flush();
}

bool Communicator::OpensUciDialogue(const std::string& line) {
  const bool first = !anyLineRead_;
  anyLineRead_ = true;
  return first && Tokenize(line) == WordList{"uci"};
}

bool Communicator::CheckFlagFall() {
  if (!dialect_.RefereesTheGame() || analyzeMode_ || !session_.FlagFalls()) return false;
  Reply(session_.NameOf(session_.SideToMove()) + " " + Word(kWordHasLostOnTime) + ".");
  PrintResult();
  return true;
}

// Replies.

void Communicator::WriteLine(const std::string& line) {
  std::ostream& out = EngineOutput();
  out << line << '\n';
  out.flush();
}

void Communicator::BeginReply() {
  if (engine_.Searching() && output_.MidLine()) {
    EngineOutput() << '\n';
    EngineOutput().flush();
  }
}

void Communicator::Reply(const std::string& line) {
  BeginReply();
  WriteLine(line);
}

void Communicator::Reply(const std::optional<std::string>& line) {
  if (line) Reply(*line);
}

void Communicator::ReplyError(const std::string& reason, const WordList& words) { Reply(ErrorText(reason, words)); }

void Communicator::ReplyUnreadableMove(const WordList& words) {
  Reply(dialect_.UnreadableMoveReply(words, IsKnownCommandWord(words.front())));
}

void Communicator::PrintResult() { Reply(dialect_.ResultLine(session_.game())); }

void Communicator::DisplayBoard() {
  BeginReply();
  Display(session_.game().currentPosition, EngineOutput());
}

void Communicator::PrintEvaluation() { Reply("Value: " + std::to_string(engine_.Evaluate(session_.game()))); }

void Communicator::EndSearch(bool discardResult) { throw search_aborted_exception(discardResult); }

void Communicator::WaitForSearchEnd(const WordList& words) {
  Queue(words);
  if (searchStatus_.parameters.mode == kModeAnalyze) {
    QueueWord(kWordAnalyze);
    EndSearch(true);
  }
}

// The search from its request to its driver.

void Communicator::ResetSearchStatus() {
  searchStatus_.searchActive = false;
  searchStatus_.resultPending = false;
  searchStatus_.ownMoveText = Word(kWordInvalidMove);
  searchStatus_.expectedMoveText = Word(kWordInvalidMove);
}

void Communicator::RequestSearch(int mode, Move ponder) {
  ponderMove_ = ponder;
  analyzeMode_ = mode == kModeAnalyze;
  if (analyzeMode_) {
    searchStatus_.parameters = SearchParameters{};
  } else {
    if (mode == kModeThink) session_.ApplyInterfaceClocks();
    searchStatus_.parameters = session_.LimitsForMove();
  }
  searchStatus_.parameters.mode = mode;
  searchRequested_ = true;
}

// A ponder search works on the position after the expected move while the
// game stays before it; any other search works on the game position.
void Communicator::StartSearch() {
  searchRequested_ = false;
  if (ponderMove_ != 0) {
    if (!PreparePonderPosition()) {
      ponderMove_ = 0;
      ResetSearchStatus();
      return;
    }
  } else {
    engine_.LoadGame(session_.game());
    searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  }
  searchStatus_.searchActive = true;
  const bool discard = engine_.Think(searchStatus_.parameters, *this);
  OnSearchFinished(discard);
}

// The texts of the engine's last move and the expected reply, and the
// search position after that reply. False when there is nothing to ponder
// on: no own move to show, or a reply that is not legal in the game.
bool Communicator::PreparePonderPosition() {
  const Game& game = session_.game();
  if (game.moves.empty() || session_.GameOver()) return false;
  Game before = game;
  before.TakeBack();
  searchStatus_.ownMoveText = MoveToText(before.currentPosition, game.moves.back(), kMoveTextUpperCoordinates);
  if (!IsLegalMove(game.currentPosition, ponderMove_)) {
    searchStatus_.ownMoveText = Word(kWordInvalidMove);
    return false;
  }
  searchStatus_.expectedMoveText = MoveToText(game.currentPosition, ponderMove_, kMoveTextUpperCoordinates);
  Game after = game;
  after.PlayMove(ponderMove_);
  engine_.LoadGame(after);
  return true;
}

void Communicator::PonderHit() {
  searchStatus_.searchActive = true;
  searchStatus_.parameters.mode = kModeThink;
  session_.ApplyInterfaceClocks();
  // Under a clock the limits come from the engine's own clock, not from the
  // opponent's clock that the ponder request saw. The time already spent
  // pondering still counts, so the engine's clock is never overstepped.
  if (session_.ClockMode() && engine_.Searching()) {
    const ClockLimits limits = session_.ClockLimitsForSideToMove();
    searchStatus_.parameters.hardLimit = limits.hardLimit;
    searchStatus_.parameters.allotment = limits.allotment;
  }
  engine_.EndOpenEndedSearch(searchStatus_.parameters.hardLimit, searchStatus_.parameters.allotment);
  searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  Reply(dialect_.Note(ConsoleNote::kPredictedMoveMade));
}

// The search's reports: headers, markers and candidates on the console only,
// the thinking line as the dialect has it.

void Communicator::PrintMarker(const char* text) {
  if (!dialect_.ShowsSearchProgress()) return;
  EngineOutput() << text;
  EngineOutput().flush();
}

void Communicator::PrintIterationHeader(const SearchInfo& info) {
  if (!dialect_.ShowsSearchProgress()) return;
  std::ostream& out = EngineOutput();
  out << Word(kWordDepth) << ' ' << info.displayDepth;
  if (info.mode == kModePonder) {
    out << ' ';
    PrintPonderAnnotation();
  }
  out << '\n';
  out.flush();
}

void Communicator::PrintPonderAnnotation() {
  if (searchStatus_.ownMoveText == Word(kWordInvalidMove)) return;
  std::ostream& out = EngineOutput();
  out << "(" << Word(kWordEngineName) << " " << Word(kWordPlayed) << " " << searchStatus_.ownMoveText << " "
      << Word(kWordExpectedMove) << " " << searchStatus_.expectedMoveText << ")";
  out.flush();
}

void Communicator::OnSearchEvent(SearchEvent event, const SearchInfo& info) {
  const bool progress = dialect_.ShowsSearchProgress();
  switch (event) {
    case SearchEvent::kIterationStarted: PrintIterationHeader(info); break;
    case SearchEvent::kFailLow: PrintMarker("?"); break;
    case SearchEvent::kFailHigh: PrintMarker("!"); break;
    case SearchEvent::kNewBestCandidate: PrintMarker("!?"); break;
    case SearchEvent::kResearchEnded: PrintMarker(" "); break;
    case SearchEvent::kCandidateAccepted:
      if (progress) WriteLine(std::string(" ") + Word(kWordTrue));
      break;
    case SearchEvent::kCandidateRejected:
      if (progress) WriteLine(std::string(" ") + Word(kWordFalse));
      break;
    case SearchEvent::kNewBestLine:
      if (const auto line = dialect_.ThinkingLine(info, Now(), session_.settings().post)) WriteLine(*line);
      break;
    case SearchEvent::kAborted:
      if (progress) WriteLine(Word(kWordSearchAborted));
      break;
  }
}

void Communicator::PrintAnalysisStatus() {
  const SearchInfo& info = engine_.Info();
  const TimePoint end = info.endTime != 0 ? info.endTime : Now();  // the search's own clock
  Reply("stat01: " + std::to_string(Centiseconds(end - info.startTime)) + " " + std::to_string(engine_.NodesSoFar()) +
        " " + std::to_string(info.displayDepth) + " " + std::to_string(info.rootMoveCount - info.currentRootMove + 1) +
        " " + std::to_string(info.rootMoveCount));
}

// The game as the commands change it.

void Communicator::EnginePlaysOtherSide() {
  session_.SetEngineSide(1 - session_.SideToMove());
  ResetSearchStatus();
}

bool Communicator::SetSideToMove(int side, const WordList& words) {
  if (!session_.SetSideToMove(side)) {
    ReplyError(std::string(Word(side == kWhite ? kWordBlack : kWordWhite)) + " " + Word(kWordKingWouldBeInCheck), words);
    return false;
  }
  ResetSearchStatus();
  return true;
}

void Communicator::MakeGameMove(Move move) {
  session_.PlayMove(move, !analyzeMode_);
  if (session_.GameOver()) ResetSearchStatus();
}

Move Communicator::ReadGameMove(const std::string& word) const {
  try {
    return ParseMove(session_.game().currentPosition, word);
  } catch (const GameError&) {
    if (!dialect_.ReadsStandardNotation()) throw;
  }
  return ParseSanMove(session_.game().currentPosition, word);
}

bool Communicator::EditGameCopy(const WordList& words) {
  Game copy = session_.game();
  try {
    copy.EditPosition(input_.Stream(), EngineOutput(), dialect_.EditsInteractively());
  } catch (const GameError&) {
    ReplyError(Word(kWordPositionNotLegal), words);
    return false;
  }
  session_.ReplaceGame(copy);
  ResetSearchStatus();
  if (dialect_.EditsInteractively()) DisplayBoard();
  return true;
}

// A move while idle. A finished analysis or ponder search may be waiting
// for it: the analysis moves on, the ponder result answers the expected
// move at once. Otherwise the engine answers when it is on move now.
void Communicator::IdleMove(const WordList& words) {
  const bool pending = searchStatus_.resultPending;
  Move move = 0;
  try {
    move = ReadGameMove(words.front());
    MakeGameMove(move);
  } catch (const GameError&) {
    ReplyUnreadableMove(words);
    return;
  }
  if (session_.GameOver()) {
    PrintResult();
    if (pending) analyzeMode_ = false;
    return;
  }
  if (!pending) {
    if (session_.EnginePlays(session_.SideToMove())) RequestSearch(kModeThink, 0);
  } else if (analyzeMode_) {
    RequestSearch(kModeAnalyze, 0);
  } else if (MoveLow21(move) == MoveLow21(ponderMove_)) {
    PonderHit();
    ponderMove_ = 0;
    OnSearchFinished(false);
  } else {
    ResetSearchStatus();
    RequestSearch(kModeThink, 0);
  }
}

// A move during a search: while the engine thinks it is not the opponent's
// turn; an analysis goes on from the move; a ponder search goes on as the
// real search after the expected move and gives way to a fresh one after
// any other.
void Communicator::SearchingMove(const WordList& words) {
  const int mode = searchStatus_.parameters.mode;
  Move move = 0;
  try {
    move = ReadGameMove(words.front());
  } catch (const GameError&) {
    ReplyUnreadableMove(words);
    return;
  }
  if (mode == kModeThink) {
    Reply(dialect_.NotYourTurn(session_.NameOf(1 - session_.SideToMove())));
    return;
  }
  try {
    MakeGameMove(move);
  } catch (const GameError&) {
    Reply(IllegalMoveText("", words));
    return;
  }
  if (session_.GameOver()) {
    PrintResult();
    if (mode == kModeAnalyze) analyzeMode_ = false;
    EndSearch(true);
  }
  if (mode == kModeAnalyze) {
    QueueWord(kWordAnalyze);
    EndSearch(true);
  }
  if (MoveLow21(move) == MoveLow21(ponderMove_)) {
    PonderHit();
    ponderMove_ = 0;
    return;
  }
  RequestSearch(kModeThink, 0);
  EndSearch(true);
}
