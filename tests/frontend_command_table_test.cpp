// The command table at work: what each command does while the dialogue is
// idle, thinking, pondering and analysing, on the console and under xboard
// (the replies differ, the effects do not); and the table's machinery: a
// command goes to the dialogues that take it, in the state it arrives in.
#include <gtest/gtest.h>

#include "frontend/commands.h"
#include "frontend_session_support.h"

namespace {

using namespace session_test;

// Commands by the dialogue's state.

enum class State { kIdle, kThinking, kPondering, kAnalysing };

// When the line after the command is handed out: at once, or once the
// session is idle, or once an analysis runs.
enum class Probe { kAtOnce, kWhenIdle, kWhenAnalysing };

struct CommandCase {
  State state;
  const char* command;
  const char* reply;        // a line of the console's answer; "" for none
  const char* xboardReply;  // the same under xboard
  Probe probe;
  int searchesStarted;                             // from the command to the probe
  bool searchEnded;                                // the command ended the running search
  std::function<bool(const Session&)> check = {};  // when the probe is handed out
};

const char* Name(State state) {
  static const char* const names[] = {"idle", "thinking", "pondering", "analysing"};
  return names[int(state)];
}

// The console game after 1. e2e4 and the engine's answer, or while the engine
// thinks on its answer; pondering on it, or analysing the game.
void SetUpState(Session& s, State state) {
  s.Send("easy");
  s.Send(state == State::kThinking ? "sd 4" : "sd 3");
  if (state == State::kPondering) {
    s.Send("hard");
    s.Send("e2e4");
    s.Send("easy", s.While(kModePonder));
  } else {
    s.Send("e2e4");
  }
  if (state == State::kAnalysing) s.Send("analyze", s.Idle());
}

std::function<bool()> ReadyIn(const Session& s, State state) {
  switch (state) {
    case State::kThinking: return s.While(kModeThink);
    case State::kPondering: return s.While(kModePonder);
    case State::kAnalysing: return s.While(kModeAnalyze);
    default: return s.Idle();
  }
}

size_t MovesOf(const Session& s) { return s.comm.session().game().moves.size(); }

TEST(CommandTable, EachCommandByStateAndDialogue) {
  using S = State;
  using P = Probe;
  const std::vector<CommandCase> cases = {
      // "?" moves now only while thinking.
      {S::kIdle, "?", "Error (command not legal now): ?", "Error (command not legal now): ?", P::kAtOnce, 0, false},
      {S::kThinking, "?", "Ravok played: ", "move ", P::kWhenIdle, 0, true, [](auto& s) { return MovesOf(s) == 2; }},
      {S::kPondering, "?", "Error (command not legal now): ?", "Error (command not legal now): ?", P::kAtOnce, 0,
       false},
      {S::kAnalysing, "?", "Error (command not legal now): ?", "Error (command not legal now): ?", P::kAtOnce, 0,
       false},
      // "draw" is an offer while the engine plays, refused during analysis.
      {S::kIdle, "draw", "Guest has offered a draw", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.comm.session().DrawOffered(kWhite); }},
      {S::kThinking, "draw", "Guest has offered a draw", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.comm.session().DrawOffered(kWhite); }},
      {S::kPondering, "draw", "Guest has offered a draw", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.comm.session().DrawOffered(kWhite); }},
      {S::kAnalysing, "draw", "Error (command not legal now): draw", "Error (command not legal now): draw", P::kAtOnce,
       0, false,
       [](auto& s) { return !s.comm.session().DrawOffered(kWhite) && !s.comm.session().DrawOffered(kBlack); }},
      // "new" ends any search; an analysis goes on from the new game.
      {S::kThinking, "new", "", "", P::kWhenIdle, 0, true,
       [](auto& s) {
         return MovesOf(s) == 0 && s.comm.session().EnginePlays(kBlack) && s.comm.session().settings().depth == 0;
       }},
      {S::kPondering, "new", "", "", P::kWhenIdle, 0, true, [](auto& s) { return MovesOf(s) == 0; }},
      {S::kAnalysing, "new", "", "", P::kWhenAnalysing, 1, true, [](auto& s) { return MovesOf(s) == 0; }},
      // "go": the engine takes the side to move; an analysis restarts.
      {S::kIdle, "go", "Ravok played: ", "move ", P::kWhenIdle, 1, false,
       [](auto& s) {
         return MovesOf(s) == 3 && s.comm.session().EnginePlays(kWhite) && !s.comm.session().EnginePlays(kBlack);
       }},
      {S::kThinking, "go", "Error (command not legal now): go", "Error (command not legal now): go", P::kAtOnce, 0,
       false},
      {S::kPondering, "go", "Ravok played: ", "move ", P::kWhenIdle, 1, true,
       [](auto& s) { return MovesOf(s) == 3 && s.comm.session().EnginePlays(kWhite); }},
      {S::kAnalysing, "go", "restarting analyze", "", P::kWhenAnalysing, 1, true},
      // "analyze" starts an analysis unless one runs or the engine thinks.
      {S::kIdle, "analyze", "", "", P::kWhenAnalysing, 1, false},
      {S::kThinking, "analyze", "Error (command not legal now): analyze", "Error (command not legal now): analyze",
       P::kAtOnce, 0, false},
      {S::kPondering, "analyze", "", "", P::kWhenAnalysing, 1, true, [](auto& s) { return MovesOf(s) == 2; }},
      {S::kAnalysing, "analyze", "Error (command not legal now): analyze", "Error (command not legal now): analyze",
       P::kAtOnce, 0, false},
      // "force" and "exit".
      {S::kThinking, "force", "", "", P::kWhenIdle, 0, true,
       [](auto& s) {
         return MovesOf(s) == 1 && !s.comm.session().EnginePlays(kWhite) && !s.comm.session().EnginePlays(kBlack);
       }},
      {S::kPondering, "force", "", "", P::kWhenIdle, 0, true,
       [](auto& s) {
         return MovesOf(s) == 2 && !s.comm.session().EnginePlays(kWhite) && !s.comm.session().EnginePlays(kBlack);
       }},
      {S::kAnalysing, "exit", "", "", P::kWhenIdle, 0, true, [](auto& s) { return !s.comm.AnalyzeMode(); }},
      // Taking back.
      {S::kThinking, "undo", "", "", P::kWhenIdle, 0, true,
       [](auto& s) { return MovesOf(s) == 0 && s.comm.session().EnginePlays(kBlack); }},
      {S::kAnalysing, "undo", "", "", P::kWhenAnalysing, 1, true, [](auto& s) { return MovesOf(s) == 1; }},
      {S::kThinking, "remove", "Error (command not legal now): remove", "Error (command not legal now): remove",
       P::kAtOnce, 0, false},
      {S::kPondering, "remove", "", "", P::kWhenIdle, 0, true, [](auto& s) { return MovesOf(s) == 0; }},
      // Moves: not the opponent's turn while the engine thinks; played on
      // an analysed game, which is analysed on.
      {S::kThinking, "e7e5", "not your turn, Guest", "", P::kAtOnce, 0, false, [](auto& s) { return MovesOf(s) == 1; }},
      {S::kAnalysing, "d2d4", "", "", P::kWhenAnalysing, 1, true, [](auto& s) { return MovesOf(s) == 3; }},
      // Settings and queries.
      {S::kIdle, ".", "Error (command not legal now): .", "Error (command not legal now): .", P::kAtOnce, 0, false},
      {S::kThinking, ".", "stat01: ", "stat01: ", P::kAtOnce, 0, false},
      {S::kThinking, "level 40 5 0", "Error (command not legal now): level 40 5 0",
       "Error (command not legal now): level 40 5 0", P::kAtOnce, 0, false,
       [](auto& s) { return !s.comm.session().ClockMode(); }},
      {S::kAnalysing, "level 40 5 0", "", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.comm.session().ClockMode(); }},
      {S::kThinking, "edit", "Error (command not legal now): edit", "Error (command not legal now): edit", P::kAtOnce,
       0, false},
      {S::kThinking, "playother", "Error (command not legal now): playother",
       "Error (command not legal now): playother", P::kAtOnce, 0, false},
      {S::kPondering, "playother", "", "", P::kAtOnce, 0, false},
      // "ping" is answered after the engine's move while it thinks.
      {S::kThinking, "ping 7", "Ravok played: ", "move ", P::kWhenIdle, 0, false,
       [](auto& s) {
         const std::string out = s.Output();
         const size_t pong = out.find("pong 7\n");
         const char* move = s.comm.dialect().Xboard() ? "\nmove " : "Ravok played: ";
         return pong != std::string::npos && pong > out.find(move);
       }},
      {S::kPondering, "ping 7", "pong 7", "pong 7", P::kAtOnce, 0, false},
      // Options: the tables change while idle; during a search the change
      // waits for its end, and an analysis restarts for it.
      {S::kIdle, "option Hash=2", "", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.engine.TableBytes() == 1536 * 1024; }},
      {S::kThinking, "option Hash=2", "", "", P::kAtOnce, 0, false,
       [](auto& s) { return s.engine.TableBytes() == 1280 * 1024; }},
      {S::kAnalysing, "option Hash=2", "", "", P::kWhenAnalysing, 1, true,
       [](auto& s) { return s.engine.TableBytes() == 1536 * 1024; }},
      {S::kPondering, "option Ponder=0", "", "", P::kAtOnce, 0, false,
       [](auto& s) { return !s.comm.session().settings().ponder; }},
      {S::kThinking, "option Hash=0", "Error (invalid command): option Hash=0",
       "Error (invalid command): option Hash=0", P::kAtOnce, 0, false},
      {S::kThinking, "result 1-0 {adjudicated}", "", "", P::kWhenIdle, 0, true,
       [](auto& s) { return s.comm.session().game().currentPosition.result == kWhiteWins && MovesOf(s) == 1; }},
  };
  for (const bool xboard : {false, true}) {
    for (const CommandCase& c : cases) {
      SCOPED_TRACE(std::string(xboard ? "xboard, " : "console, ") + Name(c.state) + ": " + c.command);
      Session s(xboard);
      SetUpState(s, c.state);
      size_t commandAt = 0;
      int searchingBefore = 0, modeBefore = 0;
      s.Send(c.command, ReadyIn(s, c.state), [&] {
        commandAt = s.Output().size();
        searchingBefore = s.engine.Info().searching;
        modeBefore = s.comm.Status().parameters.mode;
      });
      std::string answer;
      int searchingAfter = -1, modeAfter = -1;
      bool checked = true;
      const std::function<bool()> probeReady = c.probe == P::kAtOnce     ? Session::AtOnce()
                                               : c.probe == P::kWhenIdle ? s.Idle()
                                                                         : s.While(kModeAnalyze);
      s.Send("post", probeReady, [&] {
        answer = s.Output().substr(commandAt);
        searchingAfter = s.engine.Info().searching;
        modeAfter = s.comm.Status().parameters.mode;
        if (c.check) checked = c.check(s);
      });
      s.Run();
      EXPECT_EQ(searchingBefore, c.state != S::kIdle);
      if (searchingAfter == -1) {
        ADD_FAILURE() << "the probe was never read";
        continue;
      }
      if (c.probe == P::kAtOnce) {
        EXPECT_EQ(searchingAfter, searchingBefore);
        EXPECT_EQ(modeAfter, modeBefore);
      }
      // The console shows each search's start and an ended search; under
      // xboard the state the probe waits for and the reply show them.
      if (!xboard) {
        EXPECT_EQ(SearchesStarted(answer), c.searchesStarted) << answer;
        EXPECT_EQ(Count(answer, "search aborted\n"), c.searchEnded ? 1 : 0) << answer;
      }
      const char* reply = xboard ? c.xboardReply : c.reply;
      if (*reply) {
        EXPECT_NE(answer.find(reply), std::string::npos) << answer;
      } else if (xboard) {
        EXPECT_EQ(answer.find_first_not_of("0123456789 -abcdefghnqrk\n"), std::string::npos) << answer;
      }
      EXPECT_TRUE(checked) << s.Output();
      EXPECT_EQ(GameRecordFault(s.comm.session().game()), "");
    }
  }
}

