#include "search/thinking_output.h"

#include <sstream>

#include "app/xboard_mode.h"
#include "frontend/console_io.h"
#include "frontend/protocol_words.h"

std::string ConsoleThinkingLine(const SearchInfo& info, TimePoint now) {
  std::ostringstream line;
  for (const std::string& text : info.pvText) line << text << ' ';
  line << '(' << info.bestScore << ')' << "; ";
  // The speed over the whole seconds since the start (the first second
  // counts as one).
  unsigned seconds = unsigned((now - info.startTime) / kMillisecondsPerSecond);
  if (seconds == 0) seconds = 1;
  line << (info.totalNodes / 1000u) / seconds << " knps, " << Word(kWordTotal) << ": " << info.totalNodes / 1000u
       << " kn";
  return line.str();
}

int ProtocolScore(int score) {
  constexpr int kMate = 32000, kMateThreshold = 31900, kProtocolMate = 100000;
  if (protocolVersion < 2) return score;
  if (score > kMateThreshold) return kProtocolMate + (kMate - score + 1) / 2;
  if (score < -kMateThreshold) return -(kProtocolMate + (kMate + score) / 2);
  return score;
}

std::string PostLineText(const SearchInfo& info, TimePoint now) {
  std::ostringstream line;
  const TimePoint end = info.endTime != 0 ? info.endTime : now;
  line << info.displayDepth << ' ' << ProtocolScore(info.bestScore) << ' ' << Centiseconds(end - info.startTime) << ' '
       << info.totalNodes;
  for (const std::string& text : info.pvText) line << ' ' << text;
  return line.str();
}

void PostThinkingLine(const SearchInfo& info) { WriteLine(PostLineText(info, Now())); }

void ReportThinking() {
  if (!xboardMode) {
    WriteLine(ConsoleThinkingLine(searchInfo, Now()));
  } else if (searchCallbacks.postEnabled == nullptr || searchCallbacks.postEnabled()) {
    PostThinkingLine(searchInfo);
  }
}
