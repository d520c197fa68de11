#include "app/startup.h"

#include <csignal>
#include <iostream>

#include "app/xboard_mode.h"
#include "board/comm_board.h"
#include "frontend/communicator.h"
#include "frontend/output_tracking.h"
#include "frontend/string_utils.h"
#include "position/load_game.h"
#include "position/tables.h"
#include "search/hash_table.h"
#include "search/search_info.h"

namespace {

constexpr uint64_t kMebibyte = 1048576;
constexpr uint64_t kSmallHashBytes = 16384;
constexpr uint64_t kSmallPawnHashBytes = 2048;

}  // namespace

StartupOptions ScanOptions(const std::vector<std::string>& arguments) {
  StartupOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word == "xboard") {
      options.xboard = true;
    } else if (word == "hash" || word == "pawnhash") {
      if (i + 1 == arguments.size()) break;
      const long long n = SaturatingAtoi(arguments[++i]);
      if (word == "hash")
        options.hashBytes = n > 0 ? uint64_t(n) * kMebibyte : kSmallHashBytes;
      else
        options.pawnHashBytes = n > 0 ? uint64_t(n) * kMebibyte : kSmallPawnHashBytes;
    }
  }
  return options;
}

int RunEngine(int argc, char** argv) {
  // The standard input gets a buffer of its own, so that a poll during the
  // search can see the lines that wait in it; replies go out through a
  // watcher of standard output. Interfaces interrupt engines before their
  // moves: the interrupt signal must not end Ravok, not even before its
  // first search.
  std::ios::sync_with_stdio(false);
  InstallTrackedStandardOutput();
  std::signal(SIGINT, SIG_IGN);

  // 2. Tables and hash keys.
  InitStaticTables();

  // 3. The search position holds the initial position from the start.
  {
    const CommBoard initial;
    LoadSearchPosition(initial);
  }

  // 4.-5. Options.
  std::vector<std::string> arguments(argv, argv + argc);
  xboardMode = false;
  const StartupOptions options = ScanOptions(arguments);
  xboardMode = options.xboard;
  arguments.clear();

  // 6.-7. Hash tables at their configured sizes, killers cleared.
  AllocateHashTable(options.hashBytes);
  AllocatePawnHashTable(options.pawnHashBytes);
  ClearKillers();

  // 8. The command loop, until "quit" or "end".
  Communicator::Instance().DealWithNotSearching();

  // 9. Release.
  ReleaseHashTables();
  return 0;
}
