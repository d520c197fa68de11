// "ravok bench": the bench in the form engine-testing frameworks run it.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "session/bench.h"

// Reads the words after "bench": "depth N" (the iterations, 1 to 38),
// "threads N", "search classic|selective", "evaluation classic|tuned", in
// any order. The search and the evaluation start as UCI starts them, the
// iterations as the bench's default for the search. Nothing, with the
// reason in `problem`, for any other word or value.
std::optional<BenchSettings> ReadBenchWords(const std::vector<std::string>& words, std::string& problem);

// Runs the bench: a line a position, then the time, and last the total
// nodes and the speed, "N nodes" and "N nps", as the frameworks read them.
// Returns the exit status (1 when the threads cannot be had).
int RunBenchCommand(const BenchSettings& settings, std::ostream& out, std::ostream& err);
