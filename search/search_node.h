// The facts of one interior node, shared by the node's steps in both
// searches (alpha_beta.cpp, selective_steps.h).
#pragma once

#include "search/searcher.h"

struct Searcher::Node {
  int alpha, beta, depth;
  uint32_t counters;  // the six extension counters
  Move* stack;        // the node's region of the move stack; [0] is its status
  int ply;
  int kind;
  bool nullMoveForbidden;
  bool inCheck;
  bool mayExtend;    // not in the reply to a null move, not near the array's end
  bool withinReach;  // within twice the iteration depth: extensions count full
  bool extended = false;
  bool capped = false;  // a perpetual check holds the score at 0 at most
  Move hashMove = 0;
  bool forced = false;      // a single reply (stored with the result)
  bool threatened = false;  // a mate threat behind a null move
  bool futility = false;
  int best = -kInfinity;
  Move bestMove = 0;
  bool bestFromNullBound = false, alphaRaised = false;
  int counted = 0;   // legal moves met, the hash move included
  int searched = 0;  // moves actually searched
  // The selective search's facts: a node with an open window, the static
  // evaluation (side to move's view; kNoEvaluation in check), whether it
  // rose since the side's last move, and the quiet moves searched so far.
  bool pv = false;
  bool improving = false;
  int staticEvaluation = kNoEvaluation;
  int quietsSearched = 0;
  int capturesSearched = 0;

  // The node's move list, right after its status word.
  Move* List() const { return stack + 1; }
};

