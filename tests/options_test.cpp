// The options table in both protocols' forms: every option announced as
// UCI's "option" line and as xboard's "feature option=" line with the
// values as they stand; each dialogue's starting values; values read in
// each protocol's form and applied, bad values refused with that
// protocol's reason.
#include <gtest/gtest.h>

#include "frontend/xboard_options.h"
#include "session/string_utils.h"
#include "uci/uci_options.h"

namespace {

struct Host {
  Host(Dialogue dialogue) { StartOptions(Get(), dialogue); }
  OptionHost Get() { return OptionHost{engine, settings}; }
  Engine engine{16 * kMebibyte, 8 * kMebibyte};
  SessionSettings settings;
};

TEST(Options, AnnouncedInBothFormsWithTheDialoguesStartingValues) {
  Host uci(Dialogue::kUci), xboard(Dialogue::kConsoleXboard);
  EXPECT_EQ(OptionLines(uci.Get()), (std::vector<std::string>{
                                        "option name Hash type spin default 24 min 1 max 65536",
                                        "option name Clear Hash type button",
                                        "option name Ponder type check default false",
                                        "option name Move Overhead type spin default 30 min 0 max 5000",
                                        "option name Time Rule type combo default increment var classic var increment",
                                        "option name Search type combo default selective var classic var selective",
                                        "option name Evaluation type combo default tuned var classic var tuned",
                                        "option name Threads type spin default 1 min 1 max 256",
                                        "option name MultiPV type spin default 1 min 1 max 256",
                                        "option name UCI_Chess960 type check default false",
                                        "option name UCI_ShowWDL type check default false",
                                        "option name UCI_LimitStrength type check default false",
                                        "option name UCI_Elo type spin default 1970 min 130 max 1970",
                                    }));
  EXPECT_EQ(OptionFeatureLines(xboard.Get()), (std::vector<std::string>{
                                                  "feature option=\"Hash -spin 24 1 65536\"",
                                                  "feature option=\"Clear Hash -button\"",
                                                  "feature option=\"Ponder -check 1\"",
                                                  "feature option=\"Move Overhead -spin 0 0 5000\"",
                                                  "feature option=\"Time Rule -combo *classic /// increment\"",
                                                  "feature option=\"Search -combo *classic /// selective\"",
                                                  "feature option=\"Evaluation -combo *classic /// tuned\"",
                                                  "feature option=\"Threads -spin 1 1 256\"",
                                                  "feature option=\"MultiPV -spin 1 1 256\"",
                                                  "feature option=\"UCI_LimitStrength -check 0\"",
                                                  "feature option=\"UCI_Elo -spin 1970 130 1970\"",
                                              }));
  // The console/xboard dialogue keeps its timing, search and evaluation:
  // the classic rule, search and weights, no overhead; it ponders from the
  // start.
  EXPECT_EQ(xboard.settings.timeRule, TimeRule::kClassic);
  EXPECT_EQ(xboard.settings.search, SearchStyle::kClassic);
  EXPECT_EQ(uci.settings.search, SearchStyle::kSelective);
  EXPECT_EQ(xboard.settings.evaluation, EvaluationSet::kClassic);
  EXPECT_EQ(uci.settings.evaluation, EvaluationSet::kTuned);
  EXPECT_EQ(xboard.settings.moveOverhead, 0);
  EXPECT_TRUE(xboard.settings.ponder);
  EXPECT_EQ(uci.settings.timeRule, TimeRule::kIncrement);
  EXPECT_EQ(uci.settings.moveOverhead, 30);
  EXPECT_FALSE(uci.settings.ponder);
}

// The same change in each protocol's form sets the same value, and the
// announcements show it.
TEST(Options, EveryOptionSetInBothForms) {
  struct Case {
    const char* uci;     // the words after "setoption"
    const char* xboard;  // the words after "option"
    int64_t value;
  };
  const Case cases[] = {
      {"name Hash value 64", "Hash=64", 64},
      {"name clear hash", "Clear Hash", 0},
      {"name Ponder value TRUE", "Ponder=1", 1},
      {"name Ponder value false", "Ponder=0", 0},
      {"name MOVE OVERHEAD value 5000", "Move Overhead=5000", 5000},
      {"name Time Rule value Classic", "Time Rule=classic", 0},
      {"name time rule value increment", "Time Rule=increment", 1},
      {"name search value Classic", "Search=classic", 0},
      {"name Search value selective", "Search=selective", 1},
      {"name evaluation value CLASSIC", "Evaluation=classic", 0},
      {"name Evaluation value tuned", "Evaluation=tuned", 1},
      {"name threads value 4", "Threads=4", 4},
      {"name multipv value 4", "MultiPV=4", 4},
      {"name uci_limitstrength value true", "UCI_LimitStrength=1", 1},
      {"name UCI_Elo value 1500", "UCI_Elo=1500", 1500},
  };
  for (const Case& c : cases) {
    const OptionSetting uci = ReadSetOption(Tokenize(std::string("setoption ") + c.uci));
    const OptionSetting xboard = ReadOptionCommand(Tokenize(std::string("option ") + c.xboard));
    ASSERT_TRUE(uci.option) << c.uci << ": " << uci.problem;
    ASSERT_TRUE(xboard.option) << c.xboard << ": " << xboard.problem;
    EXPECT_EQ(uci.option, xboard.option) << c.uci;
    EXPECT_EQ(uci.value, c.value) << c.uci;
    EXPECT_EQ(xboard.value, c.value) << c.xboard;
  }
  Host host(Dialogue::kUci);
  OptionHost target = host.Get();
  for (const char* words :
       {"Hash=64", "Ponder=1", "Move Overhead=120", "Time Rule=classic", "Search=classic", "Evaluation=classic"}) {
    const OptionSetting setting = ReadOptionCommand(Tokenize(std::string("option ") + words));
    EXPECT_EQ(setting.option->write(target, setting.value), OptionOutcome::kDone) << words;
  }
  EXPECT_EQ(host.engine.TableBytes(), 64 * kMebibyte - 16 * kMebibyte);  // 32 + 16
  EXPECT_EQ(OptionLines(target)[0], "option name Hash type spin default 64 min 1 max 65536");
  EXPECT_EQ(OptionFeatureLines(target)[2], "feature option=\"Ponder -check 1\"");
  EXPECT_EQ(OptionFeatureLines(target)[3], "feature option=\"Move Overhead -spin 120 0 5000\"");
  EXPECT_EQ(OptionLines(target)[4], "option name Time Rule type combo default classic var classic var increment");
  EXPECT_EQ(OptionLines(target)[5], "option name Search type combo default classic var classic var selective");
  EXPECT_EQ(OptionLines(target)[6], "option name Evaluation type combo default classic var classic var tuned");
}

TEST(Options, BadValuesRefusedInEachProtocolsForm) {
  struct Refusal {
    bool uci;  // the words of a "setoption"; otherwise of xboard's "option"
    const char* line;
    const char* problem;
  };
  const Refusal refusals[] = {
      {true, "setoption name Hash value 65537", "option Hash: value 65537 is not a whole number from 1 to 65536"},
      {true, "setoption name Hash value -1", "option Hash: value -1 is not a whole number from 1 to 65536"},
      {true, "setoption name Hash value 1 2", "option Hash: value 1 2 is not a whole number from 1 to 65536"},
      {true, "setoption name Move Overhead", "option Move Overhead needs a value"},
      {true, "setoption name Ponder value 1", "option Ponder: value 1 is neither true nor false"},
      {true, "setoption name Time Rule value fast", "option Time Rule: value fast is neither classic nor increment"},
      {true, "setoption name Clear", "no option named Clear"},
      {true, "setoption name", "setoption needs: setoption name <name> [value <value>]"},
      {false, "option Hash=0", "invalid command"},
      {false, "option Hash=65537", "invalid command"},
      {false, "option Hash", "invalid command"},
      {false, "option Ponder=true", "invalid command"},
      {false, "option Time Rule=Classic", "invalid command"},
      {false, "option Move Overhead=-1", "invalid command"},
      {false, "option UCI_Elo=129", "invalid command"},
      {false, "option Threads=0", "invalid command"},
      {true, "setoption name Threads value 257", "option Threads: value 257 is not a whole number from 1 to 256"},
      {true, "setoption name UCI_Elo value 1971", "option UCI_Elo: value 1971 is not a whole number from 130 to 1970"},
      {false, "option hash=16", "unknown option"},
      {false, "option Hurry=1", "unknown option"},
      {false, "option", "unknown option"},
  };
  for (const Refusal& r : refusals) {
    const std::vector<std::string> words = Tokenize(r.line);
    const OptionSetting setting = r.uci ? ReadSetOption(words) : ReadOptionCommand(words);
    EXPECT_FALSE(setting.option) << r.line;
    EXPECT_EQ(setting.problem, r.problem) << r.line;
  }
}

}  // namespace
