#include "search/thinking_output.h"

#include <sstream>

#include "app/xboard_mode.h"
#include "frontend/console_io.h"
#include "frontend/protocol_words.h"

std::string ConsoleThinkingLine(const SearchInfo& info, time_t now) {
  std::ostringstream line;
  for (const std::string& text : info.pvText) line << text << ' ';
  line << '(' << info.bestScore << ')' << "; ";
  unsigned seconds = unsigned(now - info.startTime);
  if (seconds == 0) seconds = 1;
  line << (info.totalNodes / 1000u) / seconds << " knps, " << Word(kWordTotal) << ": " << info.totalNodes / 1000u
       << " kn";
  return line.str();
}

std::string PostLineText(const SearchInfo& info, time_t now) {
  std::ostringstream line;
  const time_t end = info.endTime != 0 ? info.endTime : now;
  line << info.displayDepth << ' ' << info.bestScore << ' ' << (end - info.startTime) * 100 << ' '
       << info.totalNodes;
  for (const std::string& text : info.pvText) line << ' ' << text;
  return line.str();
}

void PostThinkingLine(const SearchInfo& info) { WriteLine(PostLineText(info, time(nullptr))); }

void ReportThinking() {
  if (!xboardMode) {
    WriteLine(ConsoleThinkingLine(searchInfo, time(nullptr)));
  } else if (searchCallbacks.postEnabled == nullptr || searchCallbacks.postEnabled()) {
    PostThinkingLine(searchInfo);
  }
}
