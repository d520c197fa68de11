// The search driver: iterative deepening with aspiration windows over the
// legal root moves, time management and the best line.
#include <algorithm>
#include <cstring>

#include "position/make_move.h"
#include "position/movegen.h"
#include "search/helper_threads.h"
#include "search/searcher.h"
#include "search/time_management.h"

namespace {

// The most iterations of each search: the classic one's record array ends
// at 38 plies, the selective one's leaves room for its reductions and
// extensions below the last iteration.
constexpr int kMaxIterations = 38;
constexpr int kSelectiveMaxIterations = kSelectiveLastPly - 8;
constexpr int kResearchStep = 475;  // window steps of the fail-low and fail-high re-searches
constexpr uint64_t kFirstPollNodes = 100;
// The selective search's aspiration window: from this iteration on, this
// far either side of the last score.
constexpr int kNarrowFromIteration = 4;
constexpr int kNarrowHalfWidth = 16;
// The first window of a line below the best one, either side of its last
// score.
constexpr int kLineHalfWidth = 40;

// The listener of a search that nobody watches.
SearchListener silentListener;

}  // namespace

Searcher::Searcher(TranspositionTable& table, PawnHashTable& pawnTable)
    : table_(table), evaluator_(pawnTable), listener_(&silentListener) {}

void Searcher::ClearKillers() {
  std::memset(state_.killers, 0, sizeof state_.killers);
  std::memset(&histories_, 0, sizeof histories_);
}

int Searcher::MaxIterations() const {
  return style_ == SearchStyle::kSelective ? kSelectiveMaxIterations : kMaxIterations;
}

int Searcher::LastExtendingPly() const { return style_ == SearchStyle::kSelective ? kSelectiveLastPly - 1 : 37; }

void Searcher::EndOpenEndedSearch(Milliseconds hardLimit, Milliseconds allotment) {
  driver_.openEnded = false;
  info_.hardLimit = hardLimit;
  info_.allotment = allotment;
}

void Searcher::AddNodes() {
  info_.totalNodes += state_.nodeCount;
  state_.nodeCount = 0;
  if (helpers_ != nullptr) info_.totalNodes += helpers_->TakeNodes();
}

int Searcher::RootBonus(Move move) const {
  if (rootNoise_ == 0) return 0;
  // SplitMix64 of the seed and the move word: a fixed, evenly spread amount.
  uint64_t z = noiseSeed_ + uint64_t(move) * 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return int((z ^ (z >> 31)) % uint64_t(rootNoise_ + 1));
}

// Searches one root move: the time test, then the reply at one ply less.
// Below full strength the move's score is raised by its bonus: the reply is
// searched in the window lowered by as much, so the bounds stay exact. A
// mate's score is left as it is.
int Searcher::SearchRootMove(Move move, int depthPlies, int alpha, int beta) {
  if (depthPlies > 1 && !driver_.openEnded) CheckTimeBeforeRootMove();
  state_.iterationDepth = depthPlies;
  const int side = positions_.Root().side;
  MakeMoveOfSideToMove(positions_, move);
  const int depth = (depthPlies - 1) * kOnePly;
  Move* const stack = state_.moveStack;
  const int bonus = RootBonus(move);
  const int lower = std::max(alpha - bonus, -kInfinity), upper = std::min(beta - bonus, kInfinity);
  int score;
  if (style_ == SearchStyle::kSelective) {
    state_.pathMove[0] = move;
    // A later root move, searched with a zero window, expects its reply to
    // refute it.
    const int kind = SelectiveSteps::kCutNodeReduction && upper - lower == 1 ? kNodeExpectedCut : kNodeOrdinary;
    score = side == kWhite ? -Search<kBlack, SelectiveSteps>(-upper, -lower, depth, 0, stack, true, kind)
                           : -Search<kWhite, SelectiveSteps>(-upper, -lower, depth, 0, stack, true, kind);
  } else {
    score = side == kWhite ? -Search<kBlack>(-upper, -lower, depth, 0, stack, true, kNodeOrdinary)
                           : -Search<kWhite>(-upper, -lower, depth, 0, stack, true, kNodeOrdinary);
  }
  UnmakeMove(positions_);
  return std::abs(score) >= kMateThreshold ? score : score + bonus;
}

// The best line of ply 0 into the search information record.
void Searcher::RecordPrincipalVariation() {
  info_.pvMoves.clear();
  const Move* row = state_.principalVariation[0];
  for (int i = 0; i < kMaxPly && row[i] != 0; ++i) info_.pvMoves.push_back(row[i]);
}

