#include "app/startup.h"

#include "app/xboard_mode.h"
#include "frontend/string_utils.h"
#include "position/tables.h"
#include "search/hash_table.h"

bool xboardMode = false;

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
  InitStaticTables();

  std::vector<std::string> arguments(argv, argv + argc);
  xboardMode = false;
  StartupOptions options = ScanOptions(arguments);
  xboardMode = options.xboard;

  AllocateHashTable(options.hashBytes);
  AllocatePawnHashTable(options.pawnHashBytes);

  ReleaseHashTables();
  return 0;
}
