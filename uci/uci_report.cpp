#include "uci/uci_report.h"

#include <algorithm>

#include "board/moves.h"
#include "uci/win_draw_loss.h"
#include "search/search_state.h"

namespace {

// "nodes N nps R time T" for `nodes` searched since `start`.
std::string SpeedWords(uint64_t nodes, TimePoint start, TimePoint now) {
  const Milliseconds elapsed = std::max<Milliseconds>(now - start, 0);
  const uint64_t perSecond = nodes * 1000 / uint64_t(std::max<Milliseconds>(elapsed, 1));
  return "nodes " + std::to_string(nodes) + " nps " + std::to_string(perSecond) + " time " + std::to_string(elapsed);
}

}  // namespace

// The search scores a mate as kInfinity less the plies to it.
std::string ScoreText(int score) {
  if (score > kMateThreshold) return "mate " + std::to_string((kInfinity - score + 1) / 2);
  if (score < -kMateThreshold) return "mate " + std::to_string(-(kInfinity + score) / 2);
  return "cp " + std::to_string(score);
}

namespace {

// "info depth D [multipv K] score S [wdl W D L] nodes N nps R time T pv ...".
std::string LineInfo(const SearchInfo& info, const std::string& multiPv, int score, const std::vector<Move>& moves,
                     const GamePosition& game, TimePoint now, std::optional<int> wdlMoveNumber) {
  std::string line = "info depth " + std::to_string(info.displayDepth) + multiPv + " score " + ScoreText(score);
  if (wdlMoveNumber) {
    const WinDrawLoss chances = WinDrawLossOf(score, *wdlMoveNumber);
    line += " wdl " + std::to_string(chances.win) + " " + std::to_string(chances.draw) + " " +
            std::to_string(chances.loss);
  }
  line += " " + SpeedWords(info.totalNodes, info.startTime, now) + " pv";
  for (const Move move : moves) {
    line += ' ';
    AppendCoordinateMoveText(line, move, game);
  }
  return line;
}

}  // namespace

std::string BestLineInfo(const SearchInfo& info, const GamePosition& game, TimePoint now,
                         std::optional<int> wdlMoveNumber) {
  return LineInfo(info, "", info.bestScore, info.pvMoves, game, now, wdlMoveNumber);
}

std::vector<std::string> LinesInfo(const SearchInfo& info, const GamePosition& game, TimePoint now,
                                   std::optional<int> wdlMoveNumber) {
  std::vector<std::string> lines;
  for (size_t k = 0; k < info.lines.size(); ++k)
    lines.push_back(LineInfo(info, " multipv " + std::to_string(k + 1), info.lines[k].score, info.lines[k].moves,
                             game, now, wdlMoveNumber));
  return lines;
}

std::string ProgressInfo(const SearchInfo& info, uint64_t nodes, TimePoint now, int hashfull) {
  return "info depth " + std::to_string(info.displayDepth) + " " + SpeedWords(nodes, info.startTime, now) +
         " hashfull " + std::to_string(hashfull);
}

std::string BestMoveLine(const GamePosition& root, const std::vector<Move>& line) {
  if (line.empty()) return "bestmove 0000";
  std::string text = "bestmove " + CoordinateMoveText(line[0], root);
  if (line.size() < 2 || !IsLegalMove(root, line[0])) return text;
  GamePosition after = root;
  ApplyMove(after, line[0]);
  if (IsLegalMove(after, line[1])) text += " ponder " + CoordinateMoveText(line[1], root);
  return text;
}
