// The dialogue in-process: the engine's answers to draw offers, its own
// offers and its resignation; pondering; the players' clocks and the flag on
// a clock that only the test moves; and "eval" beside a running analysis.
// Every search is depth-limited or ended by a scripted line.
#include <gtest/gtest.h>

#include <sstream>

#include "board/moves.h"
#include "frontend_session_support.h"

namespace {

using namespace session_test;

// The first of the move texts that is legal when the line is handed out.
std::function<std::string()> FirstLegal(const Session& s, std::vector<std::string> candidates) {
  return [&s, candidates] {
    for (const std::string& text : candidates) {
      try {
        ParseMove(s.comm.session().game().currentPosition, text);
        return text;
      } catch (const GameError&) {
      }
    }
    return std::string("none-of-the-candidates");
  };
}

std::function<std::string()> ExpectedMove(const Session& s) {
  return [&s] { return CoordinateMoveText(s.comm.PonderMove()); };
}

std::function<void()> ClockAt(TimePoint time) {
  return [time] { fakeNow = time; };
}

// The output from each mark to the next (the last to the end).
std::vector<std::string> Slices(const std::string& output, const std::vector<size_t>& marks) {
  std::vector<std::string> slices;
  for (size_t i = 0; i < marks.size(); ++i)
    slices.push_back(output.substr(marks[i], i + 1 < marks.size() ? marks[i + 1] - marks[i] : std::string::npos));
  return slices;
}

// The engine (Black) answers at depth 3 without pondering in the game set up
// on `fen`.
void SetUpGame(Session& s, const std::string& fen) {
  for (const std::string& line : {std::string("easy"), std::string("sd 3"), "setboard " + fen}) s.Send(line);
}

// Draw offers and resignation.

constexpr const char* kBishopDown = "5rk1/5ppp/8/8/8/8/5PPP/2B2RK1 w - - 0 1";
constexpr const char* kBlockedPawns = "8/8/4k3/p7/P7/4K3/8/8 w - - 0 1";
constexpr const char* kLoneKing = "4k3/8/8/8/8/8/PPPPPPPP/KQRR4 w - - 0 1";

// A bishop down, the engine declines the offers made before its first and
// second moves and accepts once its score has not been ahead twice: on the
// console the game ends without its move, under xboard it says so and moves.
TEST(DrawOffers, AcceptedOnceNotAheadTwice) {
  for (const bool xboard : {false, true}) {
    SCOPED_TRACE(xboard ? "xboard" : "console");
    Session s(xboard);
    SetUpGame(s, kBishopDown);
    std::vector<int> notAheadAtOffer;
    std::vector<size_t> marks;
    for (int move = 0; move < 3; ++move) {
      s.Send("draw", {}, [&] {
        notAheadAtOffer.push_back(s.comm.session().Counters().notAhead);
        marks.push_back(s.Output().size());
      });
      s.SendMade(FirstLegal(s, {"g1h1", "h1g1", "h2h3", "g2g3"}));
    }
    s.Run();
    EXPECT_EQ(notAheadAtOffer, (std::vector<int>{0, 1, 2}));
    const std::vector<std::string> answers = Slices(s.Output(), marks);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_FALSE(s.comm.session().DrawOffered(kWhite));
    if (!xboard) {
      for (int i = 0; i < 2; ++i) {
        EXPECT_NE(answers[i].find("Guest has offered a draw\n"), std::string::npos) << answers[i];
        EXPECT_NE(answers[i].find("Ravok declines remis offer\nRavok played: "), std::string::npos) << answers[i];
      }
      EXPECT_NE(answers[2].find("Ravok accepts remis offer\ngame over: 1/2-1/2 draw by mutal agreement\n"),
                std::string::npos)
          << answers[2];
      EXPECT_EQ(Count(answers[2], "Ravok played"), 0);
      EXPECT_EQ(s.comm.session().game().moves.size(), 5u);
      EXPECT_EQ(s.comm.session().game().currentPosition.result, kGameDrawn);
      EXPECT_EQ(s.comm.session().game().currentPosition.reason, kReasonAgreement);
    } else {
      EXPECT_EQ(Count(answers[0] + answers[1], "offer draw"), 0);
      EXPECT_NE(answers[2].find("offer draw\nmove "), std::string::npos) << answers[2];
      EXPECT_EQ(s.comm.session().game().moves.size(), 6u);
      EXPECT_EQ(s.comm.session().game().currentPosition.result, kGameRunning);
    }
  }
}

// Blocked pawns keep every score within the margin. With eight drawish
// moves behind it the engine offers a draw after its tenth, not its ninth;
// not again on the next move (fewer than ten since its offer); and it
// accepts the opponent's offer because of the stretch.
TEST(DrawOffers, EngineOffersAfterALongDrawishStretch) {
  Session s;
  SetUpGame(s, kBlockedPawns);
  std::vector<size_t> marks;
  std::vector<int> drawish;
  const std::vector<std::string> moves = {"e3d3", "d3e3", "e3f3", "f3e3", "e3d2", "d2e3", "e3e2"};
  for (int move = 0; move < 4; ++move) {
    if (move == 3) s.Send("draw");
    s.SendMade(FirstLegal(s, moves), {}, [&, move] {
      if (move == 0) {  // "setboard" has reset the counters
        EngineCounters counters = s.comm.session().Counters();
        counters.drawish = 8;
        s.comm.session().SetCounters(counters);
      }
      drawish.push_back(s.comm.session().Counters().drawish);
      marks.push_back(s.Output().size());
    });
  }
  s.Run();
  EXPECT_EQ(drawish, (std::vector<int>{8, 9, 10, 11}));
  const std::vector<std::string> answers = Slices(s.Output(), marks);
  ASSERT_EQ(answers.size(), 4u);
  EXPECT_EQ(Count(answers[0], "Ravok has offered a draw"), 0) << answers[0];
  EXPECT_EQ(Count(answers[1], "Ravok has offered a draw\n"), 1) << answers[1];
  EXPECT_GT(answers[1].find("Ravok has offered a draw"), answers[1].find("Ravok played: ")) << answers[1];
  EXPECT_EQ(Count(answers[2], "Ravok has offered a draw"), 0) << answers[2];
  EXPECT_NE(answers[3].find("Ravok accepts remis offer\n"), std::string::npos) << answers[3];
  EXPECT_EQ(s.comm.session().game().currentPosition.result, kGameDrawn);
  EXPECT_EQ(s.comm.session().Counters().movesSinceDrawOffer, 1);
}

// A lone king: after `resignMoves` losing moves the engine resigns. On the
// console the game ends with White the winner; under xboard it says
// "resign" and leaves the result to the interface.
TEST(Resignation, AfterResignMovesLosingMoves) {
  for (const bool xboard : {false, true}) {
    SCOPED_TRACE(xboard ? "xboard" : "console");
    Session s(xboard);
    SetUpGame(s, kLoneKing);
    s.comm.session().SetResignMoves(3);
    std::vector<size_t> marks;
    for (int move = 0; move < 3; ++move)
      s.SendMade(FirstLegal(s, {"h2h3", "g2g3", "f2f3", "e2e3", "h3h4", "g3g4"}), {},
                 [&] { marks.push_back(s.Output().size()); });
    s.Run();
    EXPECT_EQ(s.comm.session().Counters().losing, 3);
    const std::vector<std::string> answers = Slices(s.Output(), marks);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(Count(answers[0] + answers[1], "esign"), 0);
    EXPECT_EQ(s.comm.session().game().moves.size(), 6u);
    if (!xboard) {
      EXPECT_NE(answers[2].find("Ravok has resigned\ngame over: 1-0 black resigned\n"), std::string::npos)
          << answers[2];
      EXPECT_EQ(s.comm.session().game().currentPosition.result, kWhiteWins);
      EXPECT_EQ(s.comm.session().game().currentPosition.reason, kReasonResignation);
    } else {
      EXPECT_TRUE(answers[2].ends_with("\nresign\n")) << answers[2];
      EXPECT_EQ(s.comm.session().game().currentPosition.result, kGameRunning);
    }
  }
}

// Pondering.

// The opponent plays the expected move while the engine ponders deeper than
// its depth limit: the ponder search goes on as the real search, ends with
// the iteration it is in and its move is played; then the engine ponders
// on its next move.
TEST(Pondering, ExpectedMoveContinuesTheSearch) {
  Session s;
  s.Send("sd 3");
  s.Send("e2e4");
  size_t hit = 0;
  s.SendMade(ExpectedMove(s), s.While(kModePonder, 4), [&] { hit = s.Output().size(); });
  s.Run();
  const std::string after = s.Output().substr(hit);
  const size_t predicted = after.find("predicted move made.\n");
  const size_t played = after.find("Ravok played: ");
  ASSERT_NE(predicted, std::string::npos) << after;
  ASSERT_NE(played, std::string::npos) << after;
  EXPECT_EQ(after.substr(predicted, played - predicted).find("depth"), std::string::npos) << after;
  EXPECT_EQ(SearchesStarted(after), 1) << after;  // the next ponder search
  EXPECT_NE(after.find("depth 2 (Ravok played "), std::string::npos) << after;
  EXPECT_EQ(s.comm.session().game().moves.size(), 4u);
}

// Another move ends the ponder search; a fresh search answers it.
TEST(Pondering, OtherMoveStartsAFreshSearch) {
  Session s;
  s.Send("sd 3");
  s.Send("e2e4");
  size_t other = 0;
  s.SendMade([&] { return CoordinateMoveText(s.comm.PonderMove()) == "a2a3" ? "h2h3" : "a2a3"; },
             s.While(kModePonder, 3), [&] { other = s.Output().size(); });
  s.Run();
  const std::string after = s.Output().substr(other);
  const size_t aborted = after.find("search aborted\n"), fresh = after.find("depth 2\n"),
               played = after.find("Ravok played: ");
  EXPECT_LT(aborted, fresh) << after;
  EXPECT_LT(fresh, played) << after;
  EXPECT_EQ(Count(after, "predicted move made"), 0);
  EXPECT_EQ(s.comm.session().game().moves.size(), 4u);
}

// A ponder search that ends by itself (it found the mate) keeps its result:
// the expected move is answered at once, with the mate.
TEST(Pondering, FinishedPonderSearchAnswersTheExpectedMove) {
  Session s;
  for (const char* line : {"sd 4", "setboard 4r3/8/8/8/8/5k2/PP6/7K w - - 0 1", "a2a3"}) s.Send(line);
  size_t hit = 0;
  s.SendMade(ExpectedMove(s), [&] { return s.engine.Info().searching == 0 && s.comm.Status().resultPending; },
             [&] { hit = s.Output().size(); });
  s.Run();
  EXPECT_NE(s.Output().find("pondering complete.\n"), std::string::npos);
  EXPECT_EQ(s.Output().substr(hit),
            "predicted move made.\nRavok played: Re8-e1 (time used: 0 sec)\ngame over: 0-1 black mates\nwhite 3> ");
  EXPECT_EQ(s.comm.session().game().currentPosition.reason, kReasonMate);
}

// Clocks.

// "level 2 1 5" with the engine as Black: the side to move's clock starts
// with the level; a move stops the mover's clock, adds the increment and,
// when it ends a period, the next period's time, and starts the other
// clock; a take-back stops both and starts the clock of the side then to
// move. Moves the engine plays no side of leave the clocks alone.
TEST(Clocks, MovesIncrementsPeriodsAndTakeBacks) {
  Session s;
  const PlayerClock& white = s.comm.session().Clock(kWhite);
  const PlayerClock& black = s.comm.session().Clock(kBlack);
  fakeNow = 50000;
  s.comm.HandleIdle({"level", "2", "1", "5"});
  EXPECT_TRUE(s.comm.session().ClockMode());
  EXPECT_TRUE(white.running);
  EXPECT_EQ(white.runStart, 50000);
  EXPECT_FALSE(black.running);
  EXPECT_EQ(black.remaining, 60000);
  const auto play = [&](const char* text, Milliseconds thought) {
    fakeNow += thought;
    s.comm.MakeGameMove(ParseMove(s.comm.session().game().currentPosition, text));
  };
  play("e2e4", 1500);
  EXPECT_FALSE(white.running);
  EXPECT_EQ(white.remaining, 60000 - 1500 + 5000);
  EXPECT_EQ(white.movesToGo, 1);
  EXPECT_TRUE(black.running);
  EXPECT_EQ(black.runStart, 51500);
  play("e7e5", 2000);
  EXPECT_EQ(black.remaining, 60000 - 2000 + 5000);
  EXPECT_EQ(white.runStart, 53500);
  play("g1f3", 700);  // White's second move ends the period
  EXPECT_EQ(white.remaining, 63500 - 700 + 5000 + 60000);
  EXPECT_EQ(white.movesToGo, 2);
  EXPECT_TRUE(black.running);

  fakeNow += 300;
  s.comm.session().TakeBack();
  EXPECT_EQ(s.comm.session().game().moves.size(), 2u);
  EXPECT_FALSE(black.running);
  EXPECT_EQ(black.remaining, 63000 - 300);
  EXPECT_TRUE(white.running);
  EXPECT_EQ(white.runStart, 54500);
  EXPECT_EQ(white.remaining, 127800);

  s.comm.session().EnginePlaysNeither();
  fakeNow += 1000;
  s.comm.MakeGameMove(ParseMove(s.comm.session().game().currentPosition, "g1f3"));
  EXPECT_TRUE(white.running);
  EXPECT_EQ(white.runStart, 54500);
  EXPECT_FALSE(black.running);
}

// The clock rule, the search and the evaluation are the classic ones until
// "timerule", "search" and "evaluation" (console) or "option Time
// Rule=...", "option Search=..." and "option Evaluation=..." (xboard) pick
// the others; the next search's limits follow them. A 1-minute + 1-second
// clock at its start.
TEST(Clocks, TimeRuleSearchAndEvaluationSettingsDecideTheLimits) {
  for (const bool xboard : {false, true}) {
    Session s(xboard);
    s.comm.HandleIdle({"level", "0", "1", "1"});
    const auto hardLimitWith = [&](const WordList& setting) {
      if (!setting.empty()) s.comm.HandleIdle(setting);
      s.comm.RequestSearch(kModeThink, 0);
      return s.comm.Status().parameters.hardLimit;
    };
    EXPECT_EQ(hardLimitWith({}), 24000);
    EXPECT_EQ(hardLimitWith(xboard ? WordList{"option", "Time", "Rule=increment"} : WordList{"timerule", "increment"}),
              22500);
    EXPECT_EQ(s.comm.Status().parameters.allotment, 7500);
    EXPECT_EQ(hardLimitWith(xboard ? WordList{"option", "Time", "Rule=classic"} : WordList{"timerule", "classic"}),
              24000);
    EXPECT_EQ(s.comm.Status().parameters.style, SearchStyle::kClassic);
    hardLimitWith(xboard ? WordList{"option", "Search=selective"} : WordList{"search", "selective"});
    EXPECT_EQ(s.comm.Status().parameters.style, SearchStyle::kSelective);
    hardLimitWith(xboard ? WordList{"option", "Search=classic"} : WordList{"search", "classic"});
    EXPECT_EQ(s.comm.Status().parameters.style, SearchStyle::kClassic);
    EXPECT_EQ(s.comm.Status().parameters.evaluation, EvaluationSet::kClassic);
    hardLimitWith(xboard ? WordList{"option", "Evaluation=tuned"} : WordList{"evaluation", "tuned"});
    EXPECT_EQ(s.comm.Status().parameters.evaluation, EvaluationSet::kTuned);
    hardLimitWith(xboard ? WordList{"option", "Evaluation=classic"} : WordList{"evaluation", "classic"});
    EXPECT_EQ(s.comm.Status().parameters.evaluation, EvaluationSet::kClassic);
  }
}

// Under xboard the opening comes in force mode, where the engine's clocks
// stand; the interface counts the period from the game's first move, and
// its clock readings bring that count with them.
TEST(Clocks, InterfaceReadingsCountThePeriodFromTheFirstMove) {
  Session s(true);
  s.comm.HandleIdle({"level", "40", "1", "0"});
  s.comm.HandleIdle({"force"});
  for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"})
    s.comm.MakeGameMove(ParseMove(s.comm.session().game().currentPosition, move));
  EXPECT_EQ(s.comm.session().Clock(kBlack).movesToGo, 40);  // not counted in force mode
  s.comm.HandleIdle({"time", "5000"});
  s.comm.HandleIdle({"otim", "5500"});
  s.comm.session().SetEngineSide(kBlack);
  s.comm.session().ApplyInterfaceClocks();
  EXPECT_EQ(s.comm.session().Clock(kBlack).movesToGo, 38);
  EXPECT_EQ(s.comm.session().Clock(kBlack).remaining, 50000);
  EXPECT_EQ(s.comm.session().Clock(kWhite).movesToGo, 37);
  EXPECT_EQ(s.comm.session().Clock(kWhite).remaining, 55000);
}

// The commands' clock events: "force" and "new" put both clocks back to
// the time control and stop them (and moves without an engine side leave
// them so); "go" starts the clock of the side the engine takes over, and
// its move, made at once with "?", completes it and starts the other.
TEST(Clocks, CommandsResetAndStartTheClocks) {
  Session s;
  const PlayerClock& white = s.comm.session().Clock(kWhite);
  const PlayerClock& black = s.comm.session().Clock(kBlack);
  std::vector<PlayerClock> seen;  // White's and Black's clock at each look
  const auto look = [&] { seen.push_back(white), seen.push_back(black); };
  fakeNow = 0;
  s.Send("easy");
  s.Send("level 40 5 0", {}, ClockAt(1000));
  s.Send("force", {}, ClockAt(2000));
  s.Send("e2e4", {}, [&] { look(), fakeNow = 3000; });
  s.Send("go", {}, [&] { look(), fakeNow = 4000; });
  s.Send("?", s.While(kModeThink), [&] { look(), fakeNow += 250; });
  s.Send("new", {}, [&] { look(), fakeNow = 5000; });
  s.Send("post", {}, look);
  s.Run();
  ASSERT_EQ(seen.size(), 10u);
  // After "force": both at the control's start, standing, no engine side.
  EXPECT_EQ(seen[0].remaining, 300000);
  EXPECT_FALSE(seen[0].running);
  EXPECT_FALSE(seen[0].engine || seen[1].engine);
  // A move without an engine side.
  EXPECT_EQ(seen[2].remaining, 300000);
  EXPECT_EQ(seen[2].movesToGo, 40);
  EXPECT_FALSE(seen[2].running || seen[3].running);
  // "go" at 4000: the engine thinks as Black on Black's clock.
  EXPECT_TRUE(seen[5].engine && seen[5].running);
  EXPECT_EQ(seen[5].runStart, 4000);
  EXPECT_FALSE(seen[4].running);
  // Its move 250 ms later.
  EXPECT_FALSE(seen[7].running);
  EXPECT_EQ(seen[7].remaining, 300000 - 250);
  EXPECT_EQ(seen[7].movesToGo, 39);
  EXPECT_TRUE(seen[6].running);
  EXPECT_EQ(seen[6].runStart, 4250);
  // "new": back to the control, standing, the engine Black.
  EXPECT_EQ(seen[8].remaining, 300000);
  EXPECT_EQ(seen[9].remaining, 300000);
  EXPECT_EQ(seen[9].movesToGo, 40);
  EXPECT_FALSE(seen[8].running || seen[9].running);
  EXPECT_TRUE(seen[9].engine);
}

// On the console the side to move loses on time the first millisecond its
// clock is below zero, checked when a line arrives; a command between does
// not give back the time used.
TEST(Clocks, FlagFallsToTheMillisecond) {
  Session s;
  fakeNow = 100000;
  s.Send("level 0 0:02 0");  // White's clock runs from 100000
  s.Send("playother", {}, ClockAt(101000));
  s.Send("post", {}, ClockAt(102000));
  s.Send("post", {}, ClockAt(102001));
  s.Run();
  EXPECT_EQ(s.Output(),
            "white 1> white 1> white 1> white 1> Guest has lost on time.\ngame over: 0-1 white has lost on time\n"
            "white 1> ");
  EXPECT_EQ(s.comm.session().Clock(kWhite).remaining, -1);
  EXPECT_FALSE(s.comm.session().Clock(kWhite).running);
  EXPECT_EQ(s.comm.session().game().currentPosition.reason, kReasonLossOnTime);

  // Against a bare king the same fall draws: the flag's text stays, the
  // result line gives the draw.
  Session bare;
  bare.Send("setboard 4k3/8/8/8/8/8/R7/K7 w - - 0 1");
  bare.Send("level 0 0:02 0");
  bare.Send("post", {}, ClockAt(fakeNow + 2001));
  bare.Run();
  EXPECT_EQ(bare.Output(),
            "white 1> white 1> white 1> Guest has lost on time.\ngame over: 1/2-1/2 insufficient material\nwhite 1> ");
  EXPECT_EQ(bare.comm.session().game().currentPosition.result, kGameDrawn);
}

// The engine's flag falls while it thinks: the search ends at the next poll
// and no move is played.
TEST(Clocks, EngineLosesOnTimeWhileThinking) {
  Session s;
  fakeNow = 0;
  s.Send("easy");
  s.Send("level 40 5 0");
  s.Send("e2e4", {}, ClockAt(1000));  // Black's clock runs from 1000
  s.Send("post", s.While(kModeThink), [] { fakeNow += 300000; });
  s.Send("post", [&] { return s.Searching(kModeThink) && s.comm.session().Clock(kBlack).remaining == 0; }, [] { ++fakeNow; });
  s.Send("post", [&] { return s.comm.session().game().currentPosition.result != kGameRunning; });
  s.Run();
  EXPECT_NE(s.Output().find("\nRavok has lost on time.\ngame over: 1-0 black has lost on time\n"), std::string::npos)
      << s.Output();
  EXPECT_EQ(Count(s.Output(), "Ravok played"), 0);
  EXPECT_EQ(s.comm.session().game().moves.size(), 1u);
  EXPECT_EQ(s.comm.session().Clock(kBlack).remaining, -1);
  EXPECT_EQ(s.comm.session().Clock(kWhite).remaining, 299000);
}

// "eval" beside a running analysis.

// An analysis with an "eval" arriving while it searches depth 4 counts the
// same nodes and finds the same lines as without it, and the value is the
// one printed once the analysis is over.
TEST(EvalDuringAnalysis, LeavesTheAnalysisUndisturbed) {
  constexpr int kLastDepth = 5;  // the analysis ends at the first poll of depth 6
  struct Analysis {
    std::vector<std::string> lines;  // the post lines up to kLastDepth without the time
    std::vector<std::string> values;
  };
  const auto analyse = [](bool withEval) {
    Session s(true);
    s.Send("post");
    s.Send("setboard r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8");
    s.Send("analyze");
    if (withEval) s.Send("eval", s.While(kModeAnalyze, 4));
    s.Send("exit", s.While(kModeAnalyze, kLastDepth + 1));
    s.Send("eval", s.Idle());
    s.Run();
    Analysis result;
    std::istringstream out(s.Output());
    for (std::string line; std::getline(out, line);) {
      if (line.rfind("Value: ", 0) == 0) result.values.push_back(line);
      std::istringstream words(line);
      int depth = 0, score = 0;
      long elapsed = 0;
      if (!(words >> depth >> score >> elapsed) || depth > kLastDepth) continue;
      std::string rest;
      std::getline(words, rest);
      result.lines.push_back(std::to_string(depth) + " " + std::to_string(score) + rest);
    }
    return result;
  };
  const Analysis plain = analyse(false), disturbed = analyse(true);
  EXPECT_GE(plain.lines.size(), size_t(kLastDepth - 1));
  EXPECT_EQ(disturbed.lines, plain.lines);
  ASSERT_EQ(disturbed.values.size(), 2u);
  EXPECT_EQ(disturbed.values[0], disturbed.values[1]);
  EXPECT_EQ(plain.values, std::vector<std::string>{disturbed.values[1]});
}

}  // namespace
