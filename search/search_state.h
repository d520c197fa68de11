// Search-wide state shared by the alpha-beta and quiescence twins and the
// driver: counters, principal-variation rows, killers, history, check
// sequences, extension limits and the move stack.
#pragma once

#include <cstdint>

#include "position/tree_position.h"

inline constexpr int kOnePly = 64;  // search depth is counted in 1/64 ply
inline constexpr int kInfinity = 32000;
inline constexpr int kMateThreshold = 31900;  // scores beyond this are mates

// Status words a node leaves in the first word of its move-stack region.
inline constexpr int32_t kStatusOrdinary = -296;
inline constexpr int32_t kStatusNullMoveBound = -295;
inline constexpr int32_t kStatusDrawOrNoMove = -294;

// Node kinds.
enum NodeKind : int { kNodeOrdinary = 0, kNodeNullReply = 1, kNodeInternalDeepening = 2 };

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

// Limits per extension kind, set per iteration and root move.
extern int extensionLimit[6];
// Mode B (wider) while the first root move or a new best is searched.
void SetExtensionLimits(int iterationDepthPlies, int modeB);

// Half-width of the aspiration window of iteration j around the last score
// (it may come out negative: the window is then inverted and the first
// search falls into a re-search).
inline int AspirationHalfWidth(int bestScore, int j) { return bestScore / 10 + 100 / j + 25; }

// Iteration depth in plies of the running root-move search (the reach test).
extern int iterationDepth;

// Nodes counted since the driver last added them to the search total.
extern uint32_t nodeCount;
// Nodes until the next input poll.
extern int pollCountdown;

// Principal-variation rows: row p holds the best line from ply p, 0-ended.
extern Move PrincipalVariation[kMaxPly][kMaxPly];
inline void ClearPvRow(int ply) { PrincipalVariation[ply][0] = 0; }
// Row `ply` := move followed by row ply + 1.
void SetPvRow(int ply, Move move);

extern Move Killers[kMaxPly][2];
extern uint16_t History[2][4096];
inline int HistoryIndex(Move m) { return m & 4095; }

// Per ply: consecutive checks received by the side to move, and the ply at
// which that sequence began.
extern int CheckSequenceCount[kMaxPly];
extern int CheckSequenceStart[kMaxPly];

// The move stack shared by all nodes: each node owns the region from the
// position it is given; the first word of a region is the node's status.
inline constexpr int kMoveStackSize = kMaxPly * 320;
extern Move MoveStack[kMoveStackSize];

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
bool IsDrawByRepetitionOrFiftyMoves(const TreePosition& p, int ply);
