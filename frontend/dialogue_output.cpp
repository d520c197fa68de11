#include "frontend/dialogue_output.h"

#include <ostream>

#include "base/protocol_words.h"
#include "board/display.h"
#include "frontend/commands.h"
#include "frontend/replies.h"

void DialogueOutput::WriteLine(const std::string& line) {
  std::ostream& out = Stream();
  out << line << '\n';
  out.flush();
}

void DialogueOutput::BeginReply() {
  if (engine_.Searching() && output_.MidLine()) {
    Stream() << '\n';
    Stream().flush();
  }
}

void DialogueOutput::Reply(const std::string& line) {
  BeginReply();
  WriteLine(line);
}

void DialogueOutput::Reply(const std::optional<std::string>& line) {
  if (line) Reply(*line);
}

void DialogueOutput::ReplyError(const std::string& reason, const std::vector<std::string>& words) {
  Reply(ErrorText(reason, words));
}

void DialogueOutput::ReplyUnreadableMove(const std::vector<std::string>& words) {
  Reply(dialect_.UnreadableMoveReply(words, IsKnownCommandWord(words.front())));
}

void DialogueOutput::PrintResult(const Game& game) { Reply(dialect_.ResultLine(game)); }

void DialogueOutput::DisplayBoard(const GamePosition& position) {
  BeginReply();
  Display(position, Stream());
}

void DialogueOutput::PrintPrompt(const Game& game) {
  std::ostream& out = Stream();
  out << Word(game.currentPosition.sideToMove == kWhite ? kWordWhite : kWordBlack) << ' ' << game.moves.size() / 2 + 1
      << "> ";
  out.flush();
}

void DialogueOutput::PrintMarker(const char* text) {
  if (!dialect_.ShowsSearchProgress()) return;
  Stream() << text;
  Stream().flush();
}

void DialogueOutput::PrintIterationHeader(const SearchInfo& info, const SearchStatus& status) {
  if (!dialect_.ShowsSearchProgress()) return;
  std::ostream& out = Stream();
  out << Word(kWordDepth) << ' ' << info.displayDepth;
  if (info.mode == kModePonder) {
    out << ' ';
    if (status.ownMoveText != Word(kWordInvalidMove))
      out << "(" << Word(kWordEngineName) << " " << Word(kWordPlayed) << " " << status.ownMoveText << " "
          << Word(kWordExpectedMove) << " " << status.expectedMoveText << ")";
  }
  out << '\n';
  out.flush();
}

void DialogueOutput::ReportSearchEvent(SearchEvent event, const SearchInfo& info, bool post,
                                       const SearchStatus& status, bool chess960) {
  const bool progress = dialect_.ShowsSearchProgress();
  switch (event) {
    case SearchEvent::kIterationStarted: PrintIterationHeader(info, status); break;
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
      // The search's times are readings of the monotonic clock, like its
      // start.
      if (const auto line = dialect_.ThinkingLine(info, Now(), post, chess960)) WriteLine(*line);
      break;
    case SearchEvent::kLinesFound:
      for (const SearchInfo::Line& found : info.lines) {
        SearchInfo one = info;
        one.bestScore = found.score;
        one.pvMoves = found.moves;
        if (const auto line = dialect_.ThinkingLine(one, Now(), post, chess960)) WriteLine(*line);
      }
      break;
    case SearchEvent::kAborted:
      if (progress) WriteLine(Word(kWordSearchAborted));
      break;
  }
}

void DialogueOutput::PrintAnalysisStatus() {
  const SearchInfo& info = engine_.Info();
  const TimePoint end = info.endTime != 0 ? info.endTime : Now();  // the search's own clock
  Reply("stat01: " + std::to_string(Centiseconds(end - info.startTime)) + " " + std::to_string(engine_.NodesSoFar()) +
        " " + std::to_string(info.displayDepth) + " " + std::to_string(info.rootMoveCount - info.currentRootMove + 1) +
        " " + std::to_string(info.rootMoveCount));
}
