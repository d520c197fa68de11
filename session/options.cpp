#include "session/options.h"

#include <algorithm>
#include <cctype>

#include "search/strength.h"
#include "session/string_utils.h"

namespace {

constexpr int64_t kMinimumHashMebibytes = 1;
constexpr int64_t kMaximumHashMebibytes = 65536;
constexpr Milliseconds kMaximumMoveOverhead = 5000;

OptionOutcome OutcomeOf(TableChange change) {
  switch (change) {
    case TableChange::kDone: return OptionOutcome::kDone;
    case TableChange::kNoMemory: return OptionOutcome::kNoMemory;
    case TableChange::kSearchRunning: break;
  }
  return OptionOutcome::kSearchRunning;
}

// The table. Hash is both tables together, shared by the engine's one
// rule; its value is the size last asked for, or what the tables held at
// the start. Ponder under xboard is
// "hard"/"easy"; under UCI it only tells that the interface may send
// "go ponder". The console/xboard dialogue keeps its timing as it always
// was: the classic rule, no move overhead.
constexpr OptionEntry kOptions[] = {
    {.name = "Hash",
     .kind = OptionKind::kSpin,
     .minimum = kMinimumHashMebibytes,
     .maximum = kMaximumHashMebibytes,
     .read =
         [](const OptionHost& h) {
           const int64_t asked = h.settings.hashMebibytes;
           return std::clamp<int64_t>(asked != 0 ? asked : int64_t(h.engine.TableBytes() / kMebibyte),
                                      kMinimumHashMebibytes, kMaximumHashMebibytes);
         },
     .write =
         [](OptionHost& h, int64_t mebibytes) {
           const TableChange change = h.engine.ResizeTables(uint64_t(mebibytes) * kMebibyte);
           if (change == TableChange::kDone) h.settings.hashMebibytes = mebibytes;
           return OutcomeOf(change);
         }},
    {.name = "Clear Hash",
     .kind = OptionKind::kButton,
     .read = [](const OptionHost&) { return int64_t(0); },
     .write = [](OptionHost& h, int64_t) { return OutcomeOf(h.engine.ClearTables()); }},
    {.name = "Ponder",
     .kind = OptionKind::kCheck,
     .maximum = 1,
     .consoleStart = 1,
     .uciStart = 0,
     .read = [](const OptionHost& h) { return int64_t(h.settings.ponder); },
     .write =
         [](OptionHost& h, int64_t on) {
           h.settings.ponder = on != 0;
           return OptionOutcome::kDone;
         }},
    {.name = "Move Overhead",
     .kind = OptionKind::kSpin,
     .maximum = kMaximumMoveOverhead,
     .consoleStart = 0,
     .uciStart = 30,
     .read = [](const OptionHost& h) { return int64_t(h.settings.moveOverhead); },
     .write =
         [](OptionHost& h, int64_t milliseconds) {
           h.settings.moveOverhead = milliseconds;
           return OptionOutcome::kDone;
         }},
    {.name = "Time Rule",
     .kind = OptionKind::kCombo,
     .choices = kTimeRuleNames,
     .consoleStart = int64_t(TimeRule::kClassic),
     .uciStart = int64_t(TimeRule::kIncrement),
     .read = [](const OptionHost& h) { return int64_t(h.settings.timeRule); },
     .write =
         [](OptionHost& h, int64_t rule) {
           h.settings.timeRule = TimeRule(rule);
           return OptionOutcome::kDone;
         }},
    {.name = "Search",
     .kind = OptionKind::kCombo,
     .choices = kSearchStyleNames,
     .consoleStart = int64_t(SearchStyle::kClassic),
     .uciStart = int64_t(SearchStyle::kSelective),
     .read = [](const OptionHost& h) { return int64_t(h.settings.search); },
     .write =
         [](OptionHost& h, int64_t style) {
           h.settings.search = SearchStyle(style);
           return OptionOutcome::kDone;
         }},
    {.name = "Evaluation",
     .kind = OptionKind::kCombo,
     .choices = kEvaluationSetNames,
     .consoleStart = int64_t(EvaluationSet::kClassic),
     .uciStart = int64_t(EvaluationSet::kTuned),
     .read = [](const OptionHost& h) { return int64_t(h.settings.evaluation); },
     .write =
         [](OptionHost& h, int64_t set) {
           h.settings.evaluation = EvaluationSet(set);
           return OptionOutcome::kDone;
         }},
    {.name = "Threads",
     .kind = OptionKind::kSpin,
     .minimum = 1,
     .maximum = kMaxSearchThreads,
     .consoleStart = 1,
     .uciStart = 1,
     .read = [](const OptionHost& h) { return int64_t(h.engine.ThreadCount()); },
     .write =
         [](OptionHost& h, int64_t threads) {
           if (h.engine.Searching()) return OptionOutcome::kSearchRunning;
           return h.engine.SetThreadCount(int(threads)) ? OptionOutcome::kDone : OptionOutcome::kNoMemory;
         }},
    {.name = "MultiPV",
     .kind = OptionKind::kSpin,
     .minimum = 1,
     .maximum = kMaxMultiPv,
     .consoleStart = 1,
     .uciStart = 1,
     .read = [](const OptionHost& h) { return int64_t(h.settings.lines); },
     .write =
         [](OptionHost& h, int64_t lines) {
           h.settings.lines = int32_t(lines);
           return OptionOutcome::kDone;
         }},
    {.name = "UCI_Chess960",
     .kind = OptionKind::kCheck,
     .maximum = 1,
     .consoleStart = 0,
     .uciStart = 0,
     .uciOnly = true,
     .read = [](const OptionHost& h) { return int64_t(h.settings.chess960); },
     .write =
         [](OptionHost& h, int64_t on) {
           h.settings.chess960 = on != 0;
           return OptionOutcome::kDone;
         }},
    {.name = "UCI_ShowWDL",
     .kind = OptionKind::kCheck,
     .maximum = 1,
     .consoleStart = 0,
     .uciStart = 0,
     .uciOnly = true,
     .read = [](const OptionHost& h) { return int64_t(h.settings.showWinDrawLoss); },
     .write =
         [](OptionHost& h, int64_t on) {
           h.settings.showWinDrawLoss = on != 0;
           return OptionOutcome::kDone;
         }},
    {.name = "UCI_LimitStrength",
     .kind = OptionKind::kCheck,
     .maximum = 1,
     .consoleStart = 0,
     .uciStart = 0,
     .read = [](const OptionHost& h) { return int64_t(h.settings.limitStrength); },
     .write =
         [](OptionHost& h, int64_t on) {
           h.settings.limitStrength = on != 0;
           return OptionOutcome::kDone;
         }},
    {.name = "UCI_Elo",
     .kind = OptionKind::kSpin,
     .minimum = kWeakestElo,
     .maximum = kStrongestLimitedElo,
     .consoleStart = kStrongestLimitedElo,
     .uciStart = kStrongestLimitedElo,
     .read = [](const OptionHost& h) { return int64_t(h.settings.strengthElo); },
     .write =
         [](OptionHost& h, int64_t elo) {
           h.settings.strengthElo = int32_t(elo);
           return OptionOutcome::kDone;
         }},
};

}  // namespace

std::span<const OptionEntry> Options() { return kOptions; }

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return lowered;
}

const OptionEntry* FindOption(std::string_view name, bool ignoreCase) {
  for (const OptionEntry& option : kOptions)
    if (ignoreCase ? Lowered(name) == Lowered(option.name) : name == option.name) return &option;
  return nullptr;
}

void StartOptions(OptionHost host, Dialogue dialogue) {
  for (const OptionEntry& option : kOptions) {
    const std::optional<int64_t> start = dialogue == Dialogue::kUci ? option.uciStart : option.consoleStart;
    if (start) option.write(host, *start);
  }
}

std::optional<int64_t> SpinValue(const OptionEntry& option, const std::string& text) {
  const std::optional<int64_t> n = ReadWholeNumber(text);
  if (!n || *n < option.minimum || *n > option.maximum) return std::nullopt;
  return n;
}

std::optional<int64_t> ChoiceValue(const OptionEntry& option, std::string_view text, bool ignoreCase) {
  for (size_t i = 0; i < option.choices.size(); ++i)
    if (ignoreCase ? Lowered(text) == Lowered(option.choices[i]) : text == option.choices[i]) return int64_t(i);
  return std::nullopt;
}