// The machinery over a toy context: the state picks the action, a search
// without an action of its own runs the idle one, the first entry of a word
// is the one that runs, and a word no entry takes (or words its action
// cannot use) is left to the dialogue.
struct Toy {
  std::string done;
};

constexpr Command<Toy> kToyCommands[] = {
    {"stop", [](Toy& t, const WordList&) { return t.done = "stop idle", true; },
     [](Toy& t, const WordList&) { return t.done = "stop searching", true; }},
    {"stop", [](Toy& t, const WordList&) { return t.done = "second stop", true; }},
    {"sd", [](Toy& t, const WordList& w) { return w.size() == 2 && (t.done = "sd " + w[1], true); }},
};

TEST(CommandTable, MachineryPicksTheActionByState) {
  const std::span<const Command<Toy>> table = kToyCommands;
  Toy toy;
  EXPECT_TRUE(RunCommand(table, toy, {"stop"}, CommandState::kSearching));
  EXPECT_EQ(toy.done, "stop searching");
  EXPECT_TRUE(RunCommand(table, toy, {"stop"}, CommandState::kIdle));
  EXPECT_EQ(toy.done, "stop idle");
  EXPECT_TRUE(RunCommand(table, toy, {"sd", "4"}, CommandState::kSearching));
  EXPECT_EQ(toy.done, "sd 4");
  toy.done.clear();
  EXPECT_FALSE(RunCommand(table, toy, {"sd"}, CommandState::kIdle));  // unusable words
  EXPECT_FALSE(RunCommand(table, toy, {"hint"}, CommandState::kIdle));
  EXPECT_FALSE(RunCommand(table, toy, {}, CommandState::kIdle));
  EXPECT_EQ(toy.done, "");
}

// Every command word of the dialogue is known, and nothing else is: the
// difference between "invalid command" and "unknown command" under
// protocol version 2.
TEST(CommandTable, KnownWordsAreTheTablesWords) {
  for (const DialogueCommand& command : DialogueCommands())
    EXPECT_TRUE(IsKnownCommandWord(std::string(command.word))) << command.word;
  for (const char* word : {"hint", "bk", "SD", "e2e4", "hash", "stop", "uci", ""})
    EXPECT_FALSE(IsKnownCommandWord(word)) << word;
}

}  // namespace
