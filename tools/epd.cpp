// epd FILE [--depth N | --time MS] [--search classic|selective]
// [--evaluation classic|tuned]: runs a test suite of EPD lines
//   FEN(4 fields) bm MOVE [MOVE...]; am MOVE [MOVE...]; id "NAME";
// searching each position from a fresh state to N iterations (default 8) or
// for MS milliseconds. Moves are in standard algebraic notation ("Nf3",
// "Qxd5+", "O-O") or coordinates ("g1f3"). A position is solved when the
// final move is one of the "bm" moves and none of the "am" moves. Prints per
// position the id, the engine's move, solved or missed, and when the
// solution was first found and then kept; then "solved S/T". Exit status 1
// when a line could not be read.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "board/fen.h"
#include "board/moves.h"
#include "board/san.h"
#include "search/engine.h"

namespace {

using Clock = std::chrono::steady_clock;

struct EpdRecord {
  std::string fen;
  std::string id;
  std::vector<std::string> best;   // "bm" operands as written
  std::vector<std::string> avoid;  // "am" operands as written
};

struct Limits {
  int depth = 8;      // iterations, when no time is given
  int timeMs = 0;     // 0 = search by depth
  SearchStyle style = SearchStyle::kClassic;
  EvaluationSet evaluation = EvaluationSet::kClassic;
};

// A time limit is the hard limit of the search, to the millisecond.
SearchParameters SearchLimits(const Limits& limits) {
  SearchParameters parameters{kModeThink, limits.depth, 0, 0};
  if (limits.timeMs > 0) parameters = SearchParameters{kModeThink, 0, limits.timeMs, 0};
  parameters.style = limits.style;
  parameters.evaluation = limits.evaluation;
  return parameters;
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Splits the operations after the four FEN fields at semicolons outside quotes.
std::vector<std::string> Operations(const std::string& text) {
  std::vector<std::string> operations(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted)
      operations.emplace_back();
    else
      operations.back() += c;
  }
  return operations;
}

std::optional<EpdRecord> ParseRecord(const std::string& line, std::string& error) {
  std::istringstream in(line);
  std::string fields[4];
  for (std::string& field : fields) in >> field;
  if (fields[3].empty()) {
    error = "fewer than four FEN fields";
    return std::nullopt;
  }
  EpdRecord record;
  record.fen = fields[0] + ' ' + fields[1] + ' ' + fields[2] + ' ' + fields[3];
  std::string rest;
  std::getline(in, rest);
  for (const std::string& operation : Operations(rest)) {
    std::vector<std::string> words = Words(operation);
    if (words.empty()) continue;
    const std::string opcode = words[0];
    words.erase(words.begin());
    if (opcode == "bm") record.best = words;
    if (opcode == "am") record.avoid = words;
    if (opcode == "id") {
      const size_t open = operation.find('"'), close = operation.rfind('"');
      record.id = open < close ? operation.substr(open + 1, close - open - 1) : (words.empty() ? "" : words[0]);
    }
  }
  if (record.best.empty() && record.avoid.empty()) {
    error = "no bm or am operation";
    return std::nullopt;
  }
  return record;
}

// The moves named by `texts` in `position`: coordinates ("g1f3") or
// standard notation ("Nf3", "O-O", "e8=Q").
std::optional<std::vector<Move>> ReadMoves(const std::vector<std::string>& texts,
                                           const GamePosition& position, std::string& error) {
  std::vector<Move> moves;
  for (const std::string& text : texts) {
    try {
      moves.push_back(ParseMove(position, text));
      continue;
    } catch (const GameError&) {
    }
    try {
      moves.push_back(ParseSanMove(position, text));
    } catch (const GameError&) {
      error = "no legal move, or more than one, reads \"" + text + "\"";
      return std::nullopt;
    }
  }
  return moves;
}

bool Contains(const std::vector<Move>& moves, Move move) {
  for (Move m : moves)
    if (MoveLow21(m) == MoveLow21(move)) return true;
  return false;
}

// Follows the search's best line as it changes: the first move of every
// new best line, and when the run of solutions that the search ends with
// began.
class SolutionWatch : public SearchListener {
 public:
  SolutionWatch(std::vector<Move> best, std::vector<Move> avoid)
      : best_(std::move(best)), avoid_(std::move(avoid)), start_(Clock::now()) {}

  bool IsSolution(Move move) const { return (best_.empty() || Contains(best_, move)) && !Contains(avoid_, move); }
  void Observe(Move move, int depth) {
    if (!IsSolution(move)) {
      keptSinceMs.reset();
    } else if (!keptSinceMs) {
      keptSinceMs = ElapsedMs();
      keptSinceDepth = depth;
    }
  }
  void OnSearchEvent(SearchEvent event, const SearchInfo& info) override {
    if (event == SearchEvent::kNewBestLine && !info.pvMoves.empty()) Observe(info.pvMoves[0], info.displayDepth);
  }
  double ElapsedMs() const { return std::chrono::duration<double, std::milli>(Clock::now() - start_).count(); }

