// datagen --out FILE --games N [options]: training data for the tuner from
// Ravok's games against itself (see tuning/self_play.h and
// tuning/training_data.h for what is played and written).
//
//   --nodes N            node budget of every move (default 5000)
//   --threads N          games played at once, each on a thread and an engine
//                        of its own (default: every core)
//   --seed N             with the game number, picks the random plies
//                        (default 1)
//   --openings FILE      coordinate-move openings, game g from line g modulo
//                        their number (default
//                        ../shared/match/openings-balanced.txt)
//   --random-plies N     random legal moves after the opening (default 4)
//   --search classic|selective      the search that plays (default selective)
//   --evaluation classic|tuned      its weights (default tuned)
//   --hash MB            each engine's transposition table (default 16)
//   --progress SECONDS   between progress lines (default 10)
//
// An existing FILE is continued: games it holds are not played again (the
// same seed gives the same games), and what follows its last complete game
// is cut off first.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "tuning/self_play.h"

namespace {

struct Options {
  SelfPlayRun run;
  SelfPlaySettings settings;
  std::string openings = "../shared/match/openings-balanced.txt";
};

bool ReadNumber(const char* text, uint64_t& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return end != text && *end == '\0';
}

bool ReadOptions(int argc, char** argv, Options& o) {
  const unsigned cores = std::thread::hardware_concurrency();
  o.run.threads = cores > 0 ? int(cores) : 1;
  o.run.hashBytes = uint64_t(16) << 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string word = argv[i];
    const char* value = argv[i + 1];
    uint64_t n = 0;
    if (word == "--out") {
      o.run.path = value;
    } else if (word == "--openings") {
      o.openings = value;
    } else if (word == "--search" && (std::strcmp(value, "classic") == 0 || std::strcmp(value, "selective") == 0)) {
      o.settings.search = std::strcmp(value, "classic") == 0 ? SearchStyle::kClassic : SearchStyle::kSelective;
    } else if (word == "--evaluation" && (std::strcmp(value, "classic") == 0 || std::strcmp(value, "tuned") == 0)) {
      o.settings.evaluation = std::strcmp(value, "classic") == 0 ? EvaluationSet::kClassic : EvaluationSet::kTuned;
    } else if (!ReadNumber(value, n)) {
      return false;
    } else if (word == "--games") {
      o.run.games = n;
    } else if (word == "--nodes" && n > 0) {
      o.settings.nodes = n;
    } else if (word == "--threads" && n >= 1 && n <= 256) {
      o.run.threads = int(n);
    } else if (word == "--seed") {
      o.settings.seed = n;
    } else if (word == "--random-plies" && n <= 40) {
      o.settings.randomPlies = int(n);
    } else if (word == "--hash" && n >= 1 && n <= 4096) {
      o.run.hashBytes = n << 20;
    } else if (word == "--progress") {
      o.run.progressSeconds = double(n);
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !o.run.path.empty() && o.run.games > 0;
}

// Every setting the games depend on, for the file's comment line.
std::string Header(const Options& o) {
  const SelfPlaySettings& s = o.settings;
  return "datagen --out " + o.run.path + " --games " + std::to_string(o.run.games) + " --nodes " +
         std::to_string(s.nodes) + " --seed " + std::to_string(s.seed) + " --openings " + o.openings +
         " --random-plies " + std::to_string(s.randomPlies) + " --search " +
         (s.search == SearchStyle::kClassic ? "classic" : "selective") + " --evaluation " +
         (s.evaluation == EvaluationSet::kClassic ? "classic" : "tuned") + " --hash " +
         std::to_string(o.run.hashBytes >> 20) + " (threads " + std::to_string(o.run.threads) +
         "; adjudicated: won after " + std::to_string(s.winPlies) + " plies at " + std::to_string(s.winScore) +
         " or more for one side, drawn after " + std::to_string(s.drawPlies) + " plies within " +
         std::to_string(s.drawScore) + " from ply " + std::to_string(s.drawAfterPly) + " on, drawn at " +
         std::to_string(s.maxPlies) + " plies; given up when the first search scores beyond " +
         std::to_string(s.maxStartScore) + ")";
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ReadOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: datagen --out FILE --games N [--nodes N] [--threads N] [--seed N] [--openings FILE]\n"
                 "               [--random-plies N] [--search classic|selective] [--evaluation classic|tuned]\n"
                 "               [--hash MB] [--progress SECONDS]\n");
    return 2;
  }
  std::ifstream in(o.openings);
  const std::vector<Opening> openings = ReadOpenings(in);
  if (openings.empty()) {
    std::fprintf(stderr, "datagen: no openings in %s\n", o.openings.c_str());
    return 1;
  }
  InitEngineTables();
  o.run.header = Header(o);
  std::fprintf(stderr, "%s\n", o.run.header.c_str());
  try {
    const uint64_t played = RunSelfPlay(o.run, openings, o.settings, [](const std::string& line) {
      std::fprintf(stderr, "%s\n", line.c_str());
    });
    std::fprintf(stderr, "datagen: %llu games played, file %s\n", static_cast<unsigned long long>(played),
                 o.run.path.c_str());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "datagen: %s\n", error.what());
    return 1;
  } catch (const GameError& error) {
    std::fprintf(stderr, "datagen: an opening: %s\n", error.message().c_str());
    return 1;
  }
  return 0;
}
