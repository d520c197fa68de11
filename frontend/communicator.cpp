// The dialogue's loop and its shared operations: the idle loop and the
// lines during a search, the search from its request to the runner, and
// the changes of the game that the commands share.
#include "frontend/communicator.h"

#include <ostream>

#include "base/end_of_input.h"
#include "base/fatal_error.h"
#include "board/moves.h"
#include "board/san.h"
#include "frontend/command_actions.h"
#include "frontend/commands.h"
#include "frontend/edit_dialogue.h"
#include "session/string_utils.h"

Communicator::Communicator(Engine& engine, std::istream& in, int inputDescriptor, std::ostream& out, bool xboard,
                           ClockSource clock)
    : engine_(engine),
      session_(clock),
      dialect_(xboard),
      output_(out, engine, dialect_),
      input_(in, inputDescriptor),
      runner_(engine, input_, *this, clock) {
  ResetSearchStatus();
  StartOptions(Options(), Dialogue::kConsoleXboard);
}

void Communicator::Run() {
  try {
    DealWithNotSearching();
  } catch (const end_of_input&) {
    // The input has ended: so has the dialogue, whatever it was doing.
  }
  output_.Stream().flush();
}

// The idle loop: everything queued in order, then a requested search to its
// end, then the prompt and the next line. "uci" as the first line of all
// hands the streams over to the UCI dialogue.
void Communicator::DealWithNotSearching() {
  for (;;) {
    if (quitRequested_) return;
    while (runner_.HasKept()) Handle(runner_.TakeKept().words, CommandState::kIdle);
    if (quitRequested_) return;
    if (searchRequested_) {
      StartSearch();
      continue;
    }
    if (dialect_.ShowsPrompt()) output_.PrintPrompt(session_.game());
    const std::string line = input_.ReadLine();
    if (OpensUciDialogue(line)) {
      if (output_.MidLine()) output_.WriteLine("");
      uciRequested_ = true;
      return;
    }
    CheckFlagFall();
    Handle(Tokenize(line), CommandState::kIdle);
  }
}

// During a search: a fallen flag ends the game and with it the search; each
// line is handled by the running search's mode.
void Communicator::OnPoll() {
  if (CheckFlagFall()) EndSearch(true);
}

void Communicator::AnswerDuringSearch(const std::string& line) { Handle(Tokenize(line), CommandState::kSearching); }

void Communicator::Handle(const WordList& words, CommandState state, bool commands) {
  if (words.empty()) {
    output_.Reply(dialect_.Note(ConsoleNote::kEmptyLine));
  } else if (commands && RunCommand(DialogueCommands(), *this, words, state)) {
    return;
  } else if (state == CommandState::kIdle) {
    game_commands::IdleMove(*this, words);
  } else {
    game_commands::SearchingMove(*this, words);
  }
}

bool Communicator::OpensUciDialogue(const std::string& line) {
  const bool first = !anyLineRead_;
  anyLineRead_ = true;
  return first && Tokenize(line) == WordList{"uci"};
}

bool Communicator::CheckFlagFall() {
  if (!dialect_.RefereesTheGame() || analyzeMode_ || !session_.FlagFalls()) return false;
  output_.Reply(session_.NameOf(session_.SideToMove()) + " " + Word(kWordHasLostOnTime) + ".");
  PrintResult();
  return true;
}

void Communicator::PrintEvaluation() { output_.Reply("Value: " + std::to_string(engine_.Evaluate(session_.game()))); }

bool Communicator::EndSearch(bool discardResult) {
  runner_.Stop(!discardResult);
  return true;
}

void Communicator::WaitForSearchEnd(const WordList& words) {
  Queue(words);
  if (searchStatus_.parameters.mode == kModeAnalyze) {
    QueueWord(kWordAnalyze);
    EndSearch(true);
  }
}

// The search from its request to the runner.

void Communicator::ResetSearchStatus() {
  searchStatus_.searchActive = false;
  searchStatus_.resultPending = false;
  searchStatus_.ownMoveText = Word(kWordInvalidMove);
  searchStatus_.expectedMoveText = Word(kWordInvalidMove);
}

void Communicator::RequestSearch(int mode, Move ponder) {
  ponderMove_ = ponder;
  analyzeMode_ = mode == kModeAnalyze;
  SearchRequest request;
  if (!analyzeMode_) {
    if (mode == kModeThink) session_.ApplyInterfaceClocks();
    request = session_.RequestForMove();
  }
  request.mode = mode;
  searchStatus_.parameters = session_.Limits(request);
  searchRequested_ = true;
}

// A ponder search works on the position after the expected move while the
// game stays before it; any other search works on the game position.
void Communicator::StartSearch() {
  searchRequested_ = false;
  if (ponderMove_ != 0) {
    if (!PreparePonderTexts()) {
      ponderMove_ = 0;
      ResetSearchStatus();
      return;
    }
  } else {
    searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  }
  searchStatus_.searchActive = true;
  const SearchEnd end = runner_.Run(session_.game(), searchStatus_.parameters, ponderMove_);
  OnSearchFinished(end == SearchEnd::kDiscarded);
}

// The texts of the engine's last move and the expected reply. False when
// there is nothing to ponder on: no own move to show, or a reply that is
// not legal in the game.
bool Communicator::PreparePonderTexts() {
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
    const SearchParameters limits = session_.LimitsForMove();
    searchStatus_.parameters.hardLimit = limits.hardLimit;
    searchStatus_.parameters.allotment = limits.allotment;
  }
  runner_.PonderHit(searchStatus_.parameters.hardLimit, searchStatus_.parameters.allotment);
  searchStatus_.ownMoveText = searchStatus_.expectedMoveText = Word(kWordInvalidMove);
  output_.Reply(dialect_.Note(ConsoleNote::kPredictedMoveMade));
}

void Communicator::PlayPonderResult() {
  PonderHit();
  ponderMove_ = 0;
  OnSearchFinished(false);
}

void Communicator::Report(SearchEvent event, const SearchInfo& info) {
  output_.ReportSearchEvent(event, info, session_.settings().post, searchStatus_,
                            session_.game().currentPosition.chess960 != 0);
}

// The game as the commands change it.

void Communicator::EnginePlaysOtherSide() {
  session_.SetEngineSide(1 - session_.SideToMove());
  ResetSearchStatus();
}

bool Communicator::SetSideToMove(int side, const WordList& words) {
  if (!session_.SetSideToMove(side)) {
    output_.ReplyError(
        std::string(Word(side == kWhite ? kWordBlack : kWordWhite)) + " " + Word(kWordKingWouldBeInCheck), words);
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
  const GamePosition& position = session_.game().currentPosition;
  try {
    return ParseMove(position, word);
  } catch (const GameError&) {
    // xboard's fischerandom writes castling "O-O", "O-O-O".
    if (!dialect_.ReadsStandardNotation() && !position.chess960) throw;
  }
  return ParseSanMove(session_.game().currentPosition, word);
}

bool Communicator::EditGameCopy(const WordList& words) {
  Game copy = session_.game();
  if (!EditGame(copy, input_, output_.Stream(), dialect_.EditsInteractively())) {
    output_.ReplyError(Word(kWordPositionNotLegal), words);
    return false;
  }
  session_.ReplaceGame(copy);
  ResetSearchStatus();
  if (dialect_.EditsInteractively()) output_.DisplayBoard(session_.game().currentPosition);
  return true;
}
