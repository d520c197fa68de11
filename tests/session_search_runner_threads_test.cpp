// The search runner with a scripted dialogue of its own, on one thread and
// on two: lines that arrive during a search are answered at once or kept
// in order, a poll reads a budget of lines, a stop keeps the move or drops
// it (a quit), a ponder search searches the position after the expected
// reply and becomes a timed search at the ponder hit, an open-ended search
// that ended by itself waits for its stop, and the end of the input ends a
// search or lets it finish its move.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <sstream>

#include "base/end_of_input.h"
#include "board/fen.h"
#include "board/moves.h"
#include "frontend_session_support.h"
#include "session/search_runner.h"
#include "session/string_utils.h"

namespace {

using session_test::ScriptedInput;

const char* const kMiddlegame = "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10";
const char* const kStalemate = "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1";

Game GameAt(const std::string& fen) {
  Game game;
  game.SetupPosition(ParseFen(fen));
  return game;
}

SearchParameters Limits(int32_t mode, int32_t iterations = 0) {
  SearchParameters parameters;
  parameters.mode = mode;
  parameters.maxDepth = iterations;
  return parameters;
}

// A dialogue of a few words: "isready" is answered at once, "stop" keeps
// the move, "quit" drops it, "hit" is the ponder hit (a limit of 50 ms
// from now), anything else is kept for after the search. It notes each
// answer with the poll it came in and whether the search was running.
class ScriptedDialogue : public SearchDialogue {
 public:
  struct Answer {
    std::string line;
    int poll;
    bool searching;
  };

  ScriptedDialogue(Engine& engine, std::istream& in) : engine(engine), input(in, -1), runner(engine, input, *this) {}

  void AnswerDuringSearch(const std::string& line) override;
  void OnPoll() override { ++polls; }
  bool SearchesOnAtEndOfInput() const override { return finishesAtEndOfInput; }
  void Report(SearchEvent event, const SearchInfo&) override { bestLines += event == SearchEvent::kNewBestLine; }

  // The answered lines' texts, in order.
  std::vector<std::string> Answered() const {
    std::vector<std::string> lines;
    for (const Answer& answer : answers) lines.push_back(answer.line);
    return lines;
  }
  // The kept lines' first words, in order, taken out of the runner.
  std::vector<std::string> TakeKept() {
    std::vector<std::string> kept;
    while (runner.HasKept()) kept.push_back(runner.TakeKept().words.front());
    return kept;
  }

  Engine& engine;
  LineReader input;
  SearchRunner runner;
  std::vector<Answer> answers;
  int polls = 0;
  int bestLines = 0;
  bool finishesAtEndOfInput = false;
};

using W = const WordList&;
constexpr Command<ScriptedDialogue> kScriptedCommands[] = {
    {"isready", [](ScriptedDialogue&, W) { return true; }},
    {"stop", [](ScriptedDialogue& d, W) { return d.runner.Stop(true), true; }},
    {"quit", [](ScriptedDialogue& d, W) { return d.runner.Stop(false), true; }},
    {"hit",
     [](ScriptedDialogue& d, W) {
       d.runner.PonderHit(Now() - d.engine.Info().startTime + 50, 0);
       return true;
     }},
};

void ScriptedDialogue::AnswerDuringSearch(const std::string& line) {
  answers.push_back({line, polls, engine.Searching()});
  const WordList words = TokenizeAtBlanksAndTabs(line);
  if (!RunCommand(std::span<const Command<ScriptedDialogue>>(kScriptedCommands), *this, words,
                  CommandState::kSearching))
    runner.Keep(words);
}

class SearchRunnerThreads : public testing::TestWithParam<int> {
 protected:
  SearchRunnerThreads() { EXPECT_TRUE(engine.SetThreadCount(GetParam())); }

  // A line the search sees once `ready` holds (at once without).
  void Send(const std::string& text, std::function<bool()> ready = [] { return true; }) {
    script.Add({[text] { return text; }, std::move(ready), {}});
  }
  std::function<bool()> AtDepth(int depth) {
    return [this, depth] { return engine.Searching() && engine.Info().displayDepth >= depth; };
  }

