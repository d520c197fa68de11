// perft FEN DEPTH [split]: leaf count of the legal move tree of a position,
// walked with the search's own generators and copy-make, with the time taken
// and the speed; "split" also prints the count under each root move.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/tables.h"
#include "board/fen.h"
#include "board/moves.h"
#include "board/search_position.h"
#include "position/perft.h"
#include "position/tree_position.h"

int main(int argc, char** argv) {
  const bool split = argc == 4 && std::string(argv[3]) == "split";
  if (argc != 3 && !split) {
    std::fprintf(stderr, "usage: perft FEN DEPTH [split]\n");
    return 2;
  }
  const int depth = std::atoi(argv[2]);
  if (depth < 0 || depth >= kMaxPly - 1) {
    std::fprintf(stderr, "perft: the depth must lie between 0 and %d\n", kMaxPly - 2);
    return 2;
  }

  InitStaticTables();
  PositionStack position;
  GamePosition game;
  try {
    game = ParseAnyFen(argv[1]);
    LoadSearchRoot(position, game);
  } catch (const GameError& error) {
    std::fprintf(stderr, "perft: %s\n", error.message().c_str());
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  uint64_t nodes = 0;
  if (split) {
    for (const PerftSplit& entry : PerftDivide(position, depth)) {
      std::printf("%s: %llu\n", CoordinateMoveText(entry.move, game).c_str(), static_cast<unsigned long long>(entry.nodes));
      nodes += entry.nodes;
    }
    if (depth == 0) nodes = 1;
  } else {
    nodes = Perft(position, depth);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("nodes: %llu\n", static_cast<unsigned long long>(nodes));
  std::printf("time: %.3f s\n", seconds);
  std::printf("nps: %.0f\n", seconds > 0 ? nodes / seconds : 0.0);
  return 0;
}
