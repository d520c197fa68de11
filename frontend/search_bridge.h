// What the search driver calls in the front end.
#pragma once

// Polled by the search about eight times a second; may throw
// search_aborted_exception.
void DealWithSearching();

// End of every search: plays and announces the move, draws, resignation,
// pondering (thin entry to the Communicator).
void OnSearchFinished(bool discardResult);

// Thinking lines are printed in xboard mode only when this is true.
bool IsPostEnabled();

// The "(Ravok played X expected move Y)" note of ponder iteration headers,
// without a line end.
void PrintPonderAnnotation();
