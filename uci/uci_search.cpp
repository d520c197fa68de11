// The UCI session's searches: "go" from its words to its bestmove, the
// lines read during the search, and the reports.
#include <ostream>

#include "board/moves.h"
#include "session/string_utils.h"
#include "uci/uci_report.h"
#include "uci/uci_session.h"

namespace {

const char* ModeName(int mode) {
  switch (mode) {
    case kModePonder: return "ponder";
    case kModeAnalyze: return "until stop";
    default: return "think";
  }
}

// The limits of a search in words, for "debug on".
std::string LimitsText(const SearchParameters& p) {
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
  SearchRequest request = GoRequest(go, session_.SideToMove());
  request.onlyMoves = ReadSearchMoves(go.searchMoves);
  go_.parameters = session_.Limits(request);
  go_.limited = HasOwnLimit(go, session_.SideToMove());
  go_.pondering = go.ponder;
  go_.waitsForStop = go_.parameters.mode != kModeThink;
  if (debug_) InfoString(LimitsText(go_.parameters));

  // The search of the game's position; "quit" drops its result. An
  // open-ended search that ended by itself keeps its move until the
  // interface asks for it.
  if (runner_.Run(session_.game(), go_.parameters) == SearchEnd::kDiscarded) return;
  if (go_.waitsForStop && !runner_.WaitForStop()) return;
  ReportBestMove();
}

void UciSession::AnswerDuringSearch(const std::string& line) {
  const WordList words = TokenizeAtBlanksAndTabs(line);
  if (!words.empty() && !RunCommand(Commands(), *this, words, CommandState::kSearching)) runner_.Keep(words);
}

void UciSession::Report(SearchEvent event, const SearchInfo& info) {
  // With several lines, all of them after each iteration, best first.
  const bool bestLine = event == SearchEvent::kNewBestLine;
  if (!bestLine && event != SearchEvent::kLinesFound) return;
  // The chances are read on the game's move (counted from its start: a FEN's
  // own move number is not kept).
  std::optional<int> wdlMoveNumber;
  if (session_.settings().showWinDrawLoss) wdlMoveNumber = int(session_.game().moves.size() / 2 + 1);
  if (bestLine) {
    WriteLine(BestLineInfo(info, session_.game().currentPosition, Now(), wdlMoveNumber));
  } else {
    for (const std::string& line : LinesInfo(info, session_.game().currentPosition, Now(), wdlMoveNumber))
      WriteLine(line);
  }
}

void UciSession::ReportProgress(const SearchInfo& info) {
  WriteLine(ProgressInfo(info, engine_.NodesSoFar(), Now(), engine_.HashFull()));
}

// The move pondered on was played: the search goes on under the limits of
// its "go" (the time since it started counts, as after an xboard ponder
// hit, so the clock is never overstepped). A go without limits of its own
// searches on until "stop".
void UciSession::PonderHit() {
  if (!go_.pondering) {
    InfoString("ponderhit ignored: no ponder search is running");
    return;
  }
  go_.pondering = false;
  if (!go_.limited) return;
  go_.waitsForStop = false;
  runner_.PonderHit(go_.parameters.hardLimit, go_.parameters.allotment);
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
