#include "uci/go_command.h"

#include <algorithm>
#include <cstdint>

#include "base/types.h"
#include "session/string_utils.h"

namespace {

using WordList = std::vector<std::string>;

constexpr const char* kGoKeywords[] = {"searchmoves", "ponder", "wtime", "btime", "winc",     "binc",
                                       "movestogo",   "depth",  "nodes", "mate",  "movetime", "infinite"};

// Mates longer than any search reaches: "mate N" beyond it asks for any mate.
constexpr int64_t kMaxMateMoves = 1000;

bool IsGoKeyword(const std::string& word) {
  return std::find(std::begin(kGoKeywords), std::end(kGoKeywords), word) != std::end(kGoKeywords);
}

// Reads the go's words one keyword at a time; each reader takes the
// keyword's number, if it has one, and records what it could not use.
class GoReader {
 public:
  explicit GoReader(const WordList& words) : words_(words) {}

  GoCommand Read() {
    for (i_ = 1; i_ < words_.size(); ++i_) ReadKeyword(words_[i_]);
    return go_;
  }

 private:
  void ReadKeyword(const std::string& keyword) {
    if (keyword == "wtime" || keyword == "btime") {
      go_.time[keyword == "wtime" ? kWhite : kBlack] = Cautious(keyword, 0, 0);
    } else if (keyword == "winc" || keyword == "binc") {
      go_.increment[keyword == "winc" ? kWhite : kBlack] = Cautious(keyword, 0, 0);
    } else if (keyword == "movestogo") {
      // Without a usable count the clock is shared as over a whole game,
      // the most cautious reading.
      if (const auto n = AtLeast(keyword, 1)) go_.movesToGo = int32_t(std::min<int64_t>(*n, INT32_MAX));
    } else if (keyword == "movetime") {
      go_.moveTime = Cautious(keyword, 0, 0);
    } else if (keyword == "depth") {
      go_.depth = DepthOf(keyword, Cautious(keyword, 1, 1));
    } else if (keyword == "nodes") {
      go_.nodes = uint64_t(Cautious(keyword, 1, 1));
    } else if (keyword == "infinite") {
      go_.infinite = true;
    } else if (keyword == "ponder") {
      go_.ponder = true;
    } else if (keyword == "mate") {
      ReadMate();
    } else if (keyword == "searchmoves") {
      while (i_ + 1 < words_.size() && !IsGoKeyword(words_[i_ + 1])) go_.searchMoves.push_back(words_[++i_]);
      if (go_.searchMoves.empty()) go_.problems.push_back("searchmoves needs moves");
    } else {
      go_.problems.push_back("unknown word " + keyword + " skipped");
    }
  }

  // The number after the keyword at i_, which then moves past it. A
  // following keyword is not taken as the number.
  std::optional<int64_t> Number(const std::string& keyword) {
    if (i_ + 1 >= words_.size() || IsGoKeyword(words_[i_ + 1])) {
      go_.problems.push_back(keyword + " needs a number");
      return std::nullopt;
    }
    const std::string& text = words_[++i_];
    const auto n = ReadWholeNumber(text);
    if (!n) go_.problems.push_back(keyword + " " + text + " is not a number");
    return n;
  }

  // The number if it is at least `minimum`; otherwise nothing, noted.
  std::optional<int64_t> AtLeast(const std::string& keyword, int64_t minimum) {
    const auto n = Number(keyword);
    if (!n || *n >= minimum) return n;
    go_.problems.push_back(keyword + " " + std::to_string(*n) + " ignored: it must be at least " +
                           std::to_string(minimum));
    return std::nullopt;
  }

  // A limit's number, at least `minimum`. A number that is missing,
  // unreadable or too small is read as `cautious`, the value that ends the
  // search soonest (an empty clock, one iteration, one node), and named,
  // so that a garbled limit never leaves the interface waiting for a move.
  int64_t Cautious(const std::string& keyword, int64_t minimum, int64_t cautious) {
    const bool given = i_ + 1 < words_.size() && !IsGoKeyword(words_[i_ + 1]);
    const std::string text = given ? words_[i_ + 1] : "";
    const auto n = given ? ReadWholeNumber(words_[++i_]) : std::nullopt;
    if (n && *n >= minimum) return *n;
    const std::string value = std::to_string(cautious);
    if (!given)
      go_.problems.push_back(keyword + " needs a number: read as " + value);
    else if (!n)
      go_.problems.push_back(keyword + " " + text + " is not a number: read as " + value);
    else
      go_.problems.push_back(keyword + " " + text + " read as " + value);
    return cautious;
  }

  int32_t DepthOf(const std::string& keyword, int64_t n) {
    if (n <= kMaxDepthSetting) return int32_t(n);
    go_.problems.push_back(keyword + " " + std::to_string(n) + " cut to " + std::to_string(kMaxDepthSetting));
    return kMaxDepthSetting;
  }

  // "mate N": the search ends once it finds a mate in N moves or fewer.
  void ReadMate() {
    const int64_t moves = Cautious("mate", 1, 1);
    go_.mateMoves = int32_t(std::min<int64_t>(moves, kMaxMateMoves));
  }

  const WordList& words_;
  size_t i_ = 1;
  GoCommand go_;
};

}  // namespace

GoCommand ReadGoCommand(const WordList& words) { return GoReader(words).Read(); }

bool HasOwnLimit(const GoCommand& go, int side) {
  return go.time[side] || go.moveTime || go.depth != 0 || go.mateMoves != 0 || go.nodes != 0;
}

SearchRequest GoRequest(const GoCommand& go, int side) {
  SearchRequest request;
  if (go.time[side]) request.clock = ClockReading{*go.time[side], go.increment[side], go.movesToGo, 0};
  request.moveTime = go.moveTime;
  request.depth = go.depth;
  request.mateMoves = go.mateMoves;
  request.nodes = go.nodes;
  if (go.ponder)
    request.mode = kModePonder;
  else
    request.mode = go.infinite || !HasOwnLimit(go, side) ? kModeAnalyze : kModeThink;
  return request;
}
