// How a search reports to the front end that runs it. The search itself
// prints nothing: each front end turns these events into its own protocol's
// texts.
#pragma once

#include "search/search_info.h"

enum class SearchEvent {
  kIterationStarted,   // displayDepth is the new iteration's
  kFailLow,            // the first root move fell below the window; re-searched
  kFailHigh,           // a root move rose above the window; re-searched
  kNewBestCandidate,   // a later root move beat the best score's zero window
  kResearchEnded,      // the first root move's re-searches are done
  kCandidateAccepted,  // the candidate's re-search confirmed it: a new best line follows
  kCandidateRejected,  // the candidate's re-search did not confirm it
  kNewBestLine,        // pvMoves and bestScore hold a new best line (one line searched for)
  kAborted,            // the search was stopped before its depth limit
  kLinesFound,         // with several lines: `lines` holds the iteration's, best first
};

class SearchListener {
 public:
  virtual ~SearchListener() = default;

  // Called from inside the search every couple of milliseconds. May throw
  // search_aborted_exception to end the search.
  virtual void Poll() {}

  // The search's progress, in the order it happens.
  virtual void OnSearchEvent(SearchEvent, const SearchInfo&) {}
};
