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
                                    }));
  EXPECT_EQ(OptionFeatureLines(xboard.Get()), (std::vector<std::string>{
                                                  "feature option=\"Hash -spin 24 1 65536\"",
                                                  "feature option=\"Clear Hash -button\"",
                                                  "feature option=\"Ponder -check 1\"",
                                                  "feature option=\"Move Overhead -spin 0 0 5000\"",
                                                  "feature option=\"Time Rule -combo *classic /// increment\"",
                                              }));
  // The console/xboard dialogue keeps its timing: the classic rule, no
  // overhead; it ponders from the start.
  EXPECT_EQ(xboard.settings.timeRule, TimeRule::kClassic);
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
  };
  for (const Case& c : cases) {
    const OptionChange uci = ReadSetOption(Tokenize(std::string("setoption ") + c.uci));
    const XboardOptionSetting xboard = ReadOptionCommand(Tokenize(std::string("option ") + c.xboard));
    ASSERT_TRUE(uci.option) << c.uci << ": " << uci.problem;
    ASSERT_TRUE(xboard.option) << c.xboard << ": " << xboard.refusal;
    EXPECT_EQ(uci.option, xboard.option) << c.uci;
    EXPECT_EQ(uci.value, c.value) << c.uci;
    EXPECT_EQ(xboard.value, c.value) << c.xboard;
  }
  Host host(Dialogue::kUci);
  OptionHost target = host.Get();
  for (const char* words : {"Hash=64", "Ponder=1", "Move Overhead=120", "Time Rule=classic"}) {
    const XboardOptionSetting setting = ReadOptionCommand(Tokenize(std::string("option ") + words));
    EXPECT_EQ(setting.option->write(target, setting.value), OptionOutcome::kDone) << words;
  }
  EXPECT_EQ(host.engine.TableBytes(), 64 * kMebibyte - 16 * kMebibyte);  // 32 + 16
  EXPECT_EQ(OptionLines(target)[0], "option name Hash type spin default 64 min 1 max 65536");
  EXPECT_EQ(OptionFeatureLines(target)[2], "feature option=\"Ponder -check 1\"");
  EXPECT_EQ(OptionFeatureLines(target)[3], "feature option=\"Move Overhead -spin 120 0 5000\"");
  EXPECT_EQ(OptionLines(target)[4], "option name Time Rule type combo default classic var classic var increment");
}

TEST(Options, BadValuesRefusedInEachProtocolsForm) {
  const std::pair<const char*, const char*> uciRefusals[] = {
      {"setoption name Hash value 65537", "option Hash: value 65537 is not a whole number from 1 to 65536"},
      {"setoption name Hash value -1", "option Hash: value -1 is not a whole number from 1 to 65536"},
      {"setoption name Hash value 1 2", "option Hash: value 1 2 is not a whole number from 1 to 65536"},
      {"setoption name Move Overhead", "option Move Overhead needs a value"},
      {"setoption name Ponder value 1", "option Ponder: value 1 is neither true nor false"},
      {"setoption name Time Rule value fast", "option Time Rule: value fast is neither classic nor increment"},
      {"setoption name Clear", "no option named Clear"},
      {"setoption name", "setoption needs: setoption name <name> [value <value>]"},
  };
  for (const auto& [line, problem] : uciRefusals) {
    const OptionChange change = ReadSetOption(Tokenize(line));
    EXPECT_FALSE(change.option) << line;
    EXPECT_EQ(change.problem, problem) << line;
  }
  const std::pair<const char*, const char*> xboardRefusals[] = {
      {"option Hash=0", "invalid command"},
      {"option Hash=65537", "invalid command"},
      {"option Hash", "invalid command"},
      {"option Ponder=true", "invalid command"},
      {"option Time Rule=Classic", "invalid command"},
      {"option Move Overhead=-1", "invalid command"},
      {"option hash=16", "unknown option"},
      {"option Hurry=1", "unknown option"},
      {"option", "unknown option"},
  };
  for (const auto& [line, refusal] : xboardRefusals) {
    const XboardOptionSetting setting = ReadOptionCommand(Tokenize(line));
    EXPECT_FALSE(setting.option) << line;
    EXPECT_EQ(setting.refusal, refusal) << line;
  }
}

}  // namespace
