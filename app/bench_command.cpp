#include "app/bench_command.h"

#include <iomanip>
#include <ostream>

#include "session/options.h"
#include "session/string_utils.h"

namespace {

// The whole word as a number within [minimum, maximum].
std::optional<int> NumberIn(const std::string& word, int minimum, int maximum) {
  const std::optional<int64_t> value = ReadWholeNumber(word);
  if (!value || *value < minimum || *value > maximum) return std::nullopt;
  return int(*value);
}

// The UCI start of a combo option, as its value.
template <class Value>
Value UciStart(std::string_view name) {
  return Value(*FindOption(name, false)->uciStart);
}

}  // namespace

std::optional<BenchSettings> ReadBenchWords(const std::vector<std::string>& words, std::string& problem) {
  BenchSettings settings;
  settings.style = UciStart<SearchStyle>("Search");
  settings.evaluation = UciStart<EvaluationSet>("Evaluation");
  for (size_t i = 0; i < words.size(); i += 2) {
    const std::string& word = words[i];
    if (i + 1 == words.size()) {
      problem = "\"" + word + "\" needs a value";
      return std::nullopt;
    }
    const std::string& value = words[i + 1];
    std::optional<int> number;
    if (word == "depth" && (number = NumberIn(value, 1, kMaxBenchIterations))) {
      settings.iterations = *number;
    } else if (word == "threads" && (number = NumberIn(value, 1, kMaxSearchThreads))) {
      settings.threads = *number;
    } else if (!ReadBenchChoice(word, value, settings)) {
      problem = "\"" + word + " " + value + "\" is not a bench setting";
      return std::nullopt;
    }
  }
  return settings;
}

int RunBenchCommand(const BenchSettings& settings, std::ostream& out, std::ostream& err) {
  Engine engine(kBenchHashBytes, kBenchPawnHashBytes);
  bool started = false;
  const BenchTotals totals = RunBench(
      engine, settings,
      [&out](const BenchLine& line) {
        out << "position " << line.number << "/" << BenchPositions().size() << ": " << line.nodes << " nodes, move "
            << line.move << std::endl;
      },
      &started);
  if (!started) {
    err << "ravok: cannot start " << settings.threads << " threads\n";
    return 1;
  }
  out << "time " << std::fixed << std::setprecision(2) << totals.seconds << " s\n"
      << totals.nodes << " nodes\n"
      << totals.NodesPerSecond() << " nps" << std::endl;
  return 0;
}
