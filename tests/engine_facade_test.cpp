// The engine as the dialogues see it: the one rule that shares a memory
// budget between the two hash tables, and the tables resized and cleared
// while no search runs, refused while one does.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "search/engine.h"

namespace {

TEST(EngineTables, MemorySplitKeepsTheTotalAndTheDefaultRatio) {
  constexpr uint64_t kMiB = 1048576;
  struct Case {
    uint64_t total, main, pawn;
  };
  const Case cases[] = {
      {24 * kMiB, 16 * kMiB, 8 * kMiB},  // the default sizes exactly
      {64 * kMiB, 32 * kMiB, 16 * kMiB},
      {32 * kMiB, 16 * kMiB, 8 * kMiB},
      {1 * kMiB, 512 * 1024, 256 * 1024},
      {kMinimumHashBytes + kMinimumPawnHashBytes, kMinimumHashBytes, kMinimumPawnHashBytes},
  };
  for (const Case& c : cases) {
    const HashSizes sizes = SplitHashMemory(c.total);
    EXPECT_EQ(sizes.mainBytes, c.main) << c.total;
    EXPECT_EQ(sizes.pawnBytes, c.pawn) << c.total;
  }
  // Every budget from the smallest up: within the total, both tables at
  // least their minimum size, powers of two.
  for (uint64_t total = kMinimumHashBytes + kMinimumPawnHashBytes; total < (uint64_t(1) << 40);
       total = total * 3 / 2 + 1) {
    const HashSizes sizes = SplitHashMemory(total);
    EXPECT_LE(sizes.mainBytes + sizes.pawnBytes, total);
    EXPECT_GE(sizes.mainBytes, kMinimumHashBytes);
    EXPECT_GE(sizes.pawnBytes, kMinimumPawnHashBytes);
    EXPECT_LE(sizes.mainBytes, kMaximumHashBytes);
    EXPECT_LE(sizes.pawnBytes, kMaximumPawnHashBytes);
    EXPECT_EQ(sizes.mainBytes & (sizes.mainBytes - 1), 0u);
    EXPECT_EQ(sizes.pawnBytes & (sizes.pawnBytes - 1), 0u);
  }
  // Too little for the two smallest tables.
  const HashSizes none = SplitHashMemory(kMinimumHashBytes + kMinimumPawnHashBytes - 1);
  EXPECT_EQ(none.mainBytes, 0u);
  EXPECT_EQ(none.pawnBytes, 0u);
}

// A listener that tries every table change from inside the search, then
// ends it.
class TableChangesDuringSearch : public SearchListener {
 public:
  explicit TableChangesDuringSearch(Engine& engine) : engine_(engine) {}
  void Poll() override {
    results.push_back(engine_.ResizeTables(4 * kMebibyte));
    results.push_back(engine_.ClearTables());
    results.push_back(engine_.NewGame());
    throw search_aborted_exception(true);
  }
  std::vector<TableChange> results;

 private:
  Engine& engine_;
};

constexpr const char* kMiddlegame = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8";

TEST(EngineTables, ResizedAndClearedWhileIdle) {
  Engine engine(kMebibyte, 256 * 1024);
  EXPECT_EQ(engine.TableBytes(), kMebibyte + 256 * 1024);
  EXPECT_EQ(engine.ResizeTables(3 * kMebibyte), TableChange::kDone);
  EXPECT_EQ(engine.TableSizes().mainBytes, 2 * kMebibyte);
  EXPECT_EQ(engine.TableSizes().pawnBytes, kMebibyte);
  // A budget beyond the machine, or beyond what the tables can index, is
  // refused whole.
  EXPECT_EQ(engine.ResizeTables(uint64_t(1) << 60), TableChange::kNoMemory);
  EXPECT_EQ(engine.TableBytes(), 3 * kMebibyte);

  SearchListener quiet;
  engine.LoadPosition(ParseFen(kMiddlegame));
  engine.Think(SearchParameters{kModeThink, 5, 0, 0}, quiet);
  EXPECT_GT(engine.HashFull(), 0);
  EXPECT_EQ(engine.ClearTables(), TableChange::kDone);
  EXPECT_EQ(engine.HashFull(), 0);
}

TEST(EngineTables, UnchangedWhileASearchRuns) {
  Engine engine(kMebibyte, 256 * 1024);
  TableChangesDuringSearch listener(engine);
  engine.LoadPosition(ParseFen(kMiddlegame));
  engine.Think(SearchParameters{kModeAnalyze, 0, 0, 0}, listener);
  EXPECT_EQ(listener.results, (std::vector<TableChange>(3, TableChange::kSearchRunning)));
  EXPECT_EQ(engine.TableBytes(), kMebibyte + 256 * 1024);
  EXPECT_FALSE(engine.Searching());
  EXPECT_EQ(engine.ResizeTables(4 * kMebibyte), TableChange::kDone);
  EXPECT_EQ(engine.TableBytes(), 3 * kMebibyte);
}

// A memory source that hands out the system's memory until a budget of
// live bytes would be passed, then refuses.
uint64_t liveBytes = 0;
uint64_t budgetBytes = 0;

TableMemory BudgetAllocate(uint64_t bytes) {
  if (liveBytes + bytes > budgetBytes) return TableMemory{nullptr, bytes, 0};
  liveBytes += bytes;
  return SystemTableMemory().allocate(bytes);
}
void BudgetClear(const TableMemory& memory) { SystemTableMemory().clear(memory); }
void BudgetRelease(const TableMemory& memory) {
  liveBytes -= memory.bytes;
  SystemTableMemory().release(memory);
}
constexpr TableMemorySource kBudgetMemory{BudgetAllocate, BudgetClear, BudgetRelease};

// An allocation that fails, for the first table or for the second, leaves
// both tables as they were, contents and all, and the engine searching.
TEST(EngineTables, FailedAllocationKeepsBothTables) {
  liveBytes = 0;
  budgetBytes = 2 * kMebibyte;
  {
    Engine engine(kMebibyte, 256 * 1024, kBudgetMemory);
    SearchListener quiet;
    engine.LoadPosition(ParseFen(kMiddlegame));
    engine.Think(SearchParameters{kModeThink, 4, 0, 0}, quiet);
    const int full = engine.HashFull();
    // The pawn table (1 MiB) cannot be had beside the old tables.
    EXPECT_EQ(engine.ResizeTables(3 * kMebibyte), TableChange::kNoMemory);
    EXPECT_EQ(engine.TableSizes().mainBytes, kMebibyte);
    EXPECT_EQ(engine.TableSizes().pawnBytes, 256 * 1024u);
    // The pawn table (512 KiB) can, the main table (1 MiB more) not: the
    // pawn table goes back to its size.
    budgetBytes = 3 * kMebibyte;
    EXPECT_EQ(engine.ResizeTables(uint64_t(2) * kMebibyte + 512 * 1024), TableChange::kNoMemory);
    EXPECT_EQ(engine.TableSizes().mainBytes, kMebibyte);
    EXPECT_EQ(engine.TableSizes().pawnBytes, 256 * 1024u);
    EXPECT_EQ(engine.HashFull(), full);
    engine.Think(SearchParameters{kModeThink, 4, 0, 0}, quiet);
    EXPECT_FALSE(engine.Info().pvMoves.empty());
  }
  EXPECT_EQ(liveBytes, 0u);
}

}  // namespace