// Writes the previous best line back into the transposition table so that
// the next iteration follows it first.
void Searcher::WriteBackPrincipalVariation() {
  const std::vector<Move>& line = info_.pvMoves;
  const int length = int(line.size());
  for (int k = 1; k < length; ++k) {
    MakeMoveOfSideToMove(positions_, line[k - 1]);
    const TreePosition& p = positions_.Current();
    HashBucket& bucket = table_.BucketFor(p.hashKey);
    HashEntry stored;
    if (ProbeBucket(bucket, p.hashKey, stored)) continue;
    const int depth = std::max(0, (length - k) * 32);
    int score = k % 2 == 0 ? info_.bestScore : -info_.bestScore;
    // The selective search keeps mates relative to the position in the table.
    if (style_ == SearchStyle::kSelective && std::abs(score) > kMateThreshold) score += score > 0 ? k : -k;
    StoreBestLineEntry(bucket, p.hashKey, MakeHashData(line[k], kBoundExact, false, false), score, depth);
  }
  positions_.ply = 0;
}

void Searcher::NewBestLine(Move move, int score) {
  state_.SetPvRow(0, move);
  RecordPrincipalVariation();
  AddNodes();
  info_.bestScore = score;
  info_.scoreWithoutNoise = std::abs(score) >= kMateThreshold ? score : score - RootBonus(move);
  // Several lines are reported together, once the iteration has found them.
  if (info_.lineCount == 1) Report(SearchEvent::kNewBestLine);
  // The mate asked for is found: a score of kInfinity less P plies, at
  // least a lower bound, is a mate in (P + 1) / 2 moves or fewer.
  if (info_.mateMoves != 0 && score > kMateThreshold && (kInfinity - score + 1) / 2 <= info_.mateMoves)
    throw search_aborted_exception(false);
}

// A mate found again by the next iteration ends the search. The selective
// search's reductions may hide a shorter mate from an iteration not much
// deeper than the mate is long: it goes on until the iteration reaches
// twice the mate's length in plies, where a shorter one would show.
bool Searcher::MateConfirmed(int score, int j) const {
  const int last = info_.bestScore;
  if (!((score > kMateThreshold && last > kMateThreshold) || (score < -kMateThreshold && last < -kMateThreshold)))
    return false;
  return style_ != SearchStyle::kSelective || j >= 2 * (kInfinity - std::abs(score));
}

// The selective search's narrow window around the last score: while the
// first root move's score falls outside, the window moves toward it and
// widens, doubling its step each time.
int Searcher::WidenNarrowWindow(Move first, int j, int alpha, int beta, int w) {
  SearchInfo& info = info_;
  int step = kNarrowHalfWidth;
  bool researched = false;
  while (w <= alpha || w >= beta) {
    step *= 2;
    if (w <= alpha) {
      Report(SearchEvent::kFailLow);
      if (!driver_.failedLowThisIteration) driver_.scoreBeforeFailLow = info.bestScore;
      driver_.failedLowThisIteration = true;
      info.failLowResearch = 1;
      info.failHighResearch = 0;
      beta = (alpha + beta) / 2;
      alpha = std::max(w - step, -kInfinity);
    } else {
      Report(SearchEvent::kFailHigh);
      info.failHighResearch = 1;
      info.failLowResearch = 0;
      beta = std::min(w + step, kInfinity);
    }
    researched = true;
    w = SearchRootMove(first, j, alpha, beta);
  }
  if (researched) {
    Report(SearchEvent::kResearchEnded);
    info.failLowResearch = info.failHighResearch = 0;
  }
  return w;
}

// An iteration begins: reported, the root moves in the order of the last
// iteration's scores.
void Searcher::StartIteration(int j) {
  driver_.failedLowThisIteration = false;
  info_.displayDepth = j + 1;
  Report(SearchEvent::kIterationStarted);
  std::stable_sort(rootMoves_, rootMoves_ + rootMoveCount_,
                   [](const RootMove& a, const RootMove& b) { return a.score > b.score; });
}