  std::optional<double> keptSinceMs;  // when the current run of solutions began
  int keptSinceDepth = 0;

 private:
  std::vector<Move> best_, avoid_;
  Clock::time_point start_;
};

// Texts separated by spaces. (Appending piece by piece: GCC 12 wrongly
// warns about a prefix string added in front of a temporary.)
std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    if (!joined.empty()) joined += ' ';
    joined += text;
  }
  return joined;
}

std::string CoordinatesOf(const std::vector<Move>& moves) {
  std::vector<std::string> texts;
  for (Move move : moves) texts.push_back(CoordinateMoveText(move));
  return Joined(texts);
}

// Searches one record; returns whether it was solved, or nullopt when the
// record could not be read.
std::optional<bool> RunRecord(Engine& engine, const EpdRecord& record, const Limits& limits, std::string& error) {
  GamePosition position;
  try {
    position = ParseFen(record.fen);
  } catch (const GameError& e) {
    error = e.message();
    return std::nullopt;
  }
  const auto best = ReadMoves(record.best, position, error);
  const auto avoid = best ? ReadMoves(record.avoid, position, error) : std::nullopt;
  if (!best || !avoid) return std::nullopt;

  engine.NewGame();
  engine.LoadPosition(position);
  SolutionWatch watch(*best, *avoid);
  engine.Think(SearchLimits(limits), watch);
  const double totalMs = watch.ElapsedMs();
  const SearchInfo& info = engine.Info();
  const Move played = info.pvMoves.empty() ? 0 : info.pvMoves[0];
  if (played != 0) watch.Observe(played, info.displayDepth);
  const bool solved = played != 0 && watch.IsSolution(played);

  std::string found;
  if (solved && watch.keptSinceMs) {
    found += "found at ";
    found += std::to_string(long(*watch.keptSinceMs));
    found += " ms, depth ";
    found += std::to_string(watch.keptSinceDepth);
  }
  std::vector<std::string> wanted;
  if (!record.best.empty()) wanted.push_back("bm " + Joined(record.best) + " (" + CoordinatesOf(*best) + ");");
  if (!record.avoid.empty()) wanted.push_back("am " + Joined(record.avoid) + " (" + CoordinatesOf(*avoid) + ");");
  std::printf("%-12s %-6s %-7s %-28s total %6ld ms   %s\n", record.id.c_str(),
              played != 0 ? CoordinateMoveText(played).c_str() : "-", solved ? "solved" : "missed", found.c_str(),
              long(totalMs), Joined(wanted).c_str());
  std::fflush(stdout);
  return solved;
}

bool ReadLimits(int argc, char** argv, Limits& limits) {
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc) return false;
    if (std::strcmp(argv[i], "--search") == 0) {
      if (std::strcmp(argv[i + 1], "selective") != 0 && std::strcmp(argv[i + 1], "classic") != 0) return false;
      limits.style = std::strcmp(argv[i + 1], "selective") == 0 ? SearchStyle::kSelective : SearchStyle::kClassic;
      continue;
    }
    if (std::strcmp(argv[i], "--evaluation") == 0) {
      if (std::strcmp(argv[i + 1], "tuned") != 0 && std::strcmp(argv[i + 1], "classic") != 0) return false;
      limits.evaluation = std::strcmp(argv[i + 1], "tuned") == 0 ? EvaluationSet::kTuned : EvaluationSet::kClassic;
      continue;
    }
    const int value = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--depth") == 0 && value >= 1 && value <= 38)
      limits.depth = value;
    else if (std::strcmp(argv[i], "--time") == 0 && value >= 1)
      limits.timeMs = value;
    else
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Limits limits;
  if (argc < 2 || !ReadLimits(argc, argv, limits)) {
    std::fprintf(stderr,
                 "usage: epd FILE [--depth N (1..38) | --time MS] [--search classic|selective]"
                 " [--evaluation classic|tuned]\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "epd: cannot open %s\n", argv[1]);
    return 2;
  }
  InitEngineTables();
  Engine engine(kDefaultHashBytes, kDefaultPawnHashBytes);

  int solved = 0, total = 0, unreadable = 0, lineNumber = 0;
  for (std::string line; std::getline(file, line);) {
    ++lineNumber;
    if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') continue;
    ++total;
    std::string error;
    std::optional<EpdRecord> record = ParseRecord(line, error);
    std::optional<bool> result;
    if (record) {
      if (record->id.empty()) record->id = "line " + std::to_string(lineNumber);
      result = RunRecord(engine, *record, limits, error);
    }
    if (!result) {
      ++unreadable;
      std::printf("%-12s error: %s\n", record ? record->id.c_str() : ("line " + std::to_string(lineNumber)).c_str(),
                  error.c_str());
    } else if (*result) {
      ++solved;
    }
  }
  std::printf("solved %d/%d\n", solved, total);
  return unreadable > 0 ? 1 : 0;
}
