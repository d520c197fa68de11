#include "frontend/thinking_output.h"

#include <sstream>

#include "base/protocol_words.h"
#include "board/moves.h"

std::vector<std::string> MoveTexts(const std::vector<Move>& moves, bool xboard, bool chess960) {
  std::vector<std::string> texts;
  texts.reserve(moves.size());
  for (const Move move : moves) {
    if (chess960 && MovePiece(move) == kKing && MoveSpecial(move) != 0)
      texts.push_back(MoveSpecial(move) == 1 ? "O-O" : "O-O-O");
    else
      texts.push_back(xboard ? CoordinateMoveText(move) : LongMoveText(move));
  }
  return texts;
}

std::string ConsoleThinkingLine(const SearchInfo& info, const std::vector<std::string>& moveTexts, TimePoint now) {
  std::ostringstream line;
  for (const std::string& text : moveTexts) line << text << ' ';
  line << '(' << info.bestScore << ')' << "; ";
  unsigned seconds = unsigned((now - info.startTime) / kMillisecondsPerSecond);
  if (seconds == 0) seconds = 1;
  line << (info.totalNodes / 1000u) / seconds << " knps, " << Word(kWordTotal) << ": " << info.totalNodes / 1000u
       << " kn";
  return line.str();
}

int ProtocolScore(int score, int protocolVersion) {
  constexpr int kMate = 32000, kMateThreshold = 31900, kProtocolMate = 100000;
  if (protocolVersion < 2) return score;
  if (score > kMateThreshold) return kProtocolMate + (kMate - score + 1) / 2;
  if (score < -kMateThreshold) return -(kProtocolMate + (kMate + score) / 2);
  return score;
}

std::string PostLineText(const SearchInfo& info, const std::vector<std::string>& moveTexts, TimePoint now,
                         int protocolVersion) {
  std::ostringstream line;
  const TimePoint end = info.endTime != 0 ? info.endTime : now;
  line << info.displayDepth << ' ' << ProtocolScore(info.bestScore, protocolVersion) << ' '
       << Centiseconds(end - info.startTime) << ' ' << info.totalNodes;
  for (const std::string& text : moveTexts) line << ' ' << text;
  return line.str();
}
