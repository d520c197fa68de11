// The play mode's levels: what a person reads and types, the settings a
// level sets, and play itself: the weakest level loses a short match to the
// full engine.
#include <gtest/gtest.h>

#include "board/game.h"
#include "play/levels.h"
#include "search/engine.h"
#include "search/strength.h"
#include "session/game_session.h"

namespace {

TEST(PlayLevels, ReadSetAndListed) {
  const int full = FullLevel();
  ASSERT_EQ(full, int(StrengthLevels().size()) + 1);
  EXPECT_EQ(ReadLevel("1"), 1);
  EXPECT_EQ(ReadLevel(std::to_string(full)), full);
  EXPECT_EQ(ReadLevel("full"), full);
  EXPECT_EQ(ReadLevel("max"), full);
  const std::vector<std::string> badWords = {"0", "-1", "3.5", "x", "", "99999999999999999999", std::to_string(full + 1)};
  for (const std::string& bad : badWords)
    EXPECT_EQ(ReadLevel(bad), std::nullopt) << bad;

  SessionSettings settings;
  for (int level = 1; level <= full; ++level) {
    SetLevel(settings, level);
    EXPECT_EQ(settings.limitStrength, level < full);
    EXPECT_EQ(LevelOf(settings), level);
  }
  // An Elo between two steps (set through UCI_Elo) reads as the step below.
  settings.limitStrength = true;
  settings.strengthElo = (StrengthLevels()[2].elo + StrengthLevels()[3].elo) / 2;
  EXPECT_EQ(LevelOf(settings), 3);

  const std::vector<std::string> lines = LevelLines(3);
  ASSERT_EQ(int(lines.size()), full);
  EXPECT_EQ(lines[0], "    1  about " + std::to_string(StrengthLevels()[0].elo) + " Elo");
  EXPECT_EQ(lines[2], "*   3  about " + std::to_string(StrengthLevels()[2].elo) + " Elo");
  EXPECT_EQ(lines.back(), "   " + std::to_string(full) + "  full strength");
  EXPECT_EQ(LevelName(full), "level " + std::to_string(full) + " (full strength)");
}

// The game's result; in a game cut short, the side ahead by at least a
// minor piece's worth wins, and a game still level is drawn.
uint32_t Adjudicated(const GamePosition& p) {
  if (p.result != kGameRunning) return p.result;
  int balance = 0;
  for (const int8_t piece : p.squares)
    if (piece != 0 && std::abs(piece) != kKing) balance += piece > 0 ? kPieceValue[piece] : -kPieceValue[-piece];
  if (balance >= kKnightValue) return kWhiteWins;
  if (balance <= -kKnightValue) return kBlackWins;
  return kGameDrawn;
}

// Level 1 against the full engine on a small fixed node budget: four games,
// each colour twice, at most 80 moves each. The full engine must score at
// least three points of four.
TEST(PlayLevels, TheWeakestLevelLosesToTheFullEngine) {
  constexpr int kGames = 4;
  constexpr size_t kMostPlies = 160;
  constexpr uint64_t kFullEngineNodes = 20000;
  Engine weakEngine(kMebibyte, 256 * 1024), fullEngine(kMebibyte, 256 * 1024);
  double fullScore = 0;
  for (int g = 0; g < kGames; ++g) {
    const int weakSide = g % 2 == 0 ? kWhite : kBlack;
    GameSession weak;
    SetLevel(weak.Settings(), 1);
    weak.Settings().strengthSeed = uint64_t(g) + 1;
    weakEngine.NewGame();
    fullEngine.NewGame();
    Game game;
    while (game.currentPosition.result == kGameRunning && game.moves.size() < kMostPlies) {
      const bool weakMoves = game.currentPosition.sideToMove == weakSide;
      SearchParameters parameters;
      if (weakMoves) {
        weak.ReplaceGame(game);
        parameters = weak.LimitsForMove();
      } else {
        parameters.maxNodes = kFullEngineNodes;
      }
      Engine& engine = weakMoves ? weakEngine : fullEngine;
      engine.LoadGame(game);
      SearchListener silent;
      engine.Think(parameters, silent);
      ASSERT_FALSE(engine.Info().pvMoves.empty());
      game.PlayMove(engine.Info().pvMoves.front());
    }
    const uint32_t result = Adjudicated(game.currentPosition);
    fullScore += result == kGameDrawn ? 0.5 : result == (weakSide == kWhite ? kBlackWins : kWhiteWins) ? 1.0 : 0.0;
  }
  EXPECT_GE(fullScore, 0.75 * kGames);
}

}  // namespace
