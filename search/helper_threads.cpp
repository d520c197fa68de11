#include "search/helper_threads.h"

#include <algorithm>
#include <thread>

#include "search/searcher.h"

namespace {

// A helper's listener: it publishes the helper's node count at every poll
// and ends the helper's search once the main searcher has stopped.
class HelperListener final : public SearchListener {
 public:
  HelperListener(const Searcher& searcher, std::atomic<uint64_t>& nodes, const std::atomic<bool>& stop)
      : searcher_(searcher), nodes_(nodes), stop_(stop) {}

  void Poll() override {
    nodes_.store(searcher_.Info().totalNodes + searcher_.CurrentIterationNodes(), std::memory_order_relaxed);
    if (stop_.load(std::memory_order_relaxed)) throw search_aborted_exception(true);
  }

 private:
  const Searcher& searcher_;
  std::atomic<uint64_t>& nodes_;
  const std::atomic<bool>& stop_;
};

}  // namespace

// One helper: its searcher and pawn table, the count it publishes and its
// thread. Aligned to the cache line so that no two threads' hot data share
// one.
struct alignas(64) HelperThreads::Helper {
  Helper(int number, TranspositionTable& table, uint64_t pawnBytes, const std::atomic<bool>& stop)
      : index(number), pawnTable(pawnBytes), searcher(table, pawnTable), listener(searcher, nodes, stop) {}

  const int index;
  PawnHashTable pawnTable;
  Searcher searcher;
  std::atomic<uint64_t> nodes{0};  // the nodes of its running or last search
  uint64_t counted = 0;            // of those, the ones the main searcher took
  HelperListener listener;
  std::thread thread;
};

HelperThreads::HelperThreads(int count, TranspositionTable& table, const PawnHashTable& mainPawnTable)
    : mainPawnTable_(mainPawnTable) {
  for (int i = 1; i <= count; ++i)
    helpers_.push_back(std::make_unique<Helper>(i, table, mainPawnTable.Bytes(), stop_));
  try {
    for (auto& helper : helpers_) helper->thread = std::thread([this, &helper = *helper] { Run(helper); });
  } catch (...) {
    EndThreads();
    throw;
  }
}

HelperThreads::~HelperThreads() { EndThreads(); }

void HelperThreads::EndThreads() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  for (auto& helper : helpers_)
    if (helper->thread.joinable()) helper->thread.join();
}

void HelperThreads::Run(Helper& helper) {
  uint64_t seen = 0;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
    if (quit_) return;
    seen = generation_;
    lock.unlock();
    helper.searcher.Help(*this, helper.index, helper.listener);
    helper.nodes.store(helper.searcher.Info().totalNodes, std::memory_order_relaxed);
    lock.lock();
    if (--running_ == 0) idle_.notify_all();
  }
}

void HelperThreads::Start(const Searcher& main) {
  for (auto& helper : helpers_) {
    // A pawn table resized since the last search: the helpers follow (and
    // keep their old table if the memory cannot be had).
    if (helper->pawnTable.Bytes() != mainPawnTable_.Bytes()) helper->pawnTable.Allocate(mainPawnTable_.Bytes());
    helper->searcher.AdoptRoot(main);
    helper->searcher.Evaluation().SelectWeights(main.Evaluation().SelectedWeights());
    helper->nodes.store(0, std::memory_order_relaxed);
    helper->counted = 0;
  }
  stop_.store(false, std::memory_order_relaxed);
  mainIteration_.store(0, std::memory_order_relaxed);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    running_ = Count();
  }
  wake_.notify_all();
}

void HelperThreads::Stop() {
  stop_.store(true, std::memory_order_relaxed);
  for (auto& helper : helpers_) helper->searcher.PollAtNextNode();
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [&] { return running_ == 0; });
}

uint64_t HelperThreads::TakeNodes() {
  uint64_t fresh = 0;
  for (auto& helper : helpers_) {
    const uint64_t nodes = helper->nodes.load(std::memory_order_relaxed);
    fresh += nodes - helper->counted;
    helper->counted = nodes;
  }
  return fresh;
}

// Odd helpers search the main searcher's current iteration beside it, even
// helpers the next one, so that the table holds what the main searcher
// needs next; a helper already deeper goes on one iteration at a time. (On
// two threads the helper at the main searcher's iteration brought the main
// searcher to its depth sooner than a helper one iteration ahead did.)
int HelperThreads::NextIteration(int index, int finished) const {
  const int lead = index % 2 == 1 ? 0 : 1;
  return std::max(finished + 1, mainIteration_.load(std::memory_order_relaxed) + lead);
}

void HelperThreads::ClearPawnTables() {
  for (auto& helper : helpers_) helper->pawnTable.Clear();
}

void HelperThreads::ClearKillers() {
  for (auto& helper : helpers_) helper->searcher.ClearKillers();
}
