// The UCI dialogue's readers and rules: go words into search limits, the
// score words, positions and the bestmove line.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/fen.h"
#include "board/moves.h"
#include "session/string_utils.h"
#include "uci/go_command.h"
#include "uci/position_command.h"
#include "uci/uci_report.h"
#include "uci/win_draw_loss.h"

namespace {

// The go's words through the limits builder, with UCI's starting settings
// but for the overhead and the clock rule.
SearchParameters Plan(const std::string& line, int side = kWhite, Milliseconds overhead = 30,
                      TimeRule rule = TimeRule::kIncrement) {
  SessionSettings settings;
  settings.moveOverhead = overhead;
  settings.timeRule = rule;
  return BuildSearchLimits(GoRequest(ReadGoCommand(Tokenize(line)), side), settings, 0);
}

// The side to move's clock, less the overhead, with its increment and the
// moves to go goes through the chosen clock rule; the other side's clock
// plays no part.
TEST(UciGo, ClockWordsFeedTheClockRuleOfTheSideToMove) {
  struct Case {
    const char* line;
    int side;
    Milliseconds overhead;
    ClockReading reading;
  };
  const Case cases[] = {
      {"go wtime 10000 btime 500 winc 100 binc 7", kWhite, 30, {9970, 100, 0, 0}},
      {"go wtime 500 btime 10000 winc 7 binc 100", kBlack, 30, {9970, 100, 0, 0}},
      {"go wtime 300000 btime 1 movestogo 12", kWhite, 0, {300000, 0, 12, 0}},
      {"go wtime 20 btime 20", kWhite, 30, {0, 0, 0, 0}},   // the overhead eats the clock
      {"go wtime -50 btime 100", kWhite, 0, {0, 0, 0, 0}},  // a clock past zero
  };
  for (const TimeRule rule : {TimeRule::kClassic, TimeRule::kIncrement}) {
    for (const Case& c : cases) {
      const SearchParameters p = Plan(c.line, c.side, c.overhead, rule);
      const ClockLimits expected = LimitsFromClock(c.reading, rule);
      EXPECT_EQ(p.mode, kModeThink) << c.line;
      EXPECT_EQ(p.hardLimit, expected.hardLimit) << c.line;
      EXPECT_EQ(p.allotment, expected.allotment) << c.line;
      EXPECT_GE(p.hardLimit, 1) << c.line;
    }
  }
}

TEST(UciGo, OtherLimitsAndModes) {
  struct Case {
    const char* line;
    int32_t mode, maxDepth;
    Milliseconds hardLimit, allotment;
    uint64_t maxNodes;
    bool limited;
  };
  const Case cases[] = {
      {"go movetime 1000", kModeThink, 0, 970, 0, 0, true},
      {"go movetime 10", kModeThink, 0, kShortestMoveTime, 0, 0, true},
      {"go movetime 200 wtime 100000 btime 100000", kModeThink, 0, 170, 4998, 0, true},
      {"go depth 1", kModeThink, 1, 0, 0, 0, true},
      {"go depth 5", kModeThink, 4, 0, 0, 0, true},
      {"go depth 500", kModeThink, 35, 0, 0, 0, true},
      {"go nodes 5000", kModeThink, 0, 0, 0, 5000, true},
      {"go infinite", kModeAnalyze, 0, 0, 0, 0, false},
      {"go infinite depth 3", kModeAnalyze, 2, 0, 0, 0, true},
      {"go", kModeAnalyze, 0, 0, 0, 0, false},
      // Garbled limits: each at its most cautious, so the search ends by itself.
      {"go depth 0 nodes -4 movetime x", kModeThink, 1, kShortestMoveTime, 0, 1, true},
      {"go wtime abc", kModeThink, 0, 1, 10, 0, true},
      {"go mate 3", kModeThink, 0, 0, 0, 0, true},
      {"go mate 2 depth 9", kModeThink, 8, 0, 0, 0, true},
      {"go ponder movetime 500", kModePonder, 0, 470, 0, 0, true},
      {"go ponder", kModePonder, 0, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    const SearchParameters p = Plan(c.line);
    EXPECT_EQ(p.mode, c.mode) << c.line;
    EXPECT_EQ(p.maxDepth, c.maxDepth) << c.line;
    EXPECT_EQ(p.hardLimit, c.hardLimit) << c.line;
    EXPECT_EQ(p.allotment, c.allotment) << c.line;
    EXPECT_EQ(p.maxNodes, c.maxNodes) << c.line;
    EXPECT_EQ(HasOwnLimit(ReadGoCommand(Tokenize(c.line)), kWhite), c.limited) << c.line;
  }
}

// The win/draw/loss chances add to 1000, mirror each other between the
// sides, grow with the score, and draw more late in the game than early;
// mates are certain.
TEST(UciReport, WinDrawLossChances) {
  for (const int move : {1, 20, 40, 80, 200}) {
    int lastWin = -1;
    for (int score = -1500; score <= 1500; score += 50) {
      const WinDrawLoss chances = WinDrawLossOf(score, move);
      const WinDrawLoss mirrored = WinDrawLossOf(-score, move);
      EXPECT_EQ(chances.win + chances.draw + chances.loss, 1000) << score << " " << move;
      EXPECT_GE(std::min({chances.win, chances.draw, chances.loss}), 0);
      EXPECT_EQ(chances.win, mirrored.loss) << score << " " << move;
      EXPECT_GE(chances.win, lastWin);
      lastWin = chances.win;
      if (score > 0) {
        EXPECT_GT(chances.win, chances.loss);
      }
    }
  }
  EXPECT_GT(WinDrawLossOf(0, 60).draw, WinDrawLossOf(0, 5).draw);
  EXPECT_EQ(WinDrawLossOf(31995, 30).win, 1000);
  EXPECT_EQ(WinDrawLossOf(-31995, 30).loss, 1000);
}

// Numbers are whole decimal words within 64 bits; a keyword is never taken
// as the number of the keyword before it.
TEST(UciGo, NumbersAreReadStrictly) {
  const GoCommand go = ReadGoCommand(Tokenize("go wtime +5 btime 99999999999999999999 winc 7x movetime depth 4"));
  EXPECT_EQ(go.time[kWhite], 0);
  EXPECT_EQ(go.time[kBlack], 0);
  EXPECT_EQ(go.increment[kWhite], 0);
  EXPECT_EQ(go.moveTime, 0);
  EXPECT_EQ(go.depth, 4);
  const std::vector<std::string> problems = {
      "wtime +5 is not a number: read as 0", "btime 99999999999999999999 is not a number: read as 0",
      "winc 7x is not a number: read as 0", "movetime needs a number: read as 0"};
  EXPECT_EQ(go.problems, problems);
}

TEST(UciReport, ScoresInCentipawnsOrMovesToMate) {
  EXPECT_EQ(ScoreText(0), "cp 0");
  EXPECT_EQ(ScoreText(-250), "cp -250");
  EXPECT_EQ(ScoreText(31900), "cp 31900");
  EXPECT_EQ(ScoreText(31999), "mate 1");   // mates with its next move
  EXPECT_EQ(ScoreText(31995), "mate 3");   // five plies
  EXPECT_EQ(ScoreText(-31998), "mate -1");  // mated after the opponent's reply
  EXPECT_EQ(ScoreText(-31996), "mate -2");
  EXPECT_EQ(ScoreText(-32000), "mate 0");   // mated on the board
}

// The ponder word names a legal reply to the bestmove, or is left out.
TEST(UciReport, BestMoveLine) {
  const GamePosition start = GamePosition::Initial();
  const Move e4 = ParseMove(start, "e2e4");
  GamePosition afterE4 = start;
  ApplyMove(afterE4, e4);
  const Move e5 = ParseMove(afterE4, "e7e5");
  EXPECT_EQ(BestMoveLine(start, {}), "bestmove 0000");
  EXPECT_EQ(BestMoveLine(start, {e4}), "bestmove e2e4");
  EXPECT_EQ(BestMoveLine(start, {e4, e5}), "bestmove e2e4 ponder e7e5");
  EXPECT_EQ(BestMoveLine(start, {e4, e4}), "bestmove e2e4");  // no White move after White's
}

// The interface is the referee: moves go on past a repetition, and a FEN
// with moves ends where they lead.
TEST(UciPosition, MovesAfterRepetitionAndFromFen) {
  const PositionCommand repeated = ReadPositionCommand(
      Tokenize("position startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 e2e4 e7e5 e1e2"));
  ASSERT_TRUE(repeated.game) << repeated.problem;
  EXPECT_EQ(repeated.game->moves.size(), 11u);
  EXPECT_EQ(repeated.game->currentPosition.result, kGameRunning);

  const PositionCommand castled = ReadPositionCommand(
      Tokenize("position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1g1 e8c8"));
  ASSERT_TRUE(castled.game) << castled.problem;
  EXPECT_EQ(ToFen(castled.game->currentPosition), "2kr3r/8/8/8/8/8/8/R4RK1 w - - 2 1");

  const PositionCommand mated =
      ReadPositionCommand(Tokenize("position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1 moves a1a8 g8h8"));
  EXPECT_FALSE(mated.game);
  EXPECT_EQ(mated.problem, "move 2, g8h8, is not legal there");
}

}  // namespace