void Searcher::SearchIteration(int j) {
  SearchInfo& info = info_;
  StartIteration(j);
  info.currentRootMove = 1;
  driver_.firstMove = true;
  state_.SetExtensionLimits(j, 1, LastExtendingPly());

  // Aspiration window around the last score; the first iteration is open.
  const int halfWidth = AspirationHalfWidth(info.bestScore, j);
  int alpha = -kInfinity, beta = kInfinity;
  if (j >= 2) {
    WriteBackPrincipalVariation();
    alpha = info.bestScore - halfWidth;
    beta = info.bestScore + halfWidth;
  }

  const Move first = rootMoves_[0].move;
  const bool narrow = style_ == SearchStyle::kSelective && SelectiveSteps::kNarrowAspiration && j >= kNarrowFromIteration &&
                      std::abs(info.bestScore) < kMateThreshold;
  if (narrow) {
    alpha = info.bestScore - kNarrowHalfWidth;
    beta = info.bestScore + kNarrowHalfWidth;
  }
  int w = SearchRootMove(first, j, alpha, beta);
  if (MateConfirmed(w, j)) throw search_aborted_exception(false);
  if (narrow) {
    w = WidenNarrowWindow(first, j, alpha, beta, w);
  } else if (w <= alpha) {
    Report(SearchEvent::kFailLow);
    driver_.scoreBeforeFailLow = info.bestScore;
    info.failLowResearch = 1;
    driver_.failedLowThisIteration = true;
    w = SearchRootMove(first, j, alpha - kResearchStep, alpha);
    if (w <= alpha - kResearchStep) {
      Report(SearchEvent::kFailLow);
      w = SearchRootMove(first, j, -kInfinity, alpha - kResearchStep);
    }
    Report(SearchEvent::kResearchEnded);
    info.failLowResearch = 0;
  } else if (w >= beta) {
    Report(SearchEvent::kFailHigh);
    info.failHighResearch = 1;
    w = SearchRootMove(first, j, beta, beta + kResearchStep);
    if (w >= beta + kResearchStep) {
      Report(SearchEvent::kFailHigh);
      w = SearchRootMove(first, j, beta + kResearchStep, kInfinity);
    }
    Report(SearchEvent::kResearchEnded);
    info.failHighResearch = 0;
  }
  rootMoves_[0].score = w;
  NewBestLine(first, w);
  driver_.firstMove = false;
  state_.SetExtensionLimits(j, 0, LastExtendingPly());

  // The other moves with a zero window around the best score.
  for (int k = 2; k <= rootMoveCount_; ++k) {
    info.currentRootMove = k;
    const Move move = rootMoves_[k - 1].move;
    int s = SearchRootMove(move, j, w, w + 1);
    if (s > w) {
      Report(SearchEvent::kNewBestCandidate);
      driver_.newBestResearch = true;
      info.failHighResearch = 1;
      state_.SetExtensionLimits(j, 1, LastExtendingPly());
      const int upper = w + halfWidth + 1;
      s = SearchRootMove(move, j, w + 1, upper);
      if (s >= upper) {
        Report(SearchEvent::kFailHigh);
        s = SearchRootMove(move, j, upper, upper + kResearchStep);
        if (s >= upper + kResearchStep) {
          Report(SearchEvent::kFailHigh);
          s = SearchRootMove(move, j, upper + kResearchStep, kInfinity);
        }
      }
      if (s > w) {
        Report(SearchEvent::kCandidateAccepted);
        NewBestLine(move, s);
        w = s;
      } else {
        Report(SearchEvent::kCandidateRejected);
      }
      state_.SetExtensionLimits(j, 0, LastExtendingPly());
      driver_.newBestResearch = false;
      info.failHighResearch = 0;
    }
    rootMoves_[k - 1].score = s;
    AddNodes();
  }
}

// The exact score of a root move that is to be one of several lines, no
// lower than `floor` (a score it is known to beat). From the second
// iteration the window starts narrow around `guess`, the move's score in
// the last iteration or the bound it just failed high on, and widens on the
// side it fails, doubling its step each time: the lines below the best one
// cost little more than the zero-window searches of a one-line search.
int Searcher::SearchLineScore(Move move, int j, int guess, int floor) {
  if (j < 2 || std::abs(guess) >= kMateThreshold) return SearchRootMove(move, j, floor, kInfinity);
  int step = kLineHalfWidth;
  int alpha = std::max(guess - step, floor), beta = std::max(guess, floor) + step;
  for (;;) {
    const int score = SearchRootMove(move, j, alpha, beta);
    if ((score > alpha || alpha == floor) && (score < beta || beta == kInfinity)) return score;
    step *= 2;
    if (score <= alpha)
      alpha = std::max(score - step, floor);
    else
      beta = score + step >= kMateThreshold ? kInfinity : score + step;
  }
}