  Engine engine{uint64_t(1) << 20, uint64_t(1) << 18};
  ScriptedInput script;
  std::istream in{&script};
};

INSTANTIATE_TEST_SUITE_P(OneAndTwo, SearchRunnerThreads, testing::Values(1, 2),
                         [](const auto& info) { return std::to_string(info.param) + "_threads"; });

// Lines that arrive while the search runs are answered during it, in the
// order they came, and those the dialogue does not answer are kept in that
// order too; a flood is read a budget of lines a poll. The search ends by
// itself at its depth with its move.
TEST_P(SearchRunnerThreads, LinesAreAnsweredOrKeptInOrder) {
  Send("isready", AtDepth(3));
  Send("position one");
  Send("isready");
  Send("go two");
  for (int i = 0; i < 100; ++i) Send(i == 50 ? "setoption three" : "isready");
  script.endReady = [this] { return !engine.Searching(); };
  ScriptedDialogue dialogue(engine, in);
  EXPECT_EQ(dialogue.runner.Run(GameAt(kMiddlegame), Limits(kModeThink, 7)), SearchEnd::kWithMove);
  EXPECT_FALSE(dialogue.runner.Running());
  EXPECT_EQ(engine.Info().displayDepth, 8);
  EXPECT_GT(dialogue.bestLines, 0);

  ASSERT_EQ(dialogue.answers.size(), 104u);
  EXPECT_EQ(dialogue.Answered()[1], "position one");
  EXPECT_TRUE(std::all_of(dialogue.answers.begin(), dialogue.answers.end(), [](auto& a) { return a.searching; }));
  EXPECT_EQ(dialogue.TakeKept(), (std::vector<std::string>{"position", "go", "setoption"}));
  // No poll reads more than its budget of lines: the flood took several.
  std::map<int, int> perPoll;
  for (const auto& answer : dialogue.answers) ++perPoll[answer.poll];
  EXPECT_GE(perPoll.size(), 2u);
  for (const auto& [poll, count] : perPoll) EXPECT_LE(count, 64) << poll;
}

// "stop" ends the search with its best move; a line after it in the same
// poll stays unread for the idle loop. "quit" drops the result.
TEST_P(SearchRunnerThreads, StopKeepsTheMoveAndQuitDropsIt) {
  Send("stop", AtDepth(3));
  Send("isready");
  ScriptedDialogue stopped(engine, in);
  EXPECT_EQ(stopped.runner.Run(GameAt(kMiddlegame), Limits(kModeAnalyze)), SearchEnd::kWithMove);
  EXPECT_EQ(stopped.Answered(), std::vector<std::string>{"stop"});
  EXPECT_FALSE(engine.Info().pvMoves.empty());
  EXPECT_FALSE(script.Empty());
  EXPECT_EQ(LineReader(in, -1).ReadLine(), "isready");

  Send("quit", AtDepth(3));
  ScriptedDialogue quit(engine, in);
  EXPECT_EQ(quit.runner.Run(GameAt(kMiddlegame), Limits(kModeThink)), SearchEnd::kDiscarded);
  EXPECT_EQ(engine.Info().searching, 0);
  // A stop asked for when no search runs does nothing.
  quit.runner.Stop(true);
  EXPECT_FALSE(quit.runner.Running());
}

// A ponder search works on the position after the expected reply, the
// game staying before it; the ponder hit makes it the search on the
// engine's move, which ends by itself at its limit with a move. A reply
// that is not legal starts no search.
TEST_P(SearchRunnerThreads, PonderHitMakesThePonderSearchTheEnginesOwn) {
  const Game game = GameAt(kMiddlegame);
  const Move expected = ParseMove(game.currentPosition, "e2e3");
  Send("hit", AtDepth(3));
  script.endReady = [this] { return !engine.Searching(); };
  ScriptedDialogue dialogue(engine, in);
  EXPECT_EQ(dialogue.runner.Run(game, Limits(kModePonder), expected), SearchEnd::kWithMove);
  EXPECT_EQ(dialogue.runner.Mode(), kModeThink);
  EXPECT_EQ(engine.SearchRoot().side, kBlack);
  EXPECT_GE(engine.Info().endTime - engine.Info().startTime, engine.Info().hardLimit);
  EXPECT_NE(engine.Info().hardLimit, 0);
  Game after = game;
  after.PlayMove(expected);
  EXPECT_TRUE(IsLegalMove(after.currentPosition, engine.Info().pvMoves.front()));
  // The queen on e2 cannot go to e4, where a pawn of its own stands.
  const Move illegal = ParseMove(GamePosition::Initial(), "e2e4");
  EXPECT_EQ(dialogue.runner.Run(game, Limits(kModePonder), illegal), SearchEnd::kNotStarted);
}

// An open-ended search that ended by itself (here at once: stalemate)
// waits for its stop, answering and keeping lines meanwhile: "stop" and
// the ponder hit end the wait with the move, "quit" drops it.
TEST_P(SearchRunnerThreads, AnEndedOpenEndedSearchWaitsForItsStop) {
  const Game game = GameAt(kStalemate);
  for (const char* last : {"stop", "hit", "quit"}) {
    SCOPED_TRACE(last);
    for (const char* line : {"isready", "go later", last}) Send(line);
    ScriptedDialogue dialogue(engine, in);
    EXPECT_EQ(dialogue.runner.Run(game, Limits(kModeAnalyze)), SearchEnd::kWithMove);
    EXPECT_EQ(dialogue.runner.WaitForStop(), std::string(last) != "quit");
    EXPECT_FALSE(dialogue.runner.Running());
    EXPECT_EQ(dialogue.Answered(), (std::vector<std::string>{"isready", "go later", last}));
    EXPECT_TRUE(std::none_of(dialogue.answers.begin(), dialogue.answers.end(), [](auto& a) { return a.searching; }));
    EXPECT_EQ(dialogue.TakeKept(), std::vector<std::string>{"go"});
  }
}

// The end of the input ends the search and passes on, unless the dialogue
// lets the search finish its move; the runner then reads no more.
TEST_P(SearchRunnerThreads, TheEndOfTheInputEndsTheSearchOrAwaitsItsMove) {
  script.endReady = AtDepth(3);
  ScriptedDialogue ended(engine, in);
  EXPECT_THROW(ended.runner.Run(GameAt(kMiddlegame), Limits(kModeAnalyze)), end_of_input);
  EXPECT_FALSE(ended.runner.Running());
  EXPECT_EQ(engine.Info().searching, 0);

  in.clear();
  script.endReady = AtDepth(3);
  ScriptedDialogue finishing(engine, in);
  finishing.finishesAtEndOfInput = true;
  EXPECT_EQ(finishing.runner.Run(GameAt(kMiddlegame), Limits(kModeThink, 6)), SearchEnd::kWithMove);
  EXPECT_TRUE(finishing.runner.InputEnded());
  EXPECT_EQ(engine.Info().displayDepth, 7);
}

}  // namespace
