#include "session/search_runner.h"

#include "base/end_of_input.h"
#include "board/moves.h"

namespace {

// Lines handled in one poll at most: a flood of input is worked off
// quickly without starving the search when the input never stops.
constexpr int kMaxLinesPerPoll = 64;

// Time between two progress reports of a search.
constexpr Milliseconds kProgressInterval = 1000;

}  // namespace

SearchRunner::SearchRunner(Engine& engine, LineSource& input, SearchDialogue& dialogue, ClockSource clock)
    : engine_(engine), input_(input), dialogue_(dialogue), clock_(clock) {}

SearchEnd SearchRunner::Run(const Game& game, const SearchParameters& parameters, Move expected) {
  if (expected != 0) {
    if (!IsLegalMove(game.currentPosition, expected)) return SearchEnd::kNotStarted;
    Game after = game;
    after.PlayMove(expected);
    engine_.LoadGame(after);
  } else {
    engine_.LoadGame(game);
  }
  state_ = State::kSearching;
  mode_ = parameters.mode;
  stop_ = StopRequest::kNone;
  lastProgress_ = clock_();
  bool discard = false;
  try {
    discard = engine_.Think(parameters, *this);
  } catch (...) {
    state_ = State::kIdle;
    throw;
  }
  state_ = State::kIdle;
  return discard ? SearchEnd::kDiscarded : SearchEnd::kWithMove;
}

bool SearchRunner::WaitForStop() {
  state_ = State::kWaiting;
  stop_ = StopRequest::kNone;
  try {
    while (stop_ == StopRequest::kNone) dialogue_.AnswerDuringSearch(input_.ReadLine());
  } catch (...) {
    state_ = State::kIdle;
    throw;
  }
  state_ = State::kIdle;
  return stop_ == StopRequest::kKeepMove;
}

void SearchRunner::Stop(bool keepMove) {
  if (state_ == State::kIdle || stop_ != StopRequest::kNone) return;
  stop_ = keepMove ? StopRequest::kKeepMove : StopRequest::kDropResult;
}

void SearchRunner::PonderHit(Milliseconds hardLimit, Milliseconds allotment) {
  if (state_ == State::kWaiting) return Stop(true);
  if (state_ != State::kSearching) return;
  mode_ = kModeThink;
  engine_.EndOpenEndedSearch(hardLimit, allotment);
}

void SearchRunner::Keep(const WordList& words, KeptKind kind) {
  if (kind == KeptKind::kFirst)
    kept_.push_front(KeptLine{words, kind});
  else
    kept_.push_back(KeptLine{words, kind});
}

KeptLine SearchRunner::TakeKept() {
  KeptLine line = std::move(kept_.front());
  kept_.pop_front();
  return line;
}

std::optional<WordList> SearchRunner::WithdrawKeptMove() {
  for (auto k = kept_.begin(); k != kept_.end(); ++k) {
    if (k->kind != KeptKind::kMove) continue;
    WordList words = std::move(k->words);
    kept_.erase(k);
    return words;
  }
  return std::nullopt;
}

// Every couple of milliseconds from inside the search: the dialogue's own
// look (a fallen flag), the lines that have arrived, the progress report.
// A stop asked for by any of them ends the search here.
void SearchRunner::Poll() {
  dialogue_.OnPoll();
  if (stop_ == StopRequest::kNone) AnswerWaitingLines();
  if (stop_ != StopRequest::kNone) throw search_aborted_exception(stop_ == StopRequest::kDropResult);
  if (clock_() - lastProgress_ >= kProgressInterval) {
    dialogue_.ReportProgress(engine_.Info());
    lastProgress_ = clock_();
  }
}

void SearchRunner::AnswerWaitingLines() {
  for (int handled = 0; handled < kMaxLinesPerPoll && stop_ == StopRequest::kNone; ++handled) {
    if (inputEnded_ || !dialogue_.Listens() || !input_.InputAvailable()) return;
    std::string line;
    try {
      line = input_.ReadLine();
    } catch (const end_of_input&) {
      if (!dialogue_.SearchesOnAtEndOfInput()) throw;
      inputEnded_ = true;
      return;
    }
    dialogue_.AnswerDuringSearch(line);
  }
}