// Several lines: the root moves in the order of the last iteration's
// scores; as many as lines are wanted searched to an exact score, each
// later one with a zero window at the score of the last line so far, and
// again to an exact score above it when it beats that score. A move searched
// to an exact score takes its place among the lines, the last one dropping
// out. The first line is the best line (pvMoves, bestScore), kept as the
// one-line search keeps it; the lines are reported together at the end.
void Searcher::SearchIterationForLines(int j) {
  SearchInfo& info = info_;
  StartIteration(j);
  if (j >= 2) WriteBackPrincipalVariation();
  const size_t wanted = size_t(std::min(info.lineCount, rootMoveCount_));
  std::vector<SearchInfo::Line> lines;
  lines.reserve(wanted + 1);
  for (int k = 1; k <= rootMoveCount_; ++k) {
    info.currentRootMove = k;
    driver_.firstMove = k == 1;
    const Move move = rootMoves_[k - 1].move;
    const bool open = lines.size() < wanted;
    const int bar = open ? -kInfinity : lines.back().score;
    state_.SetExtensionLimits(j, open ? 1 : 0, LastExtendingPly());
    int score;
    if (open) {
      score = SearchLineScore(move, j, rootMoves_[k - 1].score, -kInfinity);
    } else {
      score = SearchRootMove(move, j, bar, bar + 1);
      if (score > bar) {
        state_.SetExtensionLimits(j, 1, LastExtendingPly());
        score = SearchLineScore(move, j, score, bar);
      }
    }
    rootMoves_[k - 1].score = score;
    if (score > bar) {
      state_.SetPvRow(0, move);
      RecordPrincipalVariation();
      const auto place = std::find_if(lines.begin(), lines.end(),
                                      [score](const SearchInfo::Line& line) { return line.score < score; });
      lines.insert(place, SearchInfo::Line{score, info.pvMoves});
      if (lines.size() > wanted) lines.pop_back();
      // The best line, as the one-line search has it.
      info.pvMoves = lines.front().moves;
      if (lines.front().moves.front() == move && score == lines.front().score) NewBestLine(move, score);
    }
    AddNodes();
  }
  driver_.firstMove = false;
  info.lines = std::move(lines);
  Report(SearchEvent::kLinesFound);
}

void Searcher::NoteBestMoveStability() {
  const Move best = info_.pvMoves.empty() ? 0 : info_.pvMoves[0];
  driver_.stableIterations = best == driver_.lastBestMove ? driver_.stableIterations + 1 : 0;
  driver_.lastBestMove = best;
  driver_.stabilityScale = StabilityScale(driver_.stableIterations);
}

void Searcher::Finish() {
  if (helpers_ != nullptr) helpers_->Stop();
  AddNodes();
  info_.endTime = Now();
  info_.searching = 0;
}

bool Searcher::Think(const SearchParameters& parameters, SearchListener& listener) {
  listener_ = &listener;
  bool discard;
  try {
    discard = RunSearch(parameters);
  } catch (...) {
    // Anything else a listener throws (the end of the input) ends the
    // search too, and passes on to whoever started it.
    Finish();
    listener_ = &silentListener;
    throw;
  }
  Finish();
  listener_ = &silentListener;
  return discard;
}

// Narrows the legal root moves to those in `moves`, in generation order. A
// list that names none of them leaves every legal move.
void Searcher::KeepOnlyRootMoves(const std::vector<Move>& moves) {
  const auto named = [&moves](const RootMove& r) {
    return std::any_of(moves.begin(), moves.end(), [&r](Move m) { return MoveLow21(m) == MoveLow21(r.move); });
  };
  if (std::none_of(rootMoves_, rootMoves_ + rootMoveCount_, named)) return;
  rootMoveCount_ = int(std::stable_partition(rootMoves_, rootMoves_ + rootMoveCount_, named) - rootMoves_);
}

// A weak level's node budget may end the first iteration after a few root
// moves: they are taken in the order of their random bonus, so that chance
// rather than the generator's order decides which moves it looks at.
// Captures stay first, as the generator lists them.
void Searcher::OrderRootMovesByBonus() {
  if (rootNoise_ == 0) return;
  std::stable_sort(rootMoves_, rootMoves_ + rootMoveCount_, [this](const RootMove& a, const RootMove& b) {
    const bool aCaptures = MoveCaptured(a.move) != 0, bCaptures = MoveCaptured(b.move) != 0;
    if (aCaptures != bCaptures) return aCaptures;
    return RootBonus(a.move) > RootBonus(b.move);
  });
}

// The search information record at the start of a search under
// `parameters`, on the root moves already listed.
void Searcher::BeginSearch(const SearchParameters& parameters) {
  SearchInfo& info = info_;
  info.searching = 1;
  info.startTime = Now();
  info.mode = parameters.mode;
  info.maxDepth = parameters.maxDepth;
  info.hardLimit = parameters.hardLimit;
  info.allotment = parameters.allotment;
  info.maxNodes = parameters.maxNodes;
  info.mateMoves = parameters.mateMoves;
  info.lineCount = std::max(parameters.lines, 1);
  info.lines.clear();
  rootNoise_ = std::max(parameters.rootNoise, 0);
  style_ = parameters.style;
  noiseSeed_ = parameters.noiseSeed;
  info.endTime = 0;
  info.rootMoveCount = rootMoveCount_;
  info.currentRootMove = 0;
  info.pvMoves.clear();
  info.totalNodes = 0;
  state_.nodeCount = 0;
  info.bestScore = info.scoreWithoutNoise = 0;
  info.displayDepth = 0;
  info.failLowResearch = info.failHighResearch = 0;
  info.resultCode = 0;
}

