// Start-up: command-line options and the order in which the engine comes up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/table_memory.h"

struct StartupOptions {
  bool xboard = false;
  bool uci = false;
  bool play = false;     // "play" or "p": a game against Ravok in the terminal
  bool help = false;     // "--help" or "-h": print the usage and stop
  bool version = false;  // "--version": print the version and stop
  bool bench = false;    // "bench" as the first word: run the bench and stop
  std::vector<std::string> benchWords;  // the words after "bench"
  // The first word after the program name when it is none of the words
  // below (and no "xboard", "hash" or "pawnhash" in capitals, which are
  // passed over as any later unknown word is): the start refuses it.
  std::string unknownWord;
  uint64_t hashBytes = kDefaultHashBytes;
  uint64_t pawnHashBytes = kDefaultPawnHashBytes;
};

// Scans the whole argument list, the program name included: "xboard",
// "uci" (which wins over "xboard"), "play" or "p" (which wins over both), "hash N" and "pawnhash N" (N mebibytes;
// N <= 0 or no number selects the minimum size), "--help", "-h" and
// "--version". "hash" or "pawnhash" as the last word ends the scan.
// "bench" as the first word takes every word after it.
StartupOptions ScanOptions(const std::vector<std::string>& arguments);

// The texts of "--help" and "--version".
std::string UsageText();
// What the start says of an unknown first word: the word, the command-line
// word it is likely a slip for ("did you mean play?") if there is one, and
// the usage.
std::string UnknownWordText(const std::string& word);
std::string VersionText();

// Runs the engine from the table set-up to the end of the command loop and
// returns the exit status.
int RunEngine(int argc, char** argv);
