// The search's constants, its per-search records and the node rules shared
// by the alpha-beta and quiescence twins.
#pragma once

#include <atomic>
#include <cstdint>

#include "position/movegen.h"
#include "position/tree_position.h"

inline constexpr int kOnePly = 64;  // search depth is counted in 1/64 ply
inline constexpr int kInfinity = 32000;
inline constexpr int kMateThreshold = 31900;  // scores beyond this are mates

// The selective search's last ply: its mates, scored kInfinity - ply, stay
// beyond kMateThreshold, and the record array has room for the child of a
// node there.
inline constexpr int kSelectiveLastPly = kMaxPly - 4;
static_assert(kInfinity - kSelectiveLastPly > kMateThreshold);
// Mate scores count from the root in the search and from the node in the
// selective search's table, so that a mate found through a transposition
// keeps its distance.
inline int ScoreToTable(int score, int ply) {
  return score > kMateThreshold ? score + ply : score < -kMateThreshold ? score - ply : score;
}
inline int ScoreFromTable(int score, int ply) {
  return score > kMateThreshold ? score - ply : score < -kMateThreshold ? score + ply : score;
}

// The static evaluation of a node in check, which has none.
inline constexpr int kNoEvaluation = kInfinity + 1;

// Status words a node leaves in the first word of its move-stack region.
inline constexpr int32_t kStatusOrdinary = -296;
inline constexpr int32_t kStatusNullMoveBound = -295;
inline constexpr int32_t kStatusDrawOrNoMove = -294;

// Node kinds.
// kNodeExpectedCut: a zero-window node whose parent expects it to refute
// the move that led to it (the selective search's node kinds alternate
// along a line: a cut node's first child is expected to fail low, whose
// children are expected to cut again).
enum NodeKind : int { kNodeOrdinary = 0, kNodeNullReply = 1, kNodeInternalDeepening = 2, kNodeExpectedCut = 3 };

// The six extension kinds, each a 4-bit counter in the extension word.
enum ExtensionKind : int {
  kExtendCheck = 0,
  kExtendRecapture = 1,
  kExtendMateThreat = 2,
  kExtendPawnSeventh = 3,
  kExtendForced = 4,
  kExtendCheckSequence = 5,
};
inline int ExtensionCount(uint32_t counters, int kind) { return (counters >> (5 * kind)) & 15; }
inline uint32_t AddExtension(uint32_t counters, int kind) { return counters + (1u << (5 * kind)); }

// Half-width of the aspiration window of iteration j around the last score
// (it may come out negative: the window is then inverted and the first
// search falls into a re-search).
inline int AspirationHalfWidth(int bestScore, int j) { return bestScore / 10 + 100 / j + 25; }

// The move stack shared by all nodes: each node owns the region from the
// position it is given; the first word of a region is the node's status.
inline constexpr int kMoveStackSize = kMaxPly * 320;

inline int HistoryIndex(Move m) { return m & 4095; }

// The most quiet moves and captures of one node that the selective search
// remembers.
inline constexpr int kQuietsRemembered = 64;
inline constexpr int kCapturesRemembered = 32;

// The continuation histories are indexed by a move's piece and target
// square: the earlier move's, then the move's own.
inline constexpr int kPieceSquareCount = 8 * 64;
inline int PieceSquareIndex(Move m) { return MovePiece(m) << 6 | MoveTo(m); }
// The most a history entry may hold either way: a bounded update brings
// an entry toward the bonus by the bonus's share of this bound.
inline constexpr int kHistoryBound = 16384;
// Adds `bonus` (of either sign) to `entry`, scaled down as the entry nears
// the bound on the bonus's side, so that the entry never leaves
// [-kHistoryBound, kHistoryBound] and new results weigh more than old.
inline void AddHistoryBonus(int16_t& entry, int bonus) {
  entry = int16_t(entry + bonus - entry * (bonus < 0 ? -bonus : bonus) / kHistoryBound);
}

