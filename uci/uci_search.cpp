// The UCI session's searches: "go" from its words to its bestmove, the
// input during the search, the reports, and the wait of an open-ended
// search for "stop".
#include <ostream>

#include "board/moves.h"
#include "search/strength.h"
#include "session/string_utils.h"
#include "uci/uci_report.h"
#include "uci/uci_session.h"

namespace {

// Lines handled in one poll at most: a flood of "isready" is answered
// quickly without starving the search when the input never stops.
constexpr int kMaxLinesPerPoll = 64;

// Time between two progress lines (with the table's fill) of a search.
constexpr Milliseconds kProgressInterval = 1000;

const char* ModeName(int mode) {
  switch (mode) {
    case kModePonder: return "ponder";
    case kModeAnalyze: return "until stop";
    default: return "think";
  }
}

// The limits of a search in words, for "debug on".
std::string LimitsText(const GoPlan& plan) {
  const SearchParameters& p = plan.parameters;
  return std::string("search: ") + ModeName(p.mode) + ", iterations " + std::to_string(p.maxDepth) + ", hard limit " +
         std::to_string(p.hardLimit) + " ms, target " + std::to_string(p.allotment) + " ms, nodes " +
         std::to_string(p.maxNodes) + " (0 = none)";
}

}  // namespace

std::vector<Move> UciSession::ReadSearchMoves(const WordList& texts) {
  std::vector<Move> moves;
  for (const std::string& text : texts) {
    try {
      moves.push_back(ParseMove(session_.game().currentPosition, text));
    } catch (const GameError&) {
      InfoString("go: searchmoves " + text + " is not a legal move here; skipped");
    }
  }
  if (moves.empty() && !texts.empty()) InfoString("go: searchmoves names no legal move; every move is searched");
  return moves;
}

void UciSession::Go(const WordList& words) {
  // The limits, and a line on each word that could not be used.
  const GoCommand go = ReadGoCommand(words);
  for (const std::string& problem : go.problems) InfoString("go: " + problem);
  go_ = RunningGo{};
  go_.plan = PlanSearch(go, session_.SideToMove(), session_.settings().moveOverhead, session_.settings().timeRule);
  go_.plan.parameters.onlyMoves = ReadSearchMoves(go.searchMoves);
  go_.plan.parameters.style = session_.settings().search;
  go_.plan.parameters.evaluation = session_.settings().evaluation;
  if (session_.settings().limitStrength && go_.plan.parameters.mode != kModeAnalyze)
    LimitStrength(go_.plan.parameters, session_.settings().strengthElo, session_.StrengthSeedForMove());
  go_.pondering = go.ponder;
  go_.waitsForStop = go_.plan.parameters.mode != kModeThink;
  if (debug_) InfoString(LimitsText(go_.plan));

  // The search of the game's position; "quit" drops its result.
  engine_.LoadGame(session_.game());
  go_.lastProgress = clock_();
  if (engine_.Think(go_.plan.parameters, *this)) return;

  // An open-ended search that ended by itself keeps its move until the
  // interface asks for it.
  if (go_.waitsForStop && !WaitForStop()) return;
  ReportBestMove();
}

void UciSession::Poll() {
  for (int handled = 0; handled < kMaxLinesPerPoll && input_.InputAvailable(); ++handled) {
    switch (HandleSearchTimeCommand(TokenizeAtBlanksAndTabs(input_.ReadLine()))) {
      case SearchControl::kGoOn: break;
      case SearchControl::kStop: throw search_aborted_exception(false);
      case SearchControl::kQuit: throw search_aborted_exception(true);
    }
  }
  if (clock_() - go_.lastProgress >= kProgressInterval) ReportProgress();
}

void UciSession::OnSearchEvent(SearchEvent event, const SearchInfo& info) {
  if (event == SearchEvent::kNewBestLine) WriteLine(BestLineInfo(info, Now()));
}

UciSession::SearchControl UciSession::HandleSearchTimeCommand(const WordList& words) {
  control_ = SearchControl::kGoOn;
  if (!words.empty() && !RunCommand(Commands(), *this, words, CommandState::kSearching, kUciBit))
    deferred_.push_back(words);
  return control_;
}

// The move pondered on was played: the search goes on under the limits of
// its "go" (the time since it started counts, as after an xboard ponder
// hit, so the clock is never overstepped). A go without limits of its own
// searches on until "stop".
UciSession::SearchControl UciSession::PonderHit() {
  if (!go_.pondering) {
    InfoString("ponderhit ignored: no ponder search is running");
    return SearchControl::kGoOn;
  }
  go_.pondering = false;
  if (!go_.plan.limited) return SearchControl::kGoOn;
  go_.waitsForStop = false;
  if (engine_.Info().searching == 0) return SearchControl::kStop;
  const SearchParameters& p = go_.plan.parameters;
  engine_.EndOpenEndedSearch(p.hardLimit, p.allotment);
  return SearchControl::kGoOn;
}

bool UciSession::WaitForStop() {
  for (;;) {
    switch (HandleSearchTimeCommand(TokenizeAtBlanksAndTabs(input_.ReadLine()))) {
      case SearchControl::kGoOn: break;
      case SearchControl::kStop: return true;
      case SearchControl::kQuit: return false;
    }
  }
}

void UciSession::ReportProgress() {
  const SearchInfo& info = engine_.Info();
  WriteLine(ProgressInfo(info, engine_.NodesSoFar(), Now(), engine_.HashFull()));
  go_.lastProgress = clock_();
}

// The search's last word: its node total and the table's fill, then the
// move. A position without a legal move gets its score (mate or stalemate)
// and the null move.
void UciSession::ReportBestMove() {
  const SearchInfo& info = engine_.Info();
  if (info.pvMoves.empty())
    WriteLine("info depth 0 score " + ScoreText(info.bestScore));
  else
    WriteLine(ProgressInfo(info, info.totalNodes, info.endTime, engine_.HashFull()));
  WriteLine(BestMoveLine(session_.game().currentPosition, info.pvMoves));
}
