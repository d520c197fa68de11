// The alpha-beta search and its driver on positions with known answers.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "app/xboard_mode.h"
#include "board/comm_board.h"
#include "board/fen.h"
#include "board/moves.h"
#include "frontend/console_io.h"
#include "position/attacks.h"
#include "position/build.h"
#include "position/load_game.h"
#include "position/make_move.h"
#include "position/movegen.h"
#include "search/alpha_beta.h"
#include "search/hash_table.h"
#include "search/search_info.h"
#include "search/search_state.h"
#include "search/thinking_output.h"
#include "search/time_management.h"

namespace {

// A quiet search of `iterations` iterations from a fresh state.
void SearchFen(const std::string& fen, int iterations) {
  xboardMode = true;
  searchCallbacks = SearchCallbacks{};
  searchCallbacks.postEnabled = [] { return false; };
  ClearHashTables();
  ClearKillers();
  LoadSearchRoot(ParseFen(fen));
  Think(SearchParameters{kModeThink, iterations, 0, 0});
}

std::string BestMove() {
  return searchInfo.pvMoves.empty() ? "" : CoordinateMoveText(searchInfo.pvMoves[0]);
}

// Independent brute force over the legal move tree: can the side to move
// force mate within `moves` of its own moves?
bool ForcesMate(int moves);

bool AllRepliesLoseWithin(int moves) {
  RootMove replies[kMaxMovesPerPosition];
  RootMove* end = GenerateLegalMoves(replies);
  if (end == replies) return CurrentPosition().kingAttacked;  // mate, not stalemate
  if (moves == 0) return false;
  for (RootMove* r = replies; r != end; ++r) {
    if (CurrentPosition().side == kWhite) MakeWhiteMove(r->move); else MakeBlackMove(r->move);
    const bool lost = ForcesMate(moves);
    UnmakeMove();
    if (!lost) return false;
  }
  return true;
}

bool ForcesMate(int moves) {
  RootMove list[kMaxMovesPerPosition];
  RootMove* end = GenerateLegalMoves(list);
  for (RootMove* r = list; r != end; ++r) {
    if (CurrentPosition().side == kWhite) MakeWhiteMove(r->move); else MakeBlackMove(r->move);
    const bool mates = AllRepliesLoseWithin(moves - 1);
    UnmakeMove();
    if (mates) return true;
  }
  return false;
}

int MateDistance(const std::string& fen, int maxMoves) {
  for (int n = 1; n <= maxMoves; ++n) {
    LoadSearchRoot(ParseFen(fen));
    if (ForcesMate(n)) return n;
  }
  return 0;
}

TEST(Search, MateInOneScores31999AndIsPlayed) {
  const std::string fen = "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1";
  ASSERT_EQ(MateDistance(fen, 1), 1);
  SearchFen(fen, 4);
  EXPECT_EQ(searchInfo.bestScore, 31999);
  EXPECT_EQ(BestMove(), "d1d8");
}

TEST(Search, FindsMatesInTwoAndThree) {
  struct Case {
    const char* fen;
    int moves;
  };
  for (const Case& c : {Case{"kbK5/pp6/1P6/8/8/8/8/R7 w - - 0 1", 2},
                        Case{"r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1", 3},
                        Case{"6k1/pp4p1/2p5/2bp4/8/P5Pb/1P3rrP/2BRRN1K b - - 0 1", 2}}) {
    ASSERT_EQ(MateDistance(c.fen, c.moves), c.moves) << c.fen;
    SearchFen(c.fen, 2 * c.moves + 1);
    EXPECT_EQ(searchInfo.bestScore, 32000 - (2 * c.moves - 1)) << c.fen;
    ASSERT_FALSE(searchInfo.pvMoves.empty());
    // The first move of the line really mates in that many moves.
    LoadSearchRoot(ParseFen(c.fen));
    if (CurrentPosition().side == kWhite) MakeWhiteMove(searchInfo.pvMoves[0]); else MakeBlackMove(searchInfo.pvMoves[0]);
    EXPECT_TRUE(AllRepliesLoseWithin(c.moves - 1)) << c.fen << " " << BestMove();
  }
}

TEST(Search, NoLegalMoveAtTheRoot) {
  SearchFen("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 3);  // stalemate
  EXPECT_EQ(searchInfo.resultCode, 1);
  EXPECT_EQ(searchInfo.bestScore, 0);
  EXPECT_TRUE(searchInfo.pvMoves.empty());
  SearchFen("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", 3);  // Black is mated
  EXPECT_EQ(searchInfo.resultCode, 2);
  EXPECT_EQ(searchInfo.bestScore, -32000);
}

TEST(Search, StalemateInsideTheTreeScoresZero) {
  ClearHashTables();
  LoadSearchRoot(ParseFen("7k/8/6K1/5Q2/8/8/8/8 w - - 0 1"));
  MakeWhiteMove(MakeMoveWord(F5, F7, kQueen));
  iterationDepth = 2;
  EXPECT_EQ(SearchBlack(-kInfinity, kInfinity, kOnePly, 0, MoveStack, true, kNodeOrdinary), 0);
  EXPECT_EQ(StatusOf(MoveStack), kStatusDrawOrNoMove);
  currentPly = 0;
}

TEST(Search, RepetitionsAndFiftyMoves) {
  const Move g1f3 = MakeMoveWord(G1, F3, kKnight), f3g1 = MakeMoveWord(F3, G1, kKnight);
  const Move g8f6 = MakeMoveWord(G8, F6, kKnight), f6g8 = MakeMoveWord(F6, G8, kKnight);

  // Back to the root inside the search path: a draw at once.
  CommBoard game;
  LoadSearchPosition(game);
  for (Move m : {g1f3, g8f6, f3g1}) (CurrentPosition().side == kWhite ? MakeWhiteMove : MakeBlackMove)(m);
  EXPECT_FALSE(IsDrawByRepetitionOrFiftyMoves(CurrentPosition(), currentPly));
  MakeBlackMove(f6g8);
  EXPECT_TRUE(IsDrawByRepetitionOrFiftyMoves(CurrentPosition(), currentPly));

  // A game position seen once before the root is no draw; seen twice, it is.
  CommBoard shuffled;
  for (Move m : {g1f3, g8f6, f3g1, f6g8, g1f3, g8f6}) shuffled.PlayMove(m);
  LoadSearchPosition(shuffled);
  MakeWhiteMove(f3g1);
  EXPECT_FALSE(IsDrawByRepetitionOrFiftyMoves(CurrentPosition(), currentPly));
  MakeBlackMove(f6g8);
  EXPECT_TRUE(IsDrawByRepetitionOrFiftyMoves(CurrentPosition(), currentPly));

  TreePosition p = TreePositions[0];
  p.halfMoveClock = 99;
  EXPECT_FALSE(IsDrawByRepetitionOrFiftyMoves(p, 0));
  p.halfMoveClock = 100;
  EXPECT_TRUE(IsDrawByRepetitionOrFiftyMoves(p, 0));
  currentPly = 0;
}

TEST(Search, DrawByMaterial) {
  auto drawn = [](const char* fen) {
    LoadSearchRoot(ParseFen(fen));
    return IsDrawByMaterial(CurrentPosition());
  };
  EXPECT_TRUE(drawn("8/8/4k3/8/8/3NN3/4K3/8 w - - 0 1"));   // two knights
  EXPECT_TRUE(drawn("8/8/4k3/8/8/3BN3/4K3/8 w - - 0 1") == false);
  EXPECT_TRUE(drawn("8/8/4k3/2b5/8/3N4/4K3/8 w - - 0 1"));  // a minor each
  EXPECT_FALSE(drawn("8/8/4k3/8/8/3RN3/4K3/8 w - - 0 1"));
  EXPECT_FALSE(drawn("8/8/4k3/8/8/4P3/4K3/8 w - - 0 1"));
}

// A fifth check in a row against a king that stands where it stood when the
// checks began, with unchanged material and no capturing evasion, is taken
// for a perpetual check; the same checks after Black won material are not.
TEST(Search, PerpetualCheckCap) {
  const std::string fen = "4Q2k/6p1/7p/8/r7/r7/7K/q7 b - - 0 1";
  auto searchFifthCheck = [&](const std::string& startFen) {
    ClearHashTables();
    LoadSearchRoot(ParseFen(startFen));
    const TreePosition start = TreePositions[0];
    LoadSearchRoot(ParseFen(fen));
    TreePositions[1] = start;
    TreePositions[2] = TreePositions[3] = TreePositions[0];
    currentPly = 3;
    CheckSequenceCount[1] = 4;
    CheckSequenceStart[1] = 1;
    iterationDepth = 3;
    SetExtensionLimits(3, 0);
    const int score = SearchBlack(0, 1, kOnePly, 0, MoveStack, true, kNodeOrdinary);
    const int32_t status = StatusOf(MoveStack);
    currentPly = 0;
    return std::make_pair(score, status);
  };
  const auto same = searchFifthCheck(fen);
  EXPECT_EQ(same.first, 0);
  EXPECT_EQ(same.second, kStatusDrawOrNoMove);
  // Black had a queen less when the sequence began: more checks are needed,
  // and Black, far ahead, beats the zero window.
  const auto gained = searchFifthCheck("4Q2k/6p1/7p/8/r7/r7/7K/8 b - - 0 1");
  EXPECT_GE(gained.first, 1);
  EXPECT_EQ(gained.second, kStatusOrdinary);
}

TEST(Search, NullMoveConditions) {
  LoadSearchRoot(ParseFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"));
  const TreePosition& p = CurrentPosition();
  EXPECT_TRUE(NullMoveAllowed<kWhite>(p, 0, 64, false));
  EXPECT_FALSE(NullMoveAllowed<kWhite>(p, 0, 64, true));   // right after a null move
  EXPECT_FALSE(NullMoveAllowed<kWhite>(p, 0, 0, false));   // no depth left
  EXPECT_FALSE(NullMoveAllowed<kWhite>(p, 200, 64, false));  // alpha out of reach
  EXPECT_TRUE(NullMoveAllowed<kWhite>(p, 199, 64, false));
  TreePosition inCheck = p;
  inCheck.kingAttacked = 1;
  EXPECT_FALSE(NullMoveAllowed<kWhite>(inCheck, 0, 64, false));
  LoadSearchRoot(ParseFen("4k3/pppp4/8/8/8/8/PPPP4/R2BK3 w - - 0 1"));  // piece units 8
  EXPECT_FALSE(NullMoveAllowed<kWhite>(CurrentPosition(), 0, 64, false));
}

// An unplayable killer is never searched: the same search with killers
// that no position can play visits exactly the same nodes as with none.
TEST(Search, UnplayableKillersAreSkipped) {
  const std::string fen = "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/2N2N2/PPPP1PPP/R1BQK2R w KQkq - 6 5";
  SearchFen(fen, 5);
  const uint32_t nodes = searchInfo.totalNodes;
  const std::vector<Move> line = searchInfo.pvMoves;

  ClearHashTables();
  for (int ply = 0; ply < kMaxPly; ++ply) {
    Killers[ply][0] = MakeMoveWord(A1, A1, kQueen);  // a move onto its own square
    Killers[ply][1] = MakeMoveWord(A1, H8, kKnight); // no knight jumps that far
  }
  LoadSearchRoot(ParseFen(fen));
  Think(SearchParameters{kModeThink, 5, 0, 0});
  EXPECT_EQ(searchInfo.totalNodes, nodes);
  EXPECT_EQ(searchInfo.pvMoves, line);
}

TEST(Search, FixedDepthSearchIsDeterministic) {
  const std::string fen = "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10";
  SearchFen(fen, 5);
  const uint32_t nodes = searchInfo.totalNodes;
  const int score = searchInfo.bestScore;
  const std::vector<Move> line = searchInfo.pvMoves;
  SearchFen(fen, 5);
  EXPECT_EQ(searchInfo.totalNodes, nodes);
  EXPECT_EQ(searchInfo.bestScore, score);
  EXPECT_EQ(searchInfo.pvMoves, line);
}

TEST(Search, AspirationHalfWidth) {
  EXPECT_EQ(AspirationHalfWidth(300, 4), 80);
  EXPECT_EQ(AspirationHalfWidth(-500, 10), -15);  // an inverted window
  EXPECT_EQ(AspirationHalfWidth(0, 1), 125);
  EXPECT_EQ(AspirationHalfWidth(-7, 3), 58);  // divisions truncate toward zero
}

TEST(Search, TimeFactors) {
  searchInfo = SearchInfo{};
  driverState = DriverState{};
  driverState.firstMove = true;
  EXPECT_DOUBLE_EQ(TimeFactor(false), 0.33);
  EXPECT_DOUBLE_EQ(TimeFactor(true), 1.66);
  searchInfo.failHighResearch = 1;
  EXPECT_DOUBLE_EQ(TimeFactor(false), 0.66);
  EXPECT_DOUBLE_EQ(TimeFactor(true), 0.8);
  searchInfo.failHighResearch = 0;
  searchInfo.failLowResearch = 1;
  EXPECT_DOUBLE_EQ(TimeFactor(false), 6.0);
  EXPECT_DOUBLE_EQ(TimeFactor(true), 8.0);
  searchInfo.failLowResearch = 0;

  driverState.firstMove = false;
  EXPECT_DOUBLE_EQ(TimeFactor(false), 1.66);
  EXPECT_DOUBLE_EQ(TimeFactor(true), 2.66);
  driverState.newBestResearch = true;
  EXPECT_DOUBLE_EQ(TimeFactor(false), 5.0);
  EXPECT_DOUBLE_EQ(TimeFactor(true), 6.0);
  // After a fail-low of the first move the drop decides, new best or not.
  driverState.failedLowThisIteration = true;
  driverState.scoreBeforeFailLow = 50;
  for (auto [best, before, inside] : {std::tuple{-250, 6.0, 8.0}, std::tuple{-50, 4.0, 6.0},
                                      std::tuple{-49, 2.5, 4.0}, std::tuple{26, 2.33, 4.0}}) {
    searchInfo.bestScore = best;
    EXPECT_DOUBLE_EQ(TimeFactor(false), before) << best;
    EXPECT_DOUBLE_EQ(TimeFactor(true), inside) << best;
  }

  // The tests themselves: a hard limit is reached, an allotment exceeded.
  driverState = DriverState{};
  searchInfo = SearchInfo{};
  const TimePoint now = 1000000;
  searchInfo.startTime = now - 10000;
  searchInfo.allotment = 3760;  // later move factor 2.66: 10001.6 ms allowed
  EXPECT_FALSE(TimeIsUp(now));
  searchInfo.allotment = 3759;  // 9998.94 ms allowed
  EXPECT_TRUE(TimeIsUp(now));
  driverState.openEnded = true;
  EXPECT_FALSE(TimeIsUp(now));
  driverState.openEnded = false;
  searchInfo.allotment = 0;
  searchInfo.hardLimit = 10000;
  EXPECT_TRUE(TimeIsUp(now));
  searchInfo.hardLimit = 10001;
  EXPECT_FALSE(TimeIsUp(now));
  searchInfo = SearchInfo{};
}

TEST(ThinkingOutput, ConsoleAndPostLines) {
  SearchInfo info;
  info.pvText = {"e2-e4", "e7-e5", "Ng1-f3"};
  info.bestScore = 25;
  info.totalNodes = 360000;
  info.startTime = 1000000;
  EXPECT_EQ(ConsoleThinkingLine(info, 1003999), "e2-e4 e7-e5 Ng1-f3 (25); 120 knps, total: 360 kn");
  EXPECT_EQ(ConsoleThinkingLine(info, 1000999), "e2-e4 e7-e5 Ng1-f3 (25); 360 knps, total: 360 kn");

  info.pvText = {"e2e4", "e7e5", "g1f3"};
  info.displayDepth = 5;
  info.totalNodes = 123456;
  EXPECT_EQ(PostLineText(info, 1003009), "5 25 300 123456 e2e4 e7e5 g1f3");
  info.endTime = 1000257;  // elapsed centiseconds to the centisecond
  EXPECT_EQ(PostLineText(info, 1003009), "5 25 25 123456 e2e4 e7e5 g1f3");
}

TEST(ThinkingOutput, MateScoresUnderProtocolTwo) {
  protocolVersion = 1;
  EXPECT_EQ(ProtocolScore(31999), 31999);
  protocolVersion = 2;
  EXPECT_EQ(ProtocolScore(31999), 100001);   // mate with the next move
  EXPECT_EQ(ProtocolScore(31997), 100002);   // mate in two
  EXPECT_EQ(ProtocolScore(-31998), -100001); // mated after one more move of ours
  EXPECT_EQ(ProtocolScore(-32000 + 4), -100002);
  EXPECT_EQ(ProtocolScore(250), 250);
  EXPECT_EQ(ProtocolScore(-31900), -31900);
  protocolVersion = 1;
}

TEST(ThinkingOutput, DepthLimitEndsWithItsHeader) {
  std::ostringstream out;
  std::istringstream in;
  SetEngineStreams(&in, &out);
  xboardMode = false;
  searchCallbacks = SearchCallbacks{};
  ClearHashTables();
  LoadSearchRoot(ParseFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
  Think(SearchParameters{kModeThink, 3, 0, 0});  // "sd 4"
  SetEngineStreams(&std::cin, &std::cout);
  const std::string text = out.str();
  EXPECT_NE(text.find("depth 2\n"), std::string::npos);
  EXPECT_NE(text.find("depth 4\n"), std::string::npos);
  EXPECT_EQ(text.find("depth 5"), std::string::npos);
  EXPECT_NE(text.find(" kn\n"), std::string::npos);
  EXPECT_EQ(searchInfo.displayDepth, 4);
}

}  // namespace