// What the selective search learns about moves beyond the classic
// history, kept from one search to the next (a new game clears it).
struct MoveHistories {
  // Quiet moves by side, origin and target.
  int16_t quiet[2][4096];
  // Quiet moves after the move one ply before (the opponent's, [0]) and
  // two plies before (the side's own, [1]): by that move's piece and
  // target, the side, then the move's piece and target.
  int16_t continuation[2][kPieceSquareCount][2][kPieceSquareCount];
  // Captures by side, moving piece, target and captured piece.
  int16_t capture[2][8][64][8];
};

// The plain records one search works on, owned by its searcher.
struct SearchState {
  // Limits per extension kind, set per iteration and root move.
  int extensionLimit[6] = {};
  // Iteration depth in plies of the running root-move search (the reach
  // test).
  int iterationDepth = 1;
  // Nodes counted since the driver last added them to the search total.
  uint32_t nodeCount = 0;
  // Nodes until the next poll of the input and the clock. Another thread
  // may bring the poll forward (to the next node, when it stops a helper),
  // so the count is read and written whole, with plain loads and stores.
  int pollCountdown = 100;
  // Principal-variation rows: row p holds the best line from ply p, 0-ended.
  Move principalVariation[kMaxPly][kMaxPly] = {};
  Move killers[kMaxPly][2] = {};
  uint16_t history[2][4096] = {};
  // Per ply: consecutive checks received by the side to move, and the ply
  // at which that sequence began.
  int checkSequenceCount[kMaxPly] = {};
  int checkSequenceStart[kMaxPly] = {};
  // The selective search's per-ply facts: the static evaluation (the side
  // to move's view, kNoEvaluation in check), the move being searched (0 for
  // a null move), and the move a singular test leaves out.
  int staticEvaluation[kMaxPly] = {};
  Move pathMove[kMaxPly] = {};
  Move excludedMove[kMaxPly] = {};
  // The quiet moves each node has searched, for the history penalties.
  Move quietsSearched[kMaxPly][kQuietsRemembered] = {};
  Move capturesSearched[kMaxPly][kCapturesRemembered] = {};
  Move moveStack[kMoveStackSize] = {};
  // The quiescence search generates captures here and copies the survivors,
  // keyed, into the node's own region of the move stack.
  Move captureScratch[kMaxMovesPerPosition] = {};

  // Counts a node toward the next poll: true when the poll is due.
  bool PollDue() {
    std::atomic_ref<int> count(pollCountdown);
    const int left = count.load(std::memory_order_relaxed) - 1;
    count.store(left, std::memory_order_relaxed);
    return left <= 0;
  }
  void SetPollCountdown(int nodes) { std::atomic_ref<int>(pollCountdown).store(nodes, std::memory_order_relaxed); }

  // Mode B (wider) while the first root move or a new best is searched.
  // No extension reaches beyond `lastPly`.
  void SetExtensionLimits(int iterationDepthPlies, int modeB, int lastPly = 37);
  void ClearPvRow(int ply) { principalVariation[ply][0] = 0; }
  // Row `ply` := move followed by row ply + 1.
  void SetPvRow(int ply, Move move);
};

inline int32_t StatusOf(const Move* region) { return int32_t(region[0]); }
inline void SetStatus(Move* region, int32_t status) { region[0] = Move(status); }

// The side to move's material balance.
template <int S>
inline int SideBalance(const TreePosition& p) {
  return S == kWhite ? p.materialBalance : -p.materialBalance;
}

// The null move is tried only where passing is unlikely to be the best
// move and zugzwang is rare: not in check, not right after another null
// move, with material enough and the side to move not far behind alpha.
template <int S>
inline bool NullMoveAllowed(const TreePosition& p, int alpha, int depth, bool nullMoveForbidden) {
  constexpr int kMaterialMargin = 199;
  constexpr int kMinPieceUnits = 16;
  return !nullMoveForbidden && depth >= 1 && !p.kingAttacked && SideBalance<S>(p) + kMaterialMargin >= alpha &&
         p.pieceUnits >= kMinPieceUnits;
}

// Draws by rule shared by both searches: insufficient material, repetition
// within the path or for the third time with game history, fifty moves.
bool IsDrawByMaterial(const TreePosition& p);
bool IsDrawByRepetitionOrFiftyMoves(const PositionStack& stack, int ply);