// What the iterations start from: no history, no check sequences, the
// evaluation prepared for the root, the first poll, a fresh driver.
void Searcher::PrepareIterations() {
  SearchInfo& info = info_;
  std::memset(state_.history, 0, sizeof state_.history);
  std::memset(state_.checkSequenceCount, 0, sizeof state_.checkSequenceCount);
  state_.staticEvaluation[0] = kNoEvaluation;
  evaluator_.PrepareRoot(positions_.Root());
  // The first poll after a few nodes, or at the node limit when that is
  // fewer.
  state_.SetPollCountdown(int(info.maxNodes != 0 ? std::min(info.maxNodes, kFirstPollNodes) : kFirstPollNodes));
  driver_ = DriverState{};
  driver_.openEnded = info.mode != kModeThink;
  if (info.maxDepth == 0 || info.mode == kModeAnalyze) info.maxDepth = MaxIterations();
}

bool Searcher::RunSearch(const SearchParameters& parameters) {
  SearchInfo& info = info_;
  positions_.ply = 0;
  rootMoveCount_ = int(GenerateLegalMoves(positions_, rootMoves_) - rootMoves_);
  if (!parameters.onlyMoves.empty()) KeepOnlyRootMoves(parameters.onlyMoves);
  BeginSearch(parameters);

  if (rootMoveCount_ == 0) {
    const TreePosition& root = positions_.Root();
    if (root.kingAttacked) {
      info.bestScore = info.scoreWithoutNoise = -kInfinity;
      info.resultCode = root.side == kWhite ? 3 : 2;
    } else {
      info.bestScore = info.scoreWithoutNoise = 0;
      info.resultCode = 1;
    }
    return false;
  }
  OrderRootMovesByBonus();
  table_.Age();
  PrepareIterations();
  if (helpers_ != nullptr) helpers_->Start(*this);
  try {
    for (int j = 1; j <= info.maxDepth || (driver_.openEnded && j <= MaxIterations()); ++j) {
      if (helpers_ != nullptr) helpers_->MainIterationStarted(j);
      if (info.lineCount > 1)
        SearchIterationForLines(j);
      else
        SearchIteration(j);
      if (style_ == SearchStyle::kSelective && SelectiveSteps::kStabilityTime) NoteBestMoveStability();
    }
  } catch (const search_aborted_exception& abort) {
    Report(SearchEvent::kAborted);
    // A search stopped before its first root move finished still owes a
    // legal move: fall back to the first root move.
    if (info.pvMoves.empty()) info.pvMoves.push_back(rootMoves_[0].move);
    return abort.discardResult;
  }
  return false;
}

void Searcher::AdoptRoot(const Searcher& main) {
  const PositionStack& from = main.positions_;
  positions_.ply = 0;
  positions_.Root() = from.Root();
  positions_.keyHistoryRoot = from.keyHistoryRoot;
  std::copy(from.keyHistory, from.keyHistory + from.keyHistoryRoot + 1, positions_.keyHistory);
  rootMoveCount_ = main.rootMoveCount_;
  std::copy(main.rootMoves_, main.rootMoves_ + rootMoveCount_, rootMoves_);
  adoptedNodeLimit_ = main.info_.maxNodes;
  style_ = main.style_;
}

void Searcher::Help(const HelperThreads& helpers, int index, SearchListener& listener) {
  listener_ = &listener;
  // Under a node limit the helper polls as the main searcher does, its
  // capture-search nodes counted too, so that its count reaches the main
  // searcher within a couple of milliseconds; the main searcher ends the
  // search once the threads together reach the limit.
  SearchParameters parameters{kModeAnalyze};
  parameters.maxNodes = adoptedNodeLimit_;
  parameters.style = style_;
  BeginSearch(parameters);
  PrepareIterations();
  try {
    for (int j = helpers.NextIteration(index, 0); j <= MaxIterations(); j = helpers.NextIteration(index, j))
      SearchIteration(j);
  } catch (const search_aborted_exception&) {
    // Stopped, or a mate confirmed: the main searcher decides what to play.
  }
  Finish();
  listener_ = &silentListener;
}
